#include "dialogs/ConvergenceDlg.h"
#include "dialogs/FormBuilder.h"
#include "platform/StringTable.h"

#include "FormChecks.h"
#include "NotifyRecorder.h"
#include "SimulatedMonitor.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int kHConv = 16, kVConv = 17, kVConvTop = 20, kVConvBottom = 21;

class ConvergenceDlgTest : public ::testing::Test {
protected:
    void Open(const SimProfile& profile) {
        dialog.reset();
        m.reset(); // one simulated monitor at a time: the port map is shared
        m = std::make_unique<CSimulatedMonitor>(profile);
        ASSERT_TRUE(m->Start());
        m->monitor.SetNotifyWindow(&opener);
        dialog = std::make_unique<CConvergenceDlg>(m->monitor, &opener);
        dialog->show();
    }
    void Open(const char* profile) { Open(CSimulatedMonitor::Profile(profile)); }
    QString Text() const { return Control<QPlainTextEdit>(dialog.get(), 1066)->toPlainText(); }
    static QString Expected(int id) {
        return LoadAppString(id).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
    // A drag on the full-screen window behind the dialog, as that window performs it.
    void DragConvergence() {
        ASSERT_TRUE(m->monitor.AdjustItems(kHConv, 4, kVConv, -4, true));
        m->monitor.AdjustItems(kVConvTop, 3, kVConvBottom, -2, true);
    }

    std::unique_ptr<CSimulatedMonitor> m;
    CNotifyRecorder opener;
    std::unique_ptr<CConvergenceDlg> dialog;
};

TEST_F(ConvergenceDlgTest, InstructionsFollowRevisionAndVerticalConvergence) {
    Open("revC");
    EXPECT_EQ(Text(), Expected(Str::ConvergenceLong));
    EXPECT_TRUE(Text().contains("\n\n1. Horizontal"));
    dialog->reject();

    Open("revB");
    EXPECT_EQ(Text(), Expected(Str::ConvergenceShort));
    dialog->reject();

    SimProfile noVConv = CSimulatedMonitor::Profile("revC");
    noVConv.items[kVConv].available = false;
    Open(noVConv);
    EXPECT_EQ(Text(), Expected(Str::ConvergenceShort));
    dialog->reject();
}

TEST_F(ConvergenceDlgTest, ContrastIsAtItsMaximumWhileOpenAndBackAfterOk) {
    Open("revC");
    EXPECT_EQ(m->sim.Value(Items::Contrast), 255);
    const int stores = m->sim.StoreCount();
    dialog->accept();
    EXPECT_EQ(m->sim.Value(Items::Contrast), 230);
    EXPECT_EQ(m->sim.StoreCount(), stores + 1);
    // The monitor stored its adjustment with the old contrast.
    EXPECT_EQ(m->sim.Stored(Items::Contrast), 230);
}

TEST_F(ConvergenceDlgTest, CancelPutsBackTheDraggedConvergenceAndTheContrast) {
    Open("revC");
    DragConvergence();
    ASSERT_EQ(m->sim.Value(kHConv), 68);
    ASSERT_EQ(m->sim.Value(kVConvTop), 67);
    dialog->reject();
    for (int item : {kHConv, kVConv, kVConvTop, kVConvBottom})
        EXPECT_EQ(m->sim.Value(item), 64) << item;
    EXPECT_EQ(m->sim.Value(Items::Contrast), 230);
}

TEST_F(ConvergenceDlgTest, OkKeepsTheDraggedConvergenceAndStoresIt) {
    Open("revC");
    DragConvergence();
    dialog->accept();
    const std::pair<int, int> expected[] = {
        {kHConv, 68}, {kVConv, 60}, {kVConvTop, 67}, {kVConvBottom, 62}};
    for (auto [item, value] : expected) {
        EXPECT_EQ(m->sim.Value(item), value) << item;
        EXPECT_EQ(m->sim.Stored(item), value) << item;
        EXPECT_EQ(m->monitor.Item(item).stored, value) << item;
    }
}

TEST_F(ConvergenceDlgTest, NothingIsWrittenForMissingTopAndBottomConvergence) {
    Open("revB");
    DragConvergence();
    dialog->reject();
    EXPECT_EQ(m->SetValues({kVConvTop, kVConvBottom}), 0);
    EXPECT_EQ(m->sim.Value(kHConv), 64);

    Open("tr5513"); // reports the items although the model lacks them
    DragConvergence();
    dialog->accept();
    EXPECT_EQ(m->SetValues({kVConvTop, kVConvBottom}), 0);
}

TEST_F(ConvergenceDlgTest, LeavesNotificationsWithTheirWindowAndHasNoParent) {
    Open("revC");
    EXPECT_EQ(m->monitor.GetNotifyWindow(), &opener);
    EXPECT_EQ(dialog->parentWidget(), nullptr);
    EXPECT_EQ(dialog->objectName(), "140");
    EXPECT_EQ(dialog->pos(), QPoint(30, 30));
    EXPECT_EQ(dialog->HelpContextOf(Control(dialog.get(), 1066)),
              0x80000000u + 140u * 65536u + 1066u);
    m->PanelChange(kHConv, 70);
    ASSERT_FALSE(opener.received.empty());
    EXPECT_EQ(opener.received.back(), std::make_pair(kHConv, 70));
    dialog->accept();
    EXPECT_EQ(m->monitor.GetNotifyWindow(), &opener);
}

TEST_F(ConvergenceDlgTest, WindowBehindTakesClicksWhileTheDialogIsOpen) {
    QWidget behind;
    behind.resize(200, 200);
    behind.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&behind));
    struct PressCounter : QObject {
        int presses = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            presses += event->type() == QEvent::MouseButtonPress;
            return false;
        }
    } counter;
    behind.installEventFilter(&counter);

    Open("revC");
    EXPECT_FALSE(dialog->isModal());
    QTest::mouseClick(behind.windowHandle(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(counter.presses, 1);
    dialog->reject();
}

TEST_F(ConvergenceDlgTest, EnterInTheInstructionsIsOkAndEscapeIsCancel) {
    Open("revC");
    auto* text = Control<QPlainTextEdit>(dialog.get(), 1066);
    text->setFocus();
    const int stores = m->sim.StoreCount();
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(m->sim.StoreCount(), stores + 1);
    EXPECT_EQ(m->sim.Value(Items::Contrast), 230);

    Open("revC");
    QTest::keyClick(Control<QPlainTextEdit>(dialog.get(), 1066), Qt::Key_Escape);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(m->sim.Value(Items::Contrast), 230);
}

TEST_F(ConvergenceDlgTest, FormShowsEveryCaptionWhole) {
    InEveryLanguage([this](bool) {
        for (const char* profile : {"revB", "revC"}) {
            Open(profile);
            ExpectCaptionsFit(dialog.get());
            // The instructions show whole, without scrolling.
            auto* text = Control<QPlainTextEdit>(dialog.get(), 1066);
            text->grab(); // lays the text out at the box's width
            EXPECT_EQ(text->verticalScrollBar()->maximum(), 0);
            SaveScreenshot(dialog.get(),
                           QStringLiteral("convergence-%1-%2").arg(profile, LanguageCode()));
            dialog->reject();
        }
    });
}

} // namespace
