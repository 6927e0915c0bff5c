#include "platform/StringTable.h"

#include <QCoreApplication>

namespace {

struct Entry {
    int id;
    const char* text;
};

// English texts exactly as the program shows them; the translations look them up by this
// text in context "StringTable". Command strings hold the status-bar prompt and, after a
// line feed, the tool tip.
const Entry kStrings[] = {
    // Document template: title, document name, type, filter, extension, file type, its name.
    {128, QT_TRANSLATE_NOOP("StringTable", "Vistrel Pro\n\nQelt32\nQelt32 Files (*.qlt)\n.qlt\n"
                                           "Qelt32.Document\nVistrel Pro Data")},

    // Keypad steps of the main panel.
    {32771, QT_TRANSLATE_NOOP("StringTable", "Move the picture up and to the right")},
    {32772, QT_TRANSLATE_NOOP("StringTable", "Move the picture down and to the right")},
    {32773, QT_TRANSLATE_NOOP("StringTable", "Move the picture up and to the left")},
    {32774, QT_TRANSLATE_NOOP("StringTable", "Move the picture down and to the left")},
    {32775, QT_TRANSLATE_NOOP("StringTable", "Make the picture wider and taller")},
    {32776, QT_TRANSLATE_NOOP("StringTable", "Make the picture wider and lower")},
    {32777, QT_TRANSLATE_NOOP("StringTable", "Make the picture narrower and taller")},
    {32778, QT_TRANSLATE_NOOP("StringTable", "Make the picture narrower and lower")},
    {32816, QT_TRANSLATE_NOOP("StringTable", "Move the picture to the right")},
    {32817, QT_TRANSLATE_NOOP("StringTable", "Move the picture to the left")},
    {32818, QT_TRANSLATE_NOOP("StringTable", "Move the picture up")},
    {32819, QT_TRANSLATE_NOOP("StringTable", "Move the picture down")},
    {32820, QT_TRANSLATE_NOOP("StringTable", "Make the picture wider")},
    {32821, QT_TRANSLATE_NOOP("StringTable", "Make the picture narrower")},
    {32822, QT_TRANSLATE_NOOP("StringTable", "Make the picture taller")},
    {32823, QT_TRANSLATE_NOOP("StringTable", "Make the picture lower")},

    // Popup menu of the full-screen adjustment.
    {32779, QT_TRANSLATE_NOOP("StringTable",
                              "Move size and position together when an edge or corner is dragged")},
    {32811, QT_TRANSLATE_NOOP("StringTable", "Adjust the moiré reduction")},
    {32812, QT_TRANSLATE_NOOP("StringTable", "Adjust the convergence")},
    {32813, QT_TRANSLATE_NOOP("StringTable", "Adjust the vertical linearity")},
    {32814,
     QT_TRANSLATE_NOOP("StringTable",
                       "Move two distortion values together when a side or corner is dragged")},
    {32815, QT_TRANSLATE_NOOP("StringTable", "Show how the screen adjustment works")},
    {32828,
     QT_TRANSLATE_NOOP("StringTable", "Keep the adjustment and leave the screen adjustment")},
    {32829,
     QT_TRANSLATE_NOOP("StringTable", "Undo the adjustment and leave the screen adjustment")},

    // Function menu.
    {32786, QT_TRANSLATE_NOOP("StringTable",
                              "Removing magnetic-field effect from the monitor.\nDegaussing")},
    {32787, QT_TRANSLATE_NOOP("StringTable", "Auto-Adjustment of Size and Geometry\nAuto-Sizing")},
    {32788, QT_TRANSLATE_NOOP("StringTable", "Switch the input signal to D-SUB\nD-SUB")},
    {32789, QT_TRANSLATE_NOOP("StringTable", "Switch the input signal to BNC\nBNC")},
    {32793, QT_TRANSLATE_NOOP("StringTable", "Changing the color mode to Mode1\nColor Mode1")},
    {32794, QT_TRANSLATE_NOOP("StringTable", "Changing the color mode to Mode2\nColor Mode2")},
    {32795, QT_TRANSLATE_NOOP("StringTable", "Changing the color mode to Mode3\nColor Mode3")},
    {32800, QT_TRANSLATE_NOOP("StringTable", "ON and OFF the beep function of the monitor\nBeep")},
    {32801, QT_TRANSLATE_NOOP("StringTable", "Beep ON\nON")},
    {32802, QT_TRANSLATE_NOOP("StringTable", "Beep OFF\nOFF")},
    {32803, QT_TRANSLATE_NOOP("StringTable", "Detect the input signal port")},
    {32804, QT_TRANSLATE_NOOP("StringTable", "Not to detect the input signal port")},
    {32807, QT_TRANSLATE_NOOP("StringTable", "Reset all adjustment values to default")},
    {32808, QT_TRANSLATE_NOOP("StringTable", "Reset the adjustment value of size etc. to default")},
    {32809,
     QT_TRANSLATE_NOOP("StringTable", "Reset the adjustment value of convergence etc. to default")},
    {32810, QT_TRANSLATE_NOOP("StringTable", "Reset the color adjustment value to default")},
    {32824,
     QT_TRANSLATE_NOOP("StringTable", "Store the current adjustment value in monitor's memory\n"
                                      "Store to Memory")},
    {32825, QT_TRANSLATE_NOOP("StringTable", "Detect input signal port with priority on D-SUB")},
    {32826, QT_TRANSLATE_NOOP("StringTable", "Detect input signal port with priority on BNC")},
    {32827, QT_TRANSLATE_NOOP("StringTable", "Select input signal manually")},
    {32830, QT_TRANSLATE_NOOP("StringTable",
                              "Choose the serial device the monitor is connected to\nSerial Port")},

    // Application title, idle prompt and the file and help commands.
    {57344, QT_TRANSLATE_NOOP("StringTable", "Vistrel Pro")},
    {57345, QT_TRANSLATE_NOOP("StringTable", "Ready")},
    {57601, QT_TRANSLATE_NOOP("StringTable", "Load monitor settings from a file\nOpen")},
    {57603, QT_TRANSLATE_NOOP("StringTable", "Save the monitor settings to the file\nSave")},
    {57604, QT_TRANSLATE_NOOP("StringTable", "Save the monitor settings to a new file\nSave As")},
    {57616, QT_TRANSLATE_NOOP("StringTable", "Load the settings of this file")},
    {57617, QT_TRANSLATE_NOOP("StringTable", "Load the settings of this file")},
    {57618, QT_TRANSLATE_NOOP("StringTable", "Load the settings of this file")},
    {57619, QT_TRANSLATE_NOOP("StringTable", "Load the settings of this file")},
    {57664, QT_TRANSLATE_NOOP("StringTable",
                              "Show the program's name, version and monitor protocol\nAbout")},
    {57665, QT_TRANSLATE_NOOP("StringTable", "Leave the program\nExit")},
    {57667, QT_TRANSLATE_NOOP("StringTable", "List the help topics\nHelp Topics")},
    {59138, QT_TRANSLATE_NOOP("StringTable", "NUM")},

    // Messages and texts of the program.
    {61204, QT_TRANSLATE_NOOP("StringTable", "Running Auto-Sizing now.\nPlease wait a moment.")},
    {61206, QT_TRANSLATE_NOOP("StringTable",
                              "Monitor and the computer may not be connected correctly.\nPlease "
                              "check the connection of the maintenance cable referring to the "
                              "User*s Manual of the Vistrel Pro.")},
    {61207, QT_TRANSLATE_NOOP("StringTable", "Communication failure.\nPlease check connection of "
                                             "the maintenance cable. ")},
    {61209, QT_TRANSLATE_NOOP("StringTable",
                              "Monitor data is changed.\nDo you want to save the setting?")},
    {61210, QT_TRANSLATE_NOOP("StringTable", "Adjust monitor to eliminate red and blue tinges of "
                                             "the purple lines on the screen.")},
    {61211, QT_TRANSLATE_NOOP("StringTable", "fH:150kHz")},
    {61212, QT_TRANSLATE_NOOP("StringTable", "fV:100Hz")},
    {61213, QT_TRANSLATE_NOOP("StringTable", "The data of the selected file is not for this "
                                             "monitor. It cannot be loaded.")},
    {61214, QT_TRANSLATE_NOOP("StringTable", "The screen data of this file is not available for "
                                             "this monitor. It cannot be loaded.")},
    {61215, QT_TRANSLATE_NOOP("StringTable", "The file for the animated cursor cannot be "
                                             "found.\nPlease re-install the program.")},
    {61216, QT_TRANSLATE_NOOP("StringTable", "Auto-Sizing")},
    {61219, QT_TRANSLATE_NOOP("StringTable", "Monitor Communication Protocol Revision %S")},
    {61221, QT_TRANSLATE_NOOP("StringTable",
                              "To use combination function of screen adjustment, it is necessity "
                              "to copy DISPLAY1.INI file to Vistrel Pro installed directory from "
                              "QURE Monitor Information Disk, which is attached with the monitor "
                              "package.")},
    {61224, QT_TRANSLATE_NOOP("StringTable",
                              "Please adjust the purple lines not to have a color separation as "
                              "follows. The vertical adjustment can be operated independently in "
                              "each screen area: whole, top and bottom.\r\n\r\n1. Horizontal and "
                              "Vertical Convergence Adjustment in the screen center.\r\n2. "
                              "Vertical Convergence Adjustment in the top and the bottom of the "
                              "screen.")},
    {61225, QT_TRANSLATE_NOOP("StringTable", "&Screen Data")},
    {61226, QT_TRANSLATE_NOOP("StringTable", "&Color Data")},
    {61227, QT_TRANSLATE_NOOP("StringTable", "&PowerWarden Data")},
    {61228,
     QT_TRANSLATE_NOOP("StringTable", "Vistrel Pro program can not be used with the LCD display.")},
    {61240, QT_TRANSLATE_NOOP("StringTable",
                              "The help file %1 cannot be found.\nPlease re-install the program.")},
    {61241, QT_TRANSLATE_NOOP("StringTable", "No help is available for this item.")},
    {61242, QT_TRANSLATE_NOOP("StringTable",
                              "The scan frequencies of the monitor could not be read, so the "
                              "file cannot be saved.\nPlease check connection of the "
                              "maintenance cable.")},
    // The link to the monitor going away and coming back.
    {61260, QT_TRANSLATE_NOOP("StringTable",
                              "The monitor is disconnected: %1\nThe values shown are what it last "
                              "held. The program goes on as soon as the monitor answers again.")},
    {61261, QT_TRANSLATE_NOOP(
                "StringTable",
                "The monitor is disconnected, so the changed settings were not stored in it.")},
    {61262, QT_TRANSLATE_NOOP("StringTable", "Disconnected")},
    {61263, QT_TRANSLATE_NOOP("StringTable", "The monitor answers again.")},
    {61264, QT_TRANSLATE_NOOP("StringTable", "A monitor with another serial number (%1) answers "
                                             "now.\nDo you want to adjust this monitor?")},
    // A profile QSettings would misread is left as it is.
    {61265, QT_TRANSLATE_NOOP("StringTable",
                              "The profile %1 has a format error in line %2. Its settings are "
                              "read as far as they can be, and the file is left as it is.")},
    {61266, QT_TRANSLATE_NOOP("StringTable",
                              "The profile %1 is not a readable file of a usable size. It is left "
                              "as it is, and settings changed now are not kept.")},
    {61243, QT_TRANSLATE_NOOP("StringTable",
                              "The screen of the full-screen adjustment was removed or changed, "
                              "so the adjustment was cancelled.")},
    {61244, QT_TRANSLATE_NOOP("StringTable",
                              "The pointer stops at the edge of the screen: use the arrow keys "
                              "to move this handle further.")},
    {61270, QT_TRANSLATE_NOOP("StringTable", "No monitor could be used on the chosen device, so "
                                             "the program goes on as before.\n%1")},
    {61271, QT_TRANSLATE_NOOP("StringTable",
                              "The monitor on the chosen device is another model (%1), for "
                              "which the windows of this run are not made.\nPlease start the "
                              "program again to adjust it.")},
    {61272, QT_TRANSLATE_NOOP("StringTable", "Now adjusting the monitor on %1.")},

    // File dialogs and document errors.
    {61440, QT_TRANSLATE_NOOP("StringTable", "Open")},
    {61441, QT_TRANSLATE_NOOP("StringTable", "Save As")},
    {61442, QT_TRANSLATE_NOOP("StringTable", "All Files (*)")},
    {61443, QT_TRANSLATE_NOOP("StringTable", "Untitled")},
    {61697, QT_TRANSLATE_NOOP("StringTable", "Failed to open document.")},
    {61698, QT_TRANSLATE_NOOP("StringTable", "Failed to save document.")},
    {61699, QT_TRANSLATE_NOOP("StringTable", "Save changes to %1?")},
    {61728, QT_TRANSLATE_NOOP("StringTable", "Unexpected file format.")},
    {61729, QT_TRANSLATE_NOOP("StringTable", "%1\nCannot find this file.\nPlease verify that the "
                                             "correct path and file name are given.")},
    {61730, QT_TRANSLATE_NOOP("StringTable", "Destination disk drive is full.")},
    {61731,
     QT_TRANSLATE_NOOP("StringTable", "Unable to read from %1, it is opened by someone else.")},
    {61732, QT_TRANSLATE_NOOP("StringTable",
                              "Unable to write to %1, it is read-only or opened by someone else.")},
    {61733, QT_TRANSLATE_NOOP("StringTable", "The folder %1 cannot be written to.\nPlease save "
                                             "the file in another folder.")},
};

const char* Find(int id) {
    for (const Entry& e : kStrings)
        if (e.id == id)
            return e.text;
    return nullptr;
}

} // namespace

QString LoadAppString(int id) {
    const char* text = Find(id);
    return text ? QCoreApplication::translate("StringTable", text) : QString();
}

QString LoadAppStringEnglish(int id) {
    const char* text = Find(id);
    return text ? QString::fromUtf8(text) : QString();
}

std::vector<int> AppStringIds() {
    std::vector<int> ids;
    for (const Entry& e : kStrings)
        ids.push_back(e.id);
    return ids;
}
