// The linearity and moiré dialogs as the user reaches them: the program on an X server, the
// full-screen mode opened with its button's key, the popup menu with the right button, and
// the dialogs worked with keys through the server's input path; the simulator says what the
// monitor got.

#include "RealDisplay.h"

#include <QRegularExpression>
#include <QThread>

#include <gtest/gtest.h>

namespace {

class PopupDialogs {
public:
    explicit PopupDialogs(CRealDisplay& display) : m_display(display) {}

    // Opens the full-screen mode from the frame. Its first use shows its help above it,
    // with the keys; that is closed, so the keys are the mode's.
    bool OpenMode() {
        return m_display.Focus(m_display.Window()) && m_display.Key("alt+s") &&
               CRealDisplay::WaitUntil([&] { return !Find("^Vistrel Pro$").isEmpty(); }) &&
               CRealDisplay::WaitUntil([&] { return !Find("^Vistrel Pro Help$").isEmpty(); }) &&
               m_display.Focus(Find("^Vistrel Pro Help$")) && m_display.Key("Escape") &&
               Gone("^Vistrel Pro Help$");
    }
    // The first visible window whose title matches `title`, or empty.
    QString Find(const QString& title) { return m_display.VisibleWindows(title).value(0); }
    // Opens the popup menu and picks its `entry`-th command; the dialog that comes up gets
    // the keyboard. Each entry is clicked at its own place: a pointer that is already where
    // it is sent keeps xdotool waiting for a movement that never comes.
    QString Run(int entry, const QString& title) {
        if (!m_display.Click(300 + 100 * entry, 300, 3))
            return {};
        QThread::msleep(300);
        if (!m_display.Key(QStringList(entry, QStringLiteral("Down")).join(' ') + " Return"))
            return {};
        QString dialog;
        CRealDisplay::WaitUntil([&] { return !(dialog = Find(title)).isEmpty(); });
        if (!dialog.isEmpty())
            m_display.Focus(dialog);
        return dialog;
    }
    bool Gone(const QString& title) {
        return CRealDisplay::WaitUntil([&] { return Find(title).isEmpty(); });
    }
    // With QELT32_SCREENSHOT_DIR set, a picture of the screen there as `name`.png.
    void Picture(const QString& name) {
        const QString folder = qEnvironmentVariable("QELT32_SCREENSHOT_DIR");
        if (!folder.isEmpty()) {
            EXPECT_TRUE(m_display.Screenshot(folder + "/" + name + ".png"));
        }
    }
    int Stored(const QString& item) { return m_display.SimStored(item); }

private:
    CRealDisplay& m_display;
};

TEST(PopupDialogsRealDisplay, LinearityAndMoireTakeTheirKeysAndEndAsChosen) {
    QELT32_SKIP_WITHOUT_REAL_DISPLAY(false);
    CRealDisplay display;
    ASSERT_TRUE(display.Start()) << display.Error().toStdString();
    ASSERT_TRUE(display.StartProgram()) << display.Error().toStdString();
    PopupDialogs popup(display);
    const int balance = display.SimValue("vlinearbala");
    const int vpos = display.SimValue("vpos");
    ASSERT_GT(balance, 0);

    ASSERT_TRUE(popup.OpenMode());

    // Linearity: the balance slider has the focus; a key moves it on the monitor, Escape
    // puts the balance and the position it carried back.
    ASSERT_FALSE(popup.Run(1, "Vertical Linearity Adjustment").isEmpty());
    ASSERT_TRUE(display.Key("Right Right"));
    EXPECT_TRUE(display.WaitForSimValue("vlinearbala", balance + 2));
    popup.Picture("vertical-linearity-over-pattern");
    ASSERT_TRUE(display.Key("Escape"));
    ASSERT_TRUE(popup.Gone("Vertical Linearity Adjustment"));
    EXPECT_TRUE(display.WaitForSimValue("vlinearbala", balance));
    EXPECT_EQ(display.SimValue("vpos"), vpos);

    // Moiré (off on this monitor): the one switch has the focus while the rows are
    // disabled; Space turns both directions on, Enter keeps and stores them.
    ASSERT_EQ(display.SimValue("modeword") & 0x0300, 0);
    ASSERT_FALSE(popup.Run(2, "Moir.*Reduction").isEmpty());
    ASSERT_TRUE(display.Key("space"));
    EXPECT_TRUE(
        CRealDisplay::WaitUntil([&] { return (display.SimValue("modeword") & 0x0300) == 0x0300; }));
    popup.Picture("moire-over-pattern");
    ASSERT_TRUE(display.Key("Return"));
    ASSERT_TRUE(popup.Gone("Moir.*Reduction"));
    EXPECT_EQ(popup.Stored("modeword") & 0x0300, 0x0300);
}

TEST(PopupDialogsRealDisplay, ThePopupMenuOpensWithShiftF10AndTheMenuKey) {
    QELT32_SKIP_WITHOUT_REAL_DISPLAY(false);
    CRealDisplay display;
    ASSERT_TRUE(display.Start()) << display.Error().toStdString();
    ASSERT_TRUE(display.StartProgram()) << display.Error().toStdString();
    PopupDialogs popup(display);
    ASSERT_TRUE(popup.OpenMode());

    for (const QString& keys : {QStringLiteral("shift+F10"), QStringLiteral("Menu")}) {
        ASSERT_TRUE(display.Key(keys));
        QThread::msleep(300);
        ASSERT_TRUE(display.Key("Down Return"));
        EXPECT_TRUE(CRealDisplay::WaitUntil([&] {
            return !popup.Find("Vertical Linearity Adjustment").isEmpty();
        })) << keys.toStdString()
            << " opened no menu";
        ASSERT_TRUE(display.Key("Escape"));
        ASSERT_TRUE(popup.Gone("Vertical Linearity Adjustment"));
    }
}

} // namespace
