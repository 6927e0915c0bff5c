// The full-screen adjustment as a Wayland client of a headless sway, driven through the
// compositor's own input path (wtype): the mode's window is full-screen on the output.

#include "SwayDisplay.h"

#include <QDir>
#include <QFile>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

constexpr QSize kOutput(1280, 1024);

class FullScreenWaylandTest : public ::testing::Test {
protected:
    void SetUp() override {
        QELT32_SKIP_WITHOUT_SWAY();
        // Only a compositor that cannot start at all on this machine skips the test.
        if (!m_sway.StartCompositor())
            GTEST_SKIP() << "sway cannot start here: " << m_sway.Error().toStdString();
        ASSERT_TRUE(m_sway.Start()) << m_sway.Error().toStdString();
        // The frame has saved its place before: no first-use help window.
        QDir().mkpath(QFileInfo(m_sway.ProfileFile()).path());
        QFile profile(m_sway.ProfileFile());
        ASSERT_TRUE(profile.open(QIODevice::WriteOnly));
        profile.write("[Settings]\nResolution=\"1280,1024,10,10\"\n");
        profile.close();
        ASSERT_TRUE(m_sway.StartProgram()) << m_sway.Error().toStdString();
    }

    bool Open() {
        return m_sway.Key(QStringLiteral("s"), {QStringLiteral("alt")}) &&
               CRealDisplay::WaitUntil([&] { return FullScreen().has_value(); },
                                       std::chrono::seconds(20));
    }
    // The mode's window, when sway shows it full-screen over the whole output.
    std::optional<QJsonObject> FullScreen() {
        for (const QJsonObject& window : m_sway.Windows(QStringLiteral("^Vistrel Pro$"))) {
            const QJsonObject rect = window.value("rect").toObject();
            if (window.value("fullscreen_mode").toInt() == 1 && rect.value("x").toInt() == 0 &&
                rect.value("y").toInt() == 0 && rect.value("width").toInt() == kOutput.width() &&
                rect.value("height").toInt() == kOutput.height())
                return window;
        }
        return std::nullopt;
    }

    CSwayDisplay m_sway;
};

} // namespace

TEST_F(FullScreenWaylandTest, TheModeIsFullScreenOnTheOutput) {
    // Full-screen over the whole output, as sway's tree tells (not a tiled window), with
    // the keyboard, and the main frame hidden meanwhile.
    ASSERT_TRUE(Open());
    EXPECT_TRUE(CRealDisplay::WaitUntil([&] { return FullScreen()->value("focused").toBool(); }));
    EXPECT_TRUE(CRealDisplay::WaitUntil(
        [&] { return m_sway.Windows(QStringLiteral("^Vistrel Pro -")).isEmpty(); }));
}
