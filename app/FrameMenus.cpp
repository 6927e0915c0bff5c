#include "app/FrameMenus.h"

#include "app/CommandIds.h"
#include "app/FrameLayout.h"

#include <QtGlobal>

namespace {

#define TEXT(s) QT_TRANSLATE_NOOP("CMainFrame", s)

MenuNode Item(int id, const char* text) {
    return {MenuNode::Command, id, text, {}};
}
MenuNode Popup(const char* text, std::vector<MenuNode> children) {
    return {MenuNode::Popup, 0, text, std::move(children)};
}
MenuNode Separator() {
    return {MenuNode::Separator, 0, nullptr, {}};
}

MenuNode FileMenu() {
    return Popup(TEXT("&File"), {Item(Cmd::FileOpen, TEXT("&Open...\tCtrl+O")),
                                 Item(Cmd::FileSave, TEXT("&Save\tCtrl+S")),
                                 Item(Cmd::FileSaveAs, TEXT("Save &As...")),
                                 Separator(),
                                 {MenuNode::RecentFiles, Cmd::FileMru1, TEXT("Recent File"), {}},
                                 Separator(),
                                 Item(Cmd::AppExit, TEXT("E&xit"))});
}

MenuNode HelpMenu() {
    return Popup(TEXT("&Help"), {Item(Cmd::HelpFinder, TEXT("&Help Topics")), Separator(),
                                 Item(Cmd::AppAbout, TEXT("&About Vistrel Pro..."))});
}

MenuNode BeepMenu() {
    return Popup(TEXT("&Beep"), {Item(Cmd::BeepOn, TEXT("ON")), Item(Cmd::BeepOff, TEXT("OFF"))});
}

MenuNode ResetMenu(const char* allAdjustments) {
    return Popup(TEXT("&Reset"),
                 {Item(Cmd::ResetAll, allAdjustments),
                  Item(Cmd::ResetGeometry, TEXT("Size, Position and Distortion Adjustment")),
                  Item(Cmd::ResetConvergence, TEXT("Convergence, Tilt and Moiré Adjustment")),
                  Item(Cmd::ResetColor, TEXT("Color Adjustment"))});
}

std::vector<MenuNode> CommandTail() {
    return {Item(Cmd::AutoSizing, TEXT("&Auto-Sizing")), Item(Cmd::Degauss, TEXT("&Degauss")),
            Item(Cmd::StoreInMemory, TEXT("&Store in memory"))};
}

std::vector<MenuNode> Menu128() {
    std::vector<MenuNode> function = {
        Popup(TEXT("&Color Mode"),
              {Item(Cmd::ColorMode1, TEXT("Mode1")), Item(Cmd::ColorMode2, TEXT("Mode2")),
               Item(Cmd::ColorMode3, TEXT("Mode3"))}),
        Popup(
            TEXT("&Input Signal"),
            {Popup(TEXT("Current Input Signal"),
                   {Item(Cmd::InputDsub, TEXT("D-Sub")), Item(Cmd::InputBnc, TEXT("BNC"))}),
             Popup(TEXT("Detection of Input Signal"), {Item(Cmd::DetectAuto, TEXT("Auto")),
                                                       Item(Cmd::DetectManual, TEXT("Manual"))})}),
        BeepMenu(), ResetMenu(TEXT("All Adjustments"))};
    for (MenuNode& node : CommandTail())
        function.push_back(std::move(node));
    return {FileMenu(), Popup(TEXT("F&unction"), std::move(function)), HelpMenu()};
}

std::vector<MenuNode> Menu129() {
    std::vector<MenuNode> function = {
        Popup(TEXT("&Input Signal"),
              {Popup(TEXT("Current Input Signal"),
                     {Item(Cmd::InputDsub, TEXT("D-SUB")), Item(Cmd::InputBnc, TEXT("BNC"))}),
               Popup(TEXT("Detection of Input Signal"),
                     {Item(Cmd::DetectAutoDsub, TEXT("Auto (priority on D-SUB)")),
                      Item(Cmd::DetectAutoBnc, TEXT("Auto (priority on BNC)")),
                      Item(Cmd::DetectManualOnly, TEXT("Manual"))})}),
        BeepMenu(), ResetMenu(TEXT("All Adjustment"))};
    for (MenuNode& node : CommandTail())
        function.push_back(std::move(node));
    return {FileMenu(), Popup(TEXT("F&unction"), std::move(function)), HelpMenu()};
}

#undef TEXT

} // namespace

const std::vector<MenuNode>& FrameMenu(int menuId) {
    static const std::vector<MenuNode> menu128 = Menu128();
    static const std::vector<MenuNode> menu129 = Menu129();
    return menuId == FrameLayout::kMenuRevisionC ? menu129 : menu128;
}
