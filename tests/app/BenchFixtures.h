#pragma once

#include "SimBench.h"

#include "RecordingMessages.h"
#include "TempProfile.h"
#include "app/MainFrame.h"
#include "dialogs/AutoSizeNoticeDlg.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

// One simulated monitor in slot 0, with the profile in a temporary folder and messages
// recorded.
class SimBenchFixture : public ::testing::Test {
protected:
    // Plugs in a monitor of the named profile (with or without auto-sizing, when given)
    // and reads it as start-up does.
    void Connect(const QString& name, std::optional<bool> canAutoSize = std::nullopt) {
        sim = &bench.Plug(0, name);
        if (canAutoSize)
            sim->SetAvailable(Items::AutoSizeItem, *canAutoSize);
        ASSERT_TRUE(bench.ConnectAndRead());
    }

    CTempProfile profile;
    CRecordingMessages messages;
    CSimBench bench;
    CSimMonitor* sim = nullptr;
};

// The main frame on a simulated monitor.
class MainFrameFixture : public SimBenchFixture {
protected:
    void Start(const char* name) {
        ASSERT_NO_FATAL_FAILURE(Connect(QString::fromLatin1(name)));
        frame = std::make_unique<CMainFrame>(bench.Monitor(), notice, QString());
        ASSERT_TRUE(frame->Create());
    }

    CAutoSizeNoticeRunner notice;
    std::unique_ptr<CMainFrame> frame;
};
