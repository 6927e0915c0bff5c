#include "app/FrameMenus.h"

#include "app/CommandIds.h"
#include "app/FrameLayout.h"

#include <QtGlobal>

namespace {

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
    return Popup(
        QT_TRANSLATE_NOOP("CMainFrame", "&File"),
        {Item(Cmd::FileOpen, QT_TRANSLATE_NOOP("CMainFrame", "&Open...\tCtrl+O")),
         Item(Cmd::FileSave, QT_TRANSLATE_NOOP("CMainFrame", "&Save\tCtrl+S")),
         Item(Cmd::FileSaveAs, QT_TRANSLATE_NOOP("CMainFrame", "Save &As...")),
         Separator(),
         Item(Cmd::FileSerialPort, QT_TRANSLATE_NOOP("CMainFrame", "Serial &Port...")),
         Separator(),
         {MenuNode::RecentFiles, Cmd::FileMru1, QT_TRANSLATE_NOOP("CMainFrame", "Recent File"), {}},
         Separator(),
         Item(Cmd::AppExit, QT_TRANSLATE_NOOP("CMainFrame", "E&xit"))});
}

MenuNode HelpMenu() {
    return Popup(QT_TRANSLATE_NOOP("CMainFrame", "&Help"),
                 {Item(Cmd::HelpFinder, QT_TRANSLATE_NOOP("CMainFrame", "&Help Topics")),
                  Separator(),
                  Item(Cmd::AppAbout, QT_TRANSLATE_NOOP("CMainFrame", "&About Vistrel Pro..."))});
}

MenuNode BeepMenu() {
    return Popup(QT_TRANSLATE_NOOP("CMainFrame", "&Beep"),
                 {Item(Cmd::BeepOn, QT_TRANSLATE_NOOP("CMainFrame", "ON")),
                  Item(Cmd::BeepOff, QT_TRANSLATE_NOOP("CMainFrame", "OFF"))});
}

MenuNode ResetMenu(const char* allAdjustments) {
    return Popup(QT_TRANSLATE_NOOP("CMainFrame", "&Reset"),
                 {Item(Cmd::ResetAll, allAdjustments),
                  Item(Cmd::ResetGeometry,
                       QT_TRANSLATE_NOOP("CMainFrame", "Size, Position and Distortion Adjustment")),
                  Item(Cmd::ResetConvergence,
                       QT_TRANSLATE_NOOP("CMainFrame", "Convergence, Tilt and Moiré Adjustment")),
                  Item(Cmd::ResetColor, QT_TRANSLATE_NOOP("CMainFrame", "Color Adjustment"))});
}

std::vector<MenuNode> CommandTail() {
    return {Item(Cmd::AutoSizing, QT_TRANSLATE_NOOP("CMainFrame", "&Auto-Sizing")),
            Item(Cmd::Degauss, QT_TRANSLATE_NOOP("CMainFrame", "&Degauss")),
            Item(Cmd::StoreInMemory, QT_TRANSLATE_NOOP("CMainFrame", "&Store in memory"))};
}

std::vector<MenuNode> Menu128() {
    std::vector<MenuNode> function = {
        Popup(QT_TRANSLATE_NOOP("CMainFrame", "&Color Mode"),
              {Item(Cmd::ColorMode1, QT_TRANSLATE_NOOP("CMainFrame", "Mode1")),
               Item(Cmd::ColorMode2, QT_TRANSLATE_NOOP("CMainFrame", "Mode2")),
               Item(Cmd::ColorMode3, QT_TRANSLATE_NOOP("CMainFrame", "Mode3"))}),
        Popup(QT_TRANSLATE_NOOP("CMainFrame", "&Input Signal"),
              {Popup(QT_TRANSLATE_NOOP("CMainFrame", "Current Input Signal"),
                     {Item(Cmd::InputDsub, QT_TRANSLATE_NOOP("CMainFrame", "D-Sub")),
                      Item(Cmd::InputBnc, QT_TRANSLATE_NOOP("CMainFrame", "BNC"))}),
               Popup(QT_TRANSLATE_NOOP("CMainFrame", "Detection of Input Signal"),
                     {Item(Cmd::DetectAuto, QT_TRANSLATE_NOOP("CMainFrame", "Auto")),
                      Item(Cmd::DetectManual, QT_TRANSLATE_NOOP("CMainFrame", "Manual"))})}),
        BeepMenu(), ResetMenu(QT_TRANSLATE_NOOP("CMainFrame", "All Adjustments"))};
    for (MenuNode& node : CommandTail())
        function.push_back(std::move(node));
    return {FileMenu(), Popup(QT_TRANSLATE_NOOP("CMainFrame", "F&unction"), std::move(function)),
            HelpMenu()};
}

std::vector<MenuNode> Menu129() {
    std::vector<MenuNode> function = {
        Popup(QT_TRANSLATE_NOOP("CMainFrame", "&Input Signal"),
              {Popup(QT_TRANSLATE_NOOP("CMainFrame", "Current Input Signal"),
                     {Item(Cmd::InputDsub, QT_TRANSLATE_NOOP("CMainFrame", "D-SUB")),
                      Item(Cmd::InputBnc, QT_TRANSLATE_NOOP("CMainFrame", "BNC"))}),
               Popup(QT_TRANSLATE_NOOP("CMainFrame", "Detection of Input Signal"),
                     {Item(Cmd::DetectAutoDsub,
                           QT_TRANSLATE_NOOP("CMainFrame", "Auto (priority on D-SUB)")),
                      Item(Cmd::DetectAutoBnc,
                           QT_TRANSLATE_NOOP("CMainFrame", "Auto (priority on BNC)")),
                      Item(Cmd::DetectManualOnly, QT_TRANSLATE_NOOP("CMainFrame", "Manual"))})}),
        BeepMenu(), ResetMenu(QT_TRANSLATE_NOOP("CMainFrame", "All Adjustment"))};
    for (MenuNode& node : CommandTail())
        function.push_back(std::move(node));
    return {FileMenu(), Popup(QT_TRANSLATE_NOOP("CMainFrame", "F&unction"), std::move(function)),
            HelpMenu()};
}

} // namespace

const std::vector<MenuNode>& FrameMenu(int menuId) {
    static const std::vector<MenuNode> menu128 = Menu128();
    static const std::vector<MenuNode> menu129 = Menu129();
    return menuId == FrameLayout::kMenuRevisionC ? menu129 : menu128;
}
