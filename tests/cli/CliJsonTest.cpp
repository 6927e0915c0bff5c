// --json: every command that prints a result prints it as one JSON object, and the help,
// the manual page and the completion name the same commands.

#include "CliRunner.h"

#include "cli/CommandRegistry.h"
#include "cli/docgen/Documents.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The one object a run printed; a failure when it printed anything else.
QJsonObject OnlyObject(const CCliRunner::Result& result) {
    EXPECT_EQ(result.OutLines().size(), 1) << result.out.toStdString();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(result.out.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << result.out.toStdString();
    EXPECT_TRUE(document.isObject()) << result.out.toStdString();
    return document.object();
}

QJsonObject Json(CCliRunner& cli, const QStringList& arguments) {
    const auto result = cli.Run(QStringList{"--json"} + arguments);
    EXPECT_EQ(result.status, 0) << arguments.join(' ').toStdString() << ": "
                                << result.err.toStdString();
    return OnlyObject(result);
}

} // namespace

TEST(CliJson, ChangesPrintWhatTheMonitorThenHolds) {
    CCliRunner cli;
    const QJsonArray set = Json(cli, {"set", "hsize", "140", "vsize", "120"})["items"].toArray();
    ASSERT_EQ(set.size(), 2);
    EXPECT_EQ(set[0].toObject()["name"].toString(), "hsize");
    EXPECT_EQ(set[0].toObject()["value"].toInt(), 140);
    EXPECT_EQ(set[1].toObject()["value"].toInt(), cli.Sim().Value(4));

    const QJsonArray adjusted = Json(cli, {"adjust", "hsize", "-3"})["items"].toArray();
    ASSERT_EQ(adjusted.size(), 1);
    EXPECT_EQ(adjusted[0].toObject()["value"].toInt(), 137);
    EXPECT_EQ(adjusted[0].toObject()["maximum"].toInt(), 255);

    const QJsonObject temperature = Json(cli, {"colortemp", "6500K"});
    EXPECT_EQ(temperature["kelvin"].toInt(), 6500);
    EXPECT_EQ(temperature["step"].toInt(), 25);
    EXPECT_EQ(Json(cli, {"colortemp"}), temperature);
    cli.Sim().SetValue(26, cli.Sim().Value(26) + 7); // one gain alone matches no step
    const QJsonObject none = Json(cli, {"colortemp"});
    EXPECT_TRUE(none["kelvin"].isNull() && none["step"].isNull());

    for (const auto& [command, word] :
         std::vector<std::pair<QString, QString>>{{"beep", "off"},
                                                  {"power-save", "nutek"},
                                                  {"detection", "manual"},
                                                  {"input", "bnc"},
                                                  {"colormode", "2"}}) {
        EXPECT_EQ(Json(cli, {command, word})["value"].toString(), word) << command.toStdString();
        EXPECT_EQ(Json(cli, {command})["value"].toString(), word) << command.toStdString();
    }
    const QJsonObject moire = Json(cli, {"moire", "h", "on"});
    EXPECT_TRUE(moire["h"].toBool());
    EXPECT_TRUE(moire["v"].isBool());
}

TEST(CliJson, MonitorCommandsAndFilesSayWhatWasDone) {
    CCliRunner cli;
    EXPECT_EQ(Json(cli, {"degauss"})["degaussed"].toBool(), true);
    EXPECT_EQ(Json(cli, {"store"})["stored"].toBool(), true);
    EXPECT_EQ(Json(cli, {"reset", "colour"})["reset"].toString(), "color");
    const QJsonArray sized = Json(cli, {"autosize"})["items"].toArray();
    ASSERT_EQ(sized.size(), 4);
    EXPECT_EQ(sized[3].toObject()["name"].toString(), "vpos");

    QTemporaryDir dir;
    const QString path = dir.filePath("a.qlt");
    const QJsonObject saved = Json(cli, {"save", path});
    EXPECT_EQ(saved["file"].toString(), path);
    EXPECT_EQ(saved["serial"].toInteger(), cli.Sim().Profile().serial);
    EXPECT_EQ(saved["fH"].toInt(), 68);
    const QJsonObject loaded = Json(cli, {"load", path, "--groups", "color,power"});
    EXPECT_EQ(loaded["form"].toString(), "binary");
    const QJsonObject groups = loaded["groups"].toObject();
    EXPECT_FALSE(groups["screen"].toBool());
    EXPECT_TRUE(groups["color"].toBool());
    EXPECT_TRUE(groups["power"].toBool());
}

TEST(CliJson, AFailedChangePrintsWhatWasWrittenAndFails) {
    CCliRunner cli;
    cli.Sim().SetStick(3, SimStick::KeepsOld); // hpos no longer takes a value
    const auto result = cli.Run({"--json", "set", "hsize", "150", "hpos", "40"});
    EXPECT_EQ(result.status, 1);
    const QJsonArray items = OnlyObject(result)["items"].toArray();
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0].toObject()["value"].toInt(), 150);
}

TEST(CliJson, HelpManualPageAndCompletionNameTheSameCommands) {
    CCliRunner cli;
    const QStringList taking = CommandRegistry::TakingJson();
    // Every command that prints a result of its own.
    for (const char* name : {"set",       "adjust",   "colortemp", "beep",  "power-save", "moire",
                             "detection", "input",    "colormode", "save",  "load",       "store",
                             "degauss",   "autosize", "reset",     "info",  "dump",       "get",
                             "show",      "diff",     "watch",     "doctor"})
        EXPECT_TRUE(taking.contains(name)) << name;

    const QString help = cli.RunRaw({"--help"}).out.simplified();
    EXPECT_TRUE(help.contains("Taken by: " + taking.join(", ") + ".")) << help.toStdString();
    const QString manJson = Documents::ManJsonOption();
    const QString manCommands = Documents::ManCommands();
    const QString completion = Documents::CompletionTable();
    for (const CliCommand* command : CommandRegistry::All()) {
        const QString name = command->name;
        const auto own = cli.RunRaw({"help", name});
        EXPECT_EQ(own.out.contains("With --json:"), taking.contains(name)) << name.toStdString();
        QString roffName = name;
        roffName.replace('-', "\\-");
        EXPECT_EQ(manJson.contains("\\fB" + roffName + "\\fR"), taking.contains(name))
            << name.toStdString();
        EXPECT_TRUE(manCommands.contains(".B \\fB" + roffName + "\\fR")) << name.toStdString();
        EXPECT_TRUE(completion.contains(' ' + name + ' ') || completion.contains('\'' + name) ||
                    completion.contains(name + '\''))
            << name.toStdString();
    }
}
