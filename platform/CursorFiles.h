#pragma once

// The cursor files of the handle kinds 0..32, in kind order, as they lie in the cursor/
// folder of the program folder. Kind 19 (position) is the one static cursor.
constexpr int kCursorFileCount = 33;
constexpr const char* kCursorFileNames[kCursorFileCount] = {
    "Cvtsize.ani", "Chrsize.ani",  "Cvbsize.ani",  "Chlsize.ani",  "Crtsize.ani",  "Crbsize.ani",
    "Clbsize.ani", "Cltsize.ani",  "Crside.ani",   "Clside.ani",   "Crdist.ani",   "Cldist.ani",
    "Ctrape.ani",  "Cpinbala.ani", "Cparalle.ani", "Csidepin.ani", "Chconver.ani", "Cvconver.ani",
    "Ctilt.ani",   "Cpos.cur",     "Cpinltba.ani", "Cpinrtba.ani", "Cpinlbba.ani", "Cpinrbba.ani",
    "Chsize.ani",  "Cvsize.ani",   "Chvsize.ani",  "Cpintba.ani",  "Cpinbba.ani",  "Cpintop.ani",
    "Cpinb.ani",   "Cvcont.ani",   "Cvconb.ani",
};
