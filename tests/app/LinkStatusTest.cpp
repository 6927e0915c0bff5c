// What the frame tells when the cable is pulled and something else answers behind the same
// link at once (a freed pseudo-terminal or ttyUSB number is soon given again): first that
// the link was lost, with the panel disabled, then what answers; never that the monitor
// is back when it was not taken.

#include "tests/link/EventLoop.h"
#include "tests/link/SimLinkFixture.h"

#include "app/LinkStatus.h"
#include "fullscreen/AdjustWnd.h"
#include "platform/StringTable.h"

#include <QFile>
#include <QFileInfo>
#include <QWidget>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

// Shows each message as a box does: the program's events go on while the user reads it.
// Records when each box opens and closes (by string id: 61260 the link lost, 61264 another
// monitor, 61271 another model), and whether the panel was enabled or the frame would send
// to the monitor meanwhile.
class ReadingUser : public CRecordingMessages {
public:
    explicit ReadingUser(const QWidget& panel) : m_panel(panel) {}

    MsgResult Show(int stringId, MsgButtons buttons, const QString& arg) override {
        events.push_back(QStringLiteral("open %1").arg(stringId));
        const MsgResult result = CRecordingMessages::Show(stringId, buttons, arg);
        ProcessUntil([] { return false; }, 500ms);
        if (m_panel.isEnabled())
            events.push_back(QStringLiteral("panel enabled under %1").arg(stringId));
        if (status && status->MonitorAnswers())
            events.push_back(QStringLiteral("monitor answers under %1").arg(stringId));
        events.push_back(QStringLiteral("close %1").arg(stringId));
        return result;
    }

    std::string Events() const { return events.join(", ").toStdString(); }

    QStringList events;
    const CLinkStatus* status = nullptr;

private:
    const QWidget& m_panel;
};

class LinkStatusTest : public SimLinkFixture {
protected:
    void SetUp() override {
        SimLinkFixture::SetUp();
        ASSERT_TRUE(Start());
        ASSERT_TRUE(monitor.CreateWindow());
        status.emplace(monitor, nullptr, &panel, nullptr);
        user.status = &*status;
        QObject::connect(&*status, &CLinkStatus::prompt,
                         [this](const QString& text) { prompts << text; });
    }
    // Pulls the cable and puts `device` behind the link before the program can notice.
    void PullAndPutBehindTheLink(const QString& device) {
        const QString link = server.Path();
        Sim().PullCable();
        // The simulator takes its link away as a device node goes; ours comes in its place.
        ASSERT_TRUE(ProcessUntil([&] { return !QFileInfo(link).isSymLink(); }, 20s));
        ASSERT_TRUE(QFile::link(device, link));
    }

    QWidget panel;
    ReadingUser user{panel}; // installed after the fixture's recorder, so it is the one shown to
    std::optional<CLinkStatus> status;
    QStringList prompts;
};

} // namespace

TEST_F(LinkStatusTest, TheLossIsToldBeforeAMonitorOfAnotherModelThatAnswersInstead) {
    CSimServer other(*SimProfile::ByName(QStringLiteral("tr4427")), CSimServer::Options{false, {}});
    ASSERT_TRUE(other.Start());
    PullAndPutBehindTheLink(other.Path());
    ASSERT_TRUE(ProcessUntil([&] { return user.events.contains("close 61271"); }, 20s))
        << user.Events();
    EXPECT_EQ(user.Events(), "open 61260, close 61260, open 61271, close 61271");
    EXPECT_FALSE(monitor.IsConnected());
    EXPECT_FALSE(panel.isEnabled());
    EXPECT_TRUE(prompts.isEmpty())
        << "the monitor was said to be back: " << prompts.join(", ").toStdString();
    EXPECT_TRUE(status->Reconnector().IsWaiting());
}

TEST_F(LinkStatusTest, AnotherMonitorOfTheModelIsAskedAboutAfterTheLossAndTakenOnlyThen) {
    SimProfile twin = *SimProfile::ByName(QStringLiteral("revC"));
    twin.serial = monitor.GetSerialNumber() + 1;
    CSimServer other(twin, CSimServer::Options{false, {}});
    ASSERT_TRUE(other.Start());
    user.reply = MsgResult::Yes;
    PullAndPutBehindTheLink(other.Path());
    ASSERT_TRUE(ProcessUntil([&] { return !prompts.isEmpty(); }, 20s)) << user.Events();
    EXPECT_EQ(user.Events(), "open 61260, close 61260, open 61264, close 61264");
    // Taken once the user said so, and only then said to be back.
    EXPECT_TRUE(monitor.IsConnected());
    EXPECT_EQ(monitor.GetSerialNumber(), twin.serial);
    EXPECT_TRUE(panel.isEnabled());
    EXPECT_EQ(prompts, QStringList{LoadAppString(Str::LinkBack)});
}
