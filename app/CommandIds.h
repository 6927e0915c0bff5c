#pragma once

// Command ids of the main frame's menus, toolbars and system menu. Each id also names the
// string that holds its status-bar prompt and, after a line feed, its tool tip.
namespace Cmd {
// File and Help menus
constexpr int FileNew = 57600;
constexpr int FileOpen = 57601;
constexpr int FileSave = 57603;
constexpr int FileSaveAs = 57604;
constexpr int FileMru1 = 57616; // the recent files are 57616..57619
constexpr int FileMruCount = 4;
constexpr int AppAbout = 57664;
constexpr int AppExit = 57665;
constexpr int HelpFinder = 57667;
constexpr int FileSerialPort = 32830;

// Function menu
constexpr int Degauss = 32786;
constexpr int AutoSizing = 32787;
constexpr int InputDsub = 32788;
constexpr int InputBnc = 32789;
constexpr int ColorMode1 = 32793;
constexpr int ColorMode2 = 32794;
constexpr int ColorMode3 = 32795;
constexpr int BeepToggle = 32800;
constexpr int BeepOn = 32801;
constexpr int BeepOff = 32802;
constexpr int DetectAuto = 32803;
constexpr int DetectManual = 32804;
constexpr int ResetAll = 32807;
constexpr int ResetGeometry = 32808;
constexpr int ResetConvergence = 32809;
constexpr int ResetColor = 32810;
constexpr int StoreInMemory = 32824;
constexpr int DetectAutoDsub = 32825;
constexpr int DetectAutoBnc = 32826;
constexpr int DetectManualOnly = 32827;

// The system menu's Auto-Sizing entry while the frame is minimised.
constexpr int SysAutoSizing = 1067;
} // namespace Cmd
