#pragma once

#include <QString>

class CMainFrame;
class CMonitor;

// Takes a picture of the running program for the documentation and for looking at it
// without a display: once the frame has settled, opens what `what` names (a menu, the
// About box, the auto-sizing notice, or nothing for the main window or the start-up
// picture), saves the screen to `path` and closes the program. A picture that cannot be
// saved ends the program with exit status 3.
void ScheduleScreenshot(CMainFrame& frame, CMonitor& monitor, const QString& path,
                        const QString& what);
