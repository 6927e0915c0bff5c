#include "platform/HelpWindow.h"
#include "platform/StringTable.h"

#include "RecordingMessages.h"

#include <QApplication>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace {

QString HelpPath(char language) {
    return QStringLiteral(QELT32_TEST_BIN_DIR) + QStringLiteral("/qelt32%1.hlp").arg(language);
}

// The controls of the dialog templates that open context help, by template.
const std::vector<std::pair<int, std::vector<int>>> kTemplateControls = {
    {101, {1068, 1050, 1004, 1005, 1075, 1151, 1149, 1150, 1121, 1122, 1069, 1081,
           1147, 1148, 1076, 1078, 1077, 1079, 1052, 1072, 1073, 1074, 1070}},
    {140, {1066, 1, 2}},
    {144, {1137, 1138, 1139, 1140, 1002, 1141, 1143, 1144, 1003, 1142, 1090, 1091, 1, 2}},
    {157, {1043, 1000, 1003, 1152, 1153, 1006, 1044, 1001, 1004, 1154, 1155, 1, 2}},
    {161, {1082, 1083, 1115, 1084, 1,    2,    1128, 1086, 1087, 1088, 1089, 1129,
           1090, 1091, 1092, 1093, 1130, 1094, 1096, 1097, 1098, 1112, 1099, 1100,
           1101, 1102, 1113, 1103, 1104, 1105, 1111, 1114, 1107, 1108, 1109, 1110}},
    {163, {1084, 1085, 1132, 1, 2}},
    {164, {1084, 1085, 1132, 1, 2}},
    {168, {1}},
};

CHelpWindow* FindHelpWindow(const QString& name) {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == "helpWindow:" + name && widget->isVisible())
            return qobject_cast<CHelpWindow*>(widget);
    return nullptr;
}

} // namespace

TEST(Help, ContextIdsAndAnchorsFollowTheProgramsNumbering) {
    EXPECT_EQ(HelpContext::ForControl(161, 1128), 0x80A10468u);
    EXPECT_EQ(HelpContext::ForCommand(32786), 0x18012u);
    EXPECT_EQ(HelpContext::Anchor(HelpContext::ScreenAdjustment), "ctx-00000010");
    EXPECT_EQ(HelpContext::Anchor(0x80A10468u), "ctx-80A10468");
}

TEST(Help, EveryLanguageAnswersEveryControlCommandAndWindow) {
    std::vector<quint32> ids = {HelpContext::ScreenAdjustment, HelpContext::ForDialog(101),
                                HelpContext::ForDialog(161),   HelpContext::ForDialog(144),
                                HelpContext::ForDialog(157),   HelpContext::ForDialog(140),
                                HelpContext::ForDialog(163),   HelpContext::ForDialog(164)};
    for (int command : {32786, 32787, 32788, 32789, 32793, 32794, 32795, 32800, 32801,
                        32802, 32803, 32804, 32807, 32808, 32809, 32810, 32824, 32825,
                        32826, 32827, 57601, 57603, 57604, 57664, 57665, 57667})
        ids.push_back(HelpContext::ForCommand(command));
    for (const auto& [templateId, controls] : kTemplateControls)
        for (int control : controls)
            ids.push_back(HelpContext::ForControl(templateId, control));

    QStringList titles;
    for (char language : {'e', 'g', 'f', 'j'}) {
        const std::optional<CHelpFile> file = CHelpFile::Load(HelpPath(language));
        ASSERT_TRUE(file) << language;
        titles << file->Title();
        for (quint32 id : ids)
            EXPECT_TRUE(file->HasTopic(id)) << language << " " << std::hex << id;
    }
    titles.removeDuplicates();
    EXPECT_EQ(titles.size(), 4); // each file speaks its own language
}

TEST(Help, TopicIsItsOwnBlockOnly) {
    const std::optional<CHelpFile> file = CHelpFile::Load(HelpPath('e'));
    ASSERT_TRUE(file);
    const QString brightness = file->TopicHtml(HelpContext::ForControl(161, 1128));
    EXPECT_TRUE(brightness.contains("black level"));
    EXPECT_FALSE(brightness.contains("white and light colours")); // the next row's topic
    EXPECT_TRUE(file->TopicHtml(0x12345678).isEmpty());
}

TEST(Help, MissingFileIsToldToTheUserByName) {
    CRecordingMessages messages;
    EXPECT_FALSE(ShowHelpContext("/no/such/folder/qelt32e.hlp", 16));
    EXPECT_FALSE(ShowHelpTopics("/no/such/folder/qelt32e.hlp"));
    ASSERT_EQ(messages.Count(Str::HelpFileMissing), 2);
    EXPECT_EQ(messages.args.front(), "qelt32e.hlp");
}

TEST(Help, SecondaryWindowOpensAtItsTopicBesideTheMainWindow) {
    ASSERT_TRUE(ShowHelpTopic(HelpPath('e') + ">proc4", HelpContext::ScreenAdjustment));
    ASSERT_TRUE(ShowHelpTopics(HelpPath('e')));
    CHelpWindow* secondary = FindHelpWindow("proc4");
    CHelpWindow* main = FindHelpWindow("");
    ASSERT_TRUE(secondary);
    ASSERT_TRUE(main);
    EXPECT_NE(secondary, main);
    EXPECT_EQ(secondary->ShownContext(), HelpContext::ScreenAdjustment);
    EXPECT_EQ(main->ShownContext(), HelpContext::Contents);
    EXPECT_EQ(main->windowTitle(), "Vistrel Pro Help");

    // An unknown topic opens the contents and says it was not found.
    EXPECT_FALSE(ShowHelpTopic(HelpPath('e') + ">proc4", 0x7777));
    EXPECT_EQ(secondary->ShownContext(), HelpContext::Contents);
    secondary->close();
    main->close();
}

TEST(Help, ContextPopupKnowsWhetherTheTopicExists) {
    CRecordingMessages messages;
    EXPECT_TRUE(ShowHelpContext(HelpPath('g'), HelpContext::ForControl(157, 1043)));
    EXPECT_FALSE(ShowHelpContext(HelpPath('g'), 0));
    EXPECT_TRUE(messages.shown.empty()); // a popup, never a message box
}
