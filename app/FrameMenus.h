#pragma once

#include <vector>

// The menu bar of the main frame as data: menu 128 for every monitor but revision C, menu
// 129 for revision C. Texts are English source texts, translated in context "CMainFrame".
struct MenuNode {
    enum Kind { Command, Popup, Separator, RecentFiles };
    Kind kind = Command;
    int id = 0; // command id
    const char* text = nullptr;
    std::vector<MenuNode> children;
};

// The top-level popups (File, Function, Help) of menu 128 or 129.
const std::vector<MenuNode>& FrameMenu(int menuId);
