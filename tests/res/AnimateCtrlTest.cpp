#include "platform/AnimateCtrl.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

// Runs the event loop until `done` or two seconds have passed.
template <typename Done> bool WaitFor(Done done) {
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

} // namespace

TEST(AnimateCtrl, OpensClipsByNumberAndRefusesUnknownOnes) {
    CAnimateCtrl control;
    EXPECT_TRUE(control.Open(5));
    EXPECT_EQ(control.FrameCount(), 12);
    EXPECT_EQ(control.CurrentFrame(), 0);
    EXPECT_FALSE(control.IsPlaying());
    EXPECT_FALSE(control.Open(999));
    EXPECT_FALSE(control.IsOpen());
    EXPECT_FALSE(control.Play());
}

TEST(AnimateCtrl, PlaysARangeTheGivenNumberOfTimesAndStopsOnItsLastFrame) {
    CAnimateCtrl control;
    ASSERT_TRUE(control.Open(48)); // 8 frames of 80 ms
    QSignalSpy finished(&control, &CAnimateCtrl::Finished);
    std::vector<int> seen;
    ASSERT_TRUE(control.Play(2, 4, 2));
    EXPECT_TRUE(WaitFor([&] {
        if (seen.empty() || seen.back() != control.CurrentFrame())
            seen.push_back(control.CurrentFrame());
        return finished.count() > 0;
    }));
    EXPECT_EQ(seen, (std::vector<int>{2, 3, 4, 2, 3, 4}));
    EXPECT_EQ(control.CurrentFrame(), 4);
    EXPECT_FALSE(control.IsPlaying());
}

TEST(AnimateCtrl, AutoPlayLoopsUntilStoppedOrClosed) {
    CAnimateCtrl control;
    control.SetAutoPlay(true);
    ASSERT_TRUE(control.Open(10));
    EXPECT_TRUE(control.IsPlaying());
    EXPECT_TRUE(WaitFor([&] { return control.CurrentFrame() == 7; }));
    EXPECT_TRUE(WaitFor([&] { return control.CurrentFrame() == 0; })); // round again
    control.Stop();
    EXPECT_FALSE(control.IsPlaying());
    control.Close();
    EXPECT_FALSE(control.IsOpen());
    EXPECT_EQ(control.FrameCount(), 0);
}

TEST(AnimateCtrl, SeekAndPlayRefuseFramesOutsideTheClip) {
    CAnimateCtrl control;
    ASSERT_TRUE(control.Open(6));
    EXPECT_TRUE(control.Seek(16));
    EXPECT_EQ(control.CurrentFrame(), 16);
    EXPECT_FALSE(control.Seek(17));
    EXPECT_FALSE(control.Play(5, 2));
    EXPECT_FALSE(control.Play(0, 17));
    EXPECT_FALSE(control.Play(0, 16, 0));
    EXPECT_TRUE(control.Play(0, 16, 1));
}
