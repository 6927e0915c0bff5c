#pragma once

#include <QString>

class CAdjustWnd;
class CMainFrame;
class CMonitor;

// Takes a picture of the running program for the documentation and for looking at it
// without a display: once the frame has settled, opens what `what` names (a menu, the
// About box, the auto-sizing notice, the full-screen adjustment with a handle held, its
// popup menu or one of its dialogs, or nothing for the main window or the start-up
// picture), saves the screen to `path` and closes the program. A picture that cannot be
// saved ends the program with exit status 3.
void ScheduleScreenshot(CMainFrame& frame, CAdjustWnd& adjustWnd, CMonitor& monitor,
                        const QString& path, const QString& what);
// For "startup-message": called before start-up, saves the screen while the first message
// box of the start-up is up, and closes the box.
void ScheduleStartupMessageShot(const QString& path);
