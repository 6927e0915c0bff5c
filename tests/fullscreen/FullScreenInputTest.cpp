// The full-screen adjustment through the display's own input path: the built qelt32 on Xvfb
// against the built qelt32-sim, the pointer moved and the keys pressed with xdotool, the
// monitor's values read from the simulator afterwards.

#include "FullScreenInput.h"

using namespace FullScreenReal;

TEST(FullScreenInputTest, DragArrowsEscapeAndEnterThroughTheDisplay) {
    QELT32_SKIP_WITHOUT_REAL_DISPLAY(false);
    CRealDisplay display;
    ASSERT_TRUE(display.Start()) << display.Error().toStdString();
    ASSERT_TRUE(display.StartProgram()) << display.Error().toStdString();
    FullScreenInput input(display);
    const int hpos = display.SimValue("hpos"), vpos = display.SimValue("vpos");
    ASSERT_GE(hpos, 10);
    ASSERT_GE(vpos, 10);

    ASSERT_TRUE(input.Open());
    // Grab the position handle and move it: right 30 pixels (a step of 4), up 10 (1).
    const QPoint position = CellOf(19);
    ASSERT_TRUE(input.MoveTo(position));
    ASSERT_TRUE(input.Click());
    ASSERT_TRUE(input.MoveBy(30, 0));
    EXPECT_TRUE(display.WaitForSimValue("hpos", hpos + 4));
    ASSERT_TRUE(input.MoveBy(0, -10));
    EXPECT_TRUE(display.WaitForSimValue("vpos", vpos + 1));
    ASSERT_TRUE(input.MoveBy(-30, 0));
    EXPECT_TRUE(display.WaitForSimValue("hpos", hpos));
    ASSERT_TRUE(input.MoveBy(25, 0));
    EXPECT_TRUE(display.WaitForSimValue("hpos", hpos + 4));

    // Held: Escape and Enter do nothing.
    ASSERT_TRUE(display.Key("Escape"));
    ASSERT_TRUE(display.Key("Return"));
    QThread::msleep(300);
    EXPECT_FALSE(input.FrameShown());
    EXPECT_EQ(display.SimValue("hpos"), hpos + 4);

    // Let go; the arrow keys step the same handle.
    ASSERT_TRUE(input.Click());
    ASSERT_TRUE(display.Key("Right"));
    EXPECT_TRUE(display.WaitForSimValue("hpos", hpos + 5));
    ASSERT_TRUE(display.Key("Down"));
    EXPECT_TRUE(display.WaitForSimValue("vpos", vpos));

    // Escape puts back what the monitor had when the mode began.
    ASSERT_TRUE(display.Key("Escape"));
    ASSERT_TRUE(input.Left());
    EXPECT_TRUE(display.WaitForSimValue("hpos", hpos));
    EXPECT_TRUE(display.WaitForSimValue("vpos", vpos));
    EXPECT_EQ(input.Stored("hpos"), hpos);

    // Again, and Enter keeps and stores.
    ASSERT_TRUE(input.Open());
    ASSERT_TRUE(input.MoveTo(position));
    ASSERT_TRUE(input.Click());
    ASSERT_TRUE(input.MoveBy(-5, 0));
    EXPECT_TRUE(display.WaitForSimValue("hpos", hpos - 1));
    ASSERT_TRUE(input.Click());
    ASSERT_TRUE(display.Key("Return"));
    ASSERT_TRUE(input.Left());
    EXPECT_TRUE(CRealDisplay::WaitUntil([&] { return input.Stored("hpos") == hpos - 1; }));
    EXPECT_EQ(display.SimValue("hpos"), hpos - 1);

    // Alt+F4 (no window manager here: the key reaches the window) cancels.
    ASSERT_TRUE(input.Open());
    ASSERT_TRUE(display.Key("Left"));
    EXPECT_TRUE(display.WaitForSimValue("hpos", hpos - 2));
    ASSERT_TRUE(display.Key("alt+F4"));
    ASSERT_TRUE(input.Left());
    EXPECT_TRUE(display.WaitForSimValue("hpos", hpos - 1));
}

TEST(FullScreenInputTest, ConvergenceDialogStaysAboveWhileTheScreenTakesTheDrag) {
    QELT32_SKIP_WITHOUT_REAL_DISPLAY(true);
    CRealDisplay::Options options;
    options.windowManager = true;
    CRealDisplay display(options);
    ASSERT_TRUE(display.Start()) << display.Error().toStdString();
    ASSERT_TRUE(display.StartProgram()) << display.Error().toStdString();
    FullScreenInput input(display);
    const int hconv = display.SimValue("hconv");

    ASSERT_TRUE(input.Open());
    const QString fullScreen = input.FullScreenWindow();
    // The popup menu, third command: Convergence...
    ASSERT_TRUE(input.MoveTo(CellOf(19)));
    ASSERT_TRUE(display.Xdotool({"click", "3"}));
    QThread::msleep(300);
    ASSERT_TRUE(display.Key("Down Down Down Return"));
    ASSERT_TRUE(CRealDisplay::WaitUntil(
        [&] { return !input.Windows("Convergence Adjustment").isEmpty(); }));
    const QString dialog = input.Windows("Convergence Adjustment").value(0);

    // A click on the screen where there is no handle: it beeps, and neither takes the focus
    // nor comes up over the dialog.
    ASSERT_TRUE(input.MoveTo(CellOf(HandleKinds::kNoHandle, CellMap::kConvergenceAll, true)));
    ASSERT_TRUE(input.Click());
    QThread::msleep(300);
    const QStringList stacking = input.Stacking();
    EXPECT_GT(stacking.indexOf(dialog), stacking.indexOf(fullScreen))
        << stacking.join(' ').toStdString();
    QString active;
    display.Xdotool({"getactivewindow"}, &active);
    EXPECT_EQ(active.trimmed(), dialog);

    // Dragging a horizontal convergence handle on the screen moves convergence.
    ASSERT_TRUE(input.MoveTo(CellOf(16, CellMap::kConvergenceAll, true)));
    ASSERT_TRUE(input.Click());
    ASSERT_TRUE(input.MoveBy(30, 0));
    EXPECT_TRUE(display.WaitForSimValue("hconv", hconv + 4));
    ASSERT_TRUE(input.Click());
    ASSERT_TRUE(display.Screenshot(qEnvironmentVariable("QELT32_SHOT_DIR", "/tmp") +
                                   "/fullscreen-convergence-openbox.png"));

    // The dialog ends (Escape goes to it: it kept the keyboard); the screen's Escape cancels.
    ASSERT_TRUE(display.Focus(dialog));
    ASSERT_TRUE(display.Key("Escape"));
    ASSERT_TRUE(
        CRealDisplay::WaitUntil([&] { return input.Windows("Convergence Adjustment").isEmpty(); }));
    ASSERT_TRUE(display.Focus(fullScreen));
    ASSERT_TRUE(display.Key("Escape"));
    ASSERT_TRUE(input.Left());
}
