#include "platform/StringTable.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <set>

namespace {

// A command's string: the status-bar prompt, then after a line feed the tool tip.
QString Prompt(int id) {
    return LoadAppString(id).section('\n', 0, 0);
}
QString Tip(int id) {
    return LoadAppString(id).section('\n', 1);
}

} // namespace

TEST(StringTable, MessagesKeepTheirExactTextIncludingEscapesAndTrailingBlanks) {
    EXPECT_EQ(LoadAppString(Str::CommFailure),
              "Communication failure.\nPlease check connection of the maintenance cable. ");
    EXPECT_EQ(LoadAppString(Str::CursorFileMissing),
              "The file for the animated cursor cannot be found.\nPlease re-install the program.");
    EXPECT_TRUE(LoadAppString(Str::ConvergenceLong).contains("bottom.\r\n\r\n1. Horizontal"));
    EXPECT_EQ(LoadAppString(32809), "Reset the adjustment value of convergence etc. to default");
    EXPECT_EQ(LoadAppString(Str::ProtocolRevision), "Monitor Communication Protocol Revision %S");
    EXPECT_EQ(LoadAppString(Str::FileNotFound).arg("a.qlt"),
              "a.qlt\nCannot find this file.\nPlease verify that the correct path and file name "
              "are given.");
}

TEST(StringTable, DocumentTemplateHasSevenFieldsWithAnEmptyDocumentName) {
    const QStringList fields = LoadAppString(Str::DocTemplate).split('\n');
    ASSERT_EQ(fields.size(), 7);
    EXPECT_EQ(fields[0], "Vistrel Pro");
    EXPECT_TRUE(fields[1].isEmpty());
    EXPECT_EQ(fields[3], "Qelt32 Files (*.qlt)");
    EXPECT_EQ(fields[4], ".qlt");
    EXPECT_EQ(fields[6], "Vistrel Pro Data");
}

TEST(StringTable, CommandStringsSplitIntoPromptAndTip) {
    EXPECT_EQ(Prompt(32788), "Switch the input signal to D-SUB");
    EXPECT_EQ(Tip(32788), "D-SUB");
    EXPECT_EQ(Tip(32789), "BNC");
    EXPECT_EQ(Tip(32824), "Store to Memory");
    // Menu-only commands have a prompt and no tip.
    EXPECT_EQ(Prompt(32827), "Select input signal manually");
    EXPECT_TRUE(Tip(32827).isEmpty());
}

TEST(StringTable, EveryFunctionAndToolbarCommandHasAPromptAndEveryButtonATip) {
    const int menuCommands[] = {32786, 32787, 32788, 32789, 32793, 32794, 32795, 32800,
                                32801, 32802, 32803, 32804, 32807, 32808, 32809, 32810,
                                32824, 32825, 32826, 32827, 57601, 57603, 57604, 57664,
                                57665, 57667, 32816, 32823, 32771, 32778};
    for (int id : menuCommands)
        EXPECT_FALSE(Prompt(id).isEmpty()) << id;
    const int buttons[] = {57601, 57603, 32793, 32794, 32795, 32789,
                           32788, 32800, 32787, 32786, 32824, 57664};
    for (int id : buttons)
        EXPECT_FALSE(Tip(id).isEmpty()) << id;
}

TEST(StringTable, IdsAreUniqueAndUnknownIdsGiveNothing) {
    const std::vector<int> ids = AppStringIds();
    EXPECT_EQ(std::set<int>(ids.begin(), ids.end()).size(), ids.size());
    for (int id : ids)
        EXPECT_FALSE(LoadAppStringEnglish(id).isEmpty()) << id;
    EXPECT_TRUE(LoadAppString(12345).isEmpty());
    EXPECT_TRUE(Prompt(12345).isEmpty());
    EXPECT_TRUE(Tip(12345).isEmpty());
}
