// Settings files from the command line: save, load, show and diff.

#include "cli/CliContext.h"
#include "cli/CommandRegistry.h"
#include "cli/ExitStatus.h"
#include "cli/ItemFormat.h"
#include "cli/StandardStreams.h"
#include "doc/Qelt32Doc.h"
#include "link/Monitor.h"
#include "platform/StringTable.h"
#include "platform/UserMessages.h"

#include <QJsonArray>
#include <QJsonObject>

#include <optional>
#include <vector>

namespace {

using SettingsFormat::SettingsContent;

int RequireOneFile(CCliContext& ctx, const QStringList& args) {
    if (args.size() != 1)
        return ctx.UsageError(QStringLiteral("name one settings file"));
    return Exit::Ok;
}

// The one settings file `args` must name ("-": standard input), read; without it *status
// says why. A file that cannot be read or is no settings file is bad input, told with the
// document's own message.
std::optional<SettingsContent> ReadNamedFile(CCliContext& ctx, const QStringList& args,
                                             int* status) {
    if ((*status = RequireOneFile(ctx, args)))
        return std::nullopt;
    if (!StandardStreams::IsStream(args.front())) {
        std::optional<SettingsContent> content = CQelt32Doc::ReadFile(args.front());
        if (!content)
            *status = Exit::Usage;
        return content;
    }
    QByteArray bytes;
    QString error;
    if (!StandardStreams::ReadInput(SettingsFormat::kMaxFileSize, bytes, &error)) {
        *status = ctx.UsageError(error);
        return std::nullopt;
    }
    std::optional<SettingsContent> content = SettingsFormat::Decode(bytes);
    if (!content) {
        UserMessages().Show(Str::UnexpectedFormat);
        *status = Exit::Usage;
    }
    return content;
}

// "--groups screen,color,power" (either spelling of colour); the profile's choice without it.
std::optional<LoadGroups> ParseGroups(CCliContext& ctx, QStringList& args, int* status) {
    LoadGroups groups = LoadGroups::FromProfile();
    for (qsizetype i = 0; i < args.size(); ++i) {
        QString list;
        if (args[i] == QLatin1String("--groups") && i + 1 < args.size()) {
            list = args.takeAt(i + 1);
        } else if (args[i].startsWith(QLatin1String("--groups="))) {
            list = args[i].mid(9);
        } else if (args[i].startsWith(QLatin1String("--"))) {
            *status = ctx.UsageError(QStringLiteral("unknown option '%1'").arg(args[i]));
            return std::nullopt;
        } else {
            continue;
        }
        args.removeAt(i--);
        groups = {false, false, false};
        for (const QString& word : list.split(',')) {
            const QString name = word.trimmed().toLower();
            if (name == QLatin1String("screen"))
                groups.screen = true;
            else if (name == QLatin1String("color") || name == QLatin1String("colour"))
                groups.color = true;
            else if (name == QLatin1String("power"))
                groups.power = true;
            else {
                *status = ctx.UsageError(
                    QStringLiteral("unknown group '%1' (screen, color, power)").arg(word));
                return std::nullopt;
            }
        }
    }
    if (!groups.Any()) {
        *status = ctx.UsageError(QStringLiteral("choose at least one group"));
        return std::nullopt;
    }
    return groups;
}

QString FormName(const SettingsContent& content) {
    return content.form == SettingsFormat::Form::Binary ? QStringLiteral("binary")
                                                        : QStringLiteral("text");
}

int RunSave(CCliContext& ctx) {
    if (const int status = RequireOneFile(ctx, ctx.Args()))
        return status;
    const QString path = ctx.Args().front();
    const bool toOutput = StandardStreams::IsStream(path);
    if (toOutput && ctx.Json())
        return ctx.UsageError(
            QStringLiteral("--json and 'save -' cannot both write to standard output"));
    if (toOutput && StandardStreams::OutputIsTerminal())
        return ctx.UsageError(
            QStringLiteral("standard output is a terminal: send the settings file to a file or a "
                           "pipe ('save - > FILE')"));
    if (const int status = ctx.Connect(CliNeeds::Everything()))
        return status;
    CQelt32Doc doc(ctx.Monitor());
    if (toOutput) {
        const std::optional<QByteArray> contents = doc.SaveContents();
        QString error;
        if (!contents)
            return ctx.MonitorFailed(QStringLiteral("-: not saved"));
        if (!StandardStreams::WriteOutput(*contents, &error))
            return ctx.MonitorFailed(error);
        return Exit::Ok;
    }
    if (!doc.OnSaveDocument(path))
        return ctx.MonitorFailed(QStringLiteral("%1: not saved").arg(path));
    if (ctx.Json()) {
        const CMonitor& monitor = ctx.Monitor();
        std::uint16_t fH = 0, fV = 0;
        monitor.GetTiming(&fH, &fV);
        ctx.PrintJson({{QStringLiteral("file"), path},
                       {QStringLiteral("serial"), qint64(monitor.GetSerialNumber())},
                       {QStringLiteral("fH"), fH},
                       {QStringLiteral("fV"), fV}});
    } else {
        ctx.Print(QStringLiteral("saved %1").arg(path));
    }
    return Exit::Ok;
}

// The groups a load sent: a binary file's chosen ones, the ones a text file names; the
// screen data only where the scan frequencies match.
QJsonObject LoadedGroups(const SettingsContent& content, const LoadGroups& chosen,
                         const CMonitor& monitor) {
    std::uint16_t fH = 0, fV = 0;
    monitor.GetTiming(&fH, &fV);
    const bool timing = monitor.IsTimingKnown() && TimingMatches(content.fh, content.fv, fH, fV);
    const bool text = content.form == SettingsFormat::Form::Text;
    return {{QStringLiteral("screen"), timing && (text ? content.textScreen : chosen.screen)},
            {QStringLiteral("color"), text ? content.textColor : chosen.color},
            {QStringLiteral("power"), !text && chosen.power}};
}

int RunLoad(CCliContext& ctx) {
    QStringList args = ctx.Args();
    int status = Exit::Ok;
    const std::optional<LoadGroups> groups = ParseGroups(ctx, args, &status);
    if (!groups)
        return status;
    // The file is read and checked before the monitor is looked for.
    const std::optional<SettingsContent> content = ReadNamedFile(ctx, args, &status);
    if (!content)
        return status;
    if (const int connected = ctx.Connect(CliNeeds::Everything()))
        return connected;
    CQelt32Doc doc(ctx.Monitor());
    if (!doc.Load(*content, *groups)) {
        // A refused file was told with its own message; a write that failed is the link's.
        if (doc.m_bRejected)
            return Exit::Usage;
        return ctx.MonitorFailed(QStringLiteral("%1: not loaded").arg(args.front()));
    }
    // The controller sends the mode items without reading them back: those the chosen
    // groups set are read back once, as after a single change.
    std::vector<int> modes{Items::ModeWord};
    if (groups->color)
        modes.insert(modes.end(), {Items::ColorMode, Items::ColorPreset});
    if (groups->power)
        modes.push_back(Items::Interval);
    if (const int status = ctx.ConfirmTaken(
            modes, QStringLiteral("%1: the monitor did not take every mode the file sets")
                       .arg(args.front())))
        return status;
    if (ctx.Json())
        ctx.PrintJson({{QStringLiteral("file"), args.front()},
                       {QStringLiteral("form"), FormName(*content)},
                       {QStringLiteral("groups"), LoadedGroups(*content, *groups, ctx.Monitor())}});
    else
        ctx.Print(QStringLiteral("loaded %1").arg(args.front()));
    return Exit::Ok;
}

int RunShow(CCliContext& ctx) {
    int status = Exit::Ok;
    const std::optional<SettingsContent> content = ReadNamedFile(ctx, ctx.Args(), &status);
    if (!content)
        return status;
    const bool text = content->form == SettingsFormat::Form::Text;

    if (ctx.Json()) {
        QJsonArray items;
        for (int item = 0; item < SettingsFormat::kValueCount; ++item)
            if (content->values[item])
                items.append(QJsonObject{{QStringLiteral("item"), item},
                                         {QStringLiteral("name"), ItemFormat::Name(item)},
                                         {QStringLiteral("value"), *content->values[item]}});
        QJsonObject object{{QStringLiteral("form"), FormName(*content)},
                           {QStringLiteral("serial"), content->hasSerial
                                                          ? QJsonValue(qint64(content->serial))
                                                          : QJsonValue()},
                           {QStringLiteral("fH"), content->fh},
                           {QStringLiteral("fV"), content->fv},
                           {QStringLiteral("items"), items}};
        if (text)
            object.insert(QStringLiteral("groups"),
                          QJsonObject{{QStringLiteral("screen"), content->textScreen},
                                      {QStringLiteral("color"), content->textColor}});
        ctx.PrintJson(object);
        return Exit::Ok;
    }
    ctx.Print(QStringLiteral("form    %1").arg(FormName(*content)));
    ctx.Print(
        QStringLiteral("serial  %1")
            .arg(content->hasSerial ? QString::number(content->serial) : QStringLiteral("none")));
    ctx.Print(QStringLiteral("fH      %1 kHz").arg(content->fh));
    ctx.Print(QStringLiteral("fV      %1 Hz").arg(content->fv));
    if (text)
        ctx.Print(QStringLiteral("groups  screen %1, color %2")
                      .arg(content->textScreen ? "on" : "off", content->textColor ? "on" : "off"));
    for (int item = 0; item < SettingsFormat::kValueCount; ++item)
        if (content->values[item])
            ctx.Print(
                QStringLiteral("%1 %2").arg(ItemFormat::Name(item)).arg(*content->values[item]));
    return Exit::Ok;
}

int RunDiff(CCliContext& ctx) {
    int status = Exit::Ok;
    const std::optional<SettingsContent> content = ReadNamedFile(ctx, ctx.Args(), &status);
    if (!content)
        return status;
    if (const int connected = ctx.Connect(CliNeeds::Everything()))
        return connected;
    const CMonitor& monitor = ctx.Monitor();
    std::uint16_t fH = 0, fV = 0;
    monitor.GetTiming(&fH, &fV);
    const bool sameMonitor = content->hasSerial && content->serial == monitor.GetSerialNumber();
    const bool sameTiming =
        monitor.IsTimingKnown() && TimingMatches(content->fh, content->fv, fH, fV);

    QJsonArray differences;
    QStringList lines;
    for (int item = 0; item < SettingsFormat::kValueCount; ++item) {
        const MonItem& record = monitor.Item(item);
        if (!content->values[item] || record.status != 0 ||
            *content->values[item] == record.current)
            continue;
        differences.append(QJsonObject{{QStringLiteral("item"), item},
                                       {QStringLiteral("name"), ItemFormat::Name(item)},
                                       {QStringLiteral("file"), *content->values[item]},
                                       {QStringLiteral("monitor"), record.current}});
        lines.append(QStringLiteral("%1 %2 -> %3")
                         .arg(ItemFormat::Name(item))
                         .arg(*content->values[item])
                         .arg(record.current));
    }
    if (ctx.Json()) {
        ctx.PrintJson({{QStringLiteral("sameMonitor"), sameMonitor},
                       {QStringLiteral("sameTiming"), sameTiming},
                       {QStringLiteral("differences"), differences}});
        return Exit::Ok;
    }
    if (!sameMonitor)
        ctx.Print(
            QStringLiteral("the file is for another monitor (serial %1, this is %2)")
                .arg(content->hasSerial ? QString::number(content->serial) : QStringLiteral("none"),
                     monitor.GetSerialText()));
    if (!monitor.IsTimingKnown())
        ctx.Print(QStringLiteral("the monitor did not report its scan frequencies: the file's "
                                 "screen data would not load"));
    else if (!sameTiming)
        ctx.Print(
            QStringLiteral("the file was saved at %1 kHz / %2 Hz, the monitor runs at %3 kHz / "
                           "%4 Hz: its screen data would not load")
                .arg(content->fh)
                .arg(content->fv)
                .arg(fH)
                .arg(fV));
    for (const QString& line : lines)
        ctx.Print(line);
    if (lines.isEmpty())
        ctx.Print(QStringLiteral("no differences"));
    return Exit::Ok;
}

const CCommandRegistrar kSave({
    .name = QStringLiteral("save"),
    .synopsis = QStringLiteral("save FILE"),
    .summary = QStringLiteral("save the monitor's current values to a settings file"),
    .help = QStringLiteral(
        "Writes the monitor's serial number, its scan frequencies and the current value of\n"
        "all 35 items to FILE in the 82-byte settings format that the program's Save writes.\n"
        "An existing FILE is replaced only once the new one is complete. FILE - writes\n"
        "to standard output (not to a terminal)."),
    .json = QStringLiteral("{\"file\", \"serial\", \"fH\", \"fV\"}: where the values went and\n"
                           "what the file records (not with FILE -)."),
    .arguments = {QStringLiteral("FILE")},
    .run = RunSave,
});

const CCommandRegistrar kLoad({
    .name = QStringLiteral("load"),
    .synopsis = QStringLiteral("load FILE [--groups screen,color,power]"),
    .summary = QStringLiteral("send the values of a settings file to the monitor"),
    .help = QStringLiteral(
        "Loads FILE as the program's Open does: a file saved from another monitor is\n"
        "refused and nothing is sent; a file saved at a scan frequency more than 1 kHz or\n"
        "1 Hz away from the current one loads all but its screen data. --groups chooses the\n"
        "groups of a binary file (default: the choice last made in the program's Open\n"
        "dialog); a text-form file names its own. The input signal, its detection and the\n"
        "beep are never changed. FILE - reads standard input."),
    .json = QStringLiteral(
        "{\"file\", \"form\", \"groups\": {\"screen\", \"color\", \"power\"}}: the\n"
        "file's form (binary or text) and which groups were sent."),
    .arguments = {QStringLiteral("SETTINGS-FILE")},
    .options = {QStringLiteral("--groups")},
    .run = RunLoad,
});

const CCommandRegistrar kShow({
    .name = QStringLiteral("show"),
    .synopsis = QStringLiteral("show FILE"),
    .summary = QStringLiteral("print what a settings file holds"),
    .help = QStringLiteral(
        "Prints the form of FILE (binary or text), the serial number of the monitor it\n"
        "belongs to, the scan frequencies it was saved at and every value it holds by name.\n"
        "Needs no monitor. FILE - reads standard input."),
    .json = QStringLiteral(
        "{\"form\", \"serial\", \"fH\", \"fV\", \"items\": [{\"item\", \"name\",\n"
        "\"value\"}...]} and, for the text form, \"groups\": {\"screen\", \"color\"}."),
    .arguments = {QStringLiteral("SETTINGS-FILE")},
    .run = RunShow,
});

const CCommandRegistrar kDiff({
    .name = QStringLiteral("diff"),
    .synopsis = QStringLiteral("diff FILE"),
    .summary = QStringLiteral("compare a settings file with the monitor's current values"),
    .help = QStringLiteral(
        "Prints \"NAME FILE -> MONITOR\" for every item whose value in FILE differs from the\n"
        "monitor's current one, after a line saying so when the file belongs to another\n"
        "monitor or to another scan frequency. Sends nothing. FILE - reads standard\n"
        "input."),
    .json = QStringLiteral(
        "{\"sameMonitor\", \"sameTiming\", \"differences\": [{\"item\", \"name\",\n"
        "\"file\", \"monitor\"}...]}."),
    .arguments = {QStringLiteral("SETTINGS-FILE")},
    .run = RunDiff,
});

} // namespace
