#include "sim/PortOptions.h"

#include "platform/PortMap.h"
#include "sim/SimServer.h"

#include <QCommandLineParser>

namespace {
const QString kPort = QStringLiteral("port");
const QString kPorts = QStringLiteral("ports");
const QString kSimulate = QStringLiteral("simulate");
const QString kSimProfile = QStringLiteral("sim-profile");
const QString kSimUnpaced = QStringLiteral("sim-unpaced");
const QString kDefaultProfile = QStringLiteral("revC");
} // namespace

void AddPortOptions(QCommandLineParser& parser) {
    parser.addOption(
        {kPort, QStringLiteral("Probe only the serial device <path>."), QStringLiteral("path")});
    parser.addOption({kPorts,
                      QStringLiteral("Devices of the four port slots COM1..COM4, comma-separated "
                                     "(an empty entry leaves a slot unused)."),
                      QStringLiteral("p0,p1,p2,p3")});
    parser.addOption(
        {kSimulate, QStringLiteral("Talk to a simulated monitor on a pseudo-terminal instead of a "
                                   "serial port; --simulate=PROFILE picks the model (%1; default "
                                   "%2).")
                        .arg(SimProfile::Names().join(QStringLiteral(", ")), kDefaultProfile)});
    parser.addOption({kSimProfile, QStringLiteral("The simulated model, as --simulate=PROFILE."),
                      QStringLiteral("profile")});
    parser.addOption(
        {kSimUnpaced,
         QStringLiteral("The simulated monitor answers without 9600-baud line time.")});
}

QStringList NormalizePortArguments(const QStringList& arguments) {
    const QString prefix = QStringLiteral("--%1=").arg(kSimulate);
    QStringList out;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QStringLiteral("--"))
            return out + arguments.mid(i); // file names from here on
        if (argument.startsWith(prefix))
            out << QStringLiteral("--%1").arg(kSimulate) << QStringLiteral("--%1").arg(kSimProfile)
                << argument.mid(prefix.size());
        else
            out << argument;
    }
    return out;
}

bool ApplyPortOptions(const QCommandLineParser& parser, std::unique_ptr<CSimServer>& sim,
                      QString* error) {
    auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    const bool simulate = parser.isSet(kSimulate) || parser.isSet(kSimProfile);
    if (parser.isSet(kPort) && parser.isSet(kPorts))
        return fail(QStringLiteral("--port and --ports cannot be used together"));
    if (simulate && (parser.isSet(kPort) || parser.isSet(kPorts)))
        return fail(QStringLiteral("--simulate cannot be used with --port or --ports"));
    if (parser.isSet(kSimUnpaced) && !simulate)
        return fail(QStringLiteral("--sim-unpaced needs --simulate"));
    if (parser.isSet(kPort) && parser.value(kPort).trimmed().isEmpty())
        return fail(QStringLiteral("--port needs a device path"));

    const QString profileName =
        parser.isSet(kSimProfile) ? parser.value(kSimProfile) : kDefaultProfile;
    const std::optional<SimProfile> profile = SimProfile::ByName(profileName);
    if (simulate && !profile)
        return fail(QStringLiteral("unknown simulator profile \"%1\" (known: %2)")
                        .arg(profileName, SimProfile::Names().join(QStringLiteral(", "))));

    CPortMap& map = PortMap();
    map.LoadFromProfile();
    if (parser.isSet(kPorts) && !map.ParseList(parser.value(kPorts)))
        return fail(QStringLiteral("--ports takes at most four device paths"));
    if (parser.isSet(kPorts) && map.Path(0).isEmpty() && map.Path(1).isEmpty() &&
        map.Path(2).isEmpty() && map.Path(3).isEmpty())
        return fail(QStringLiteral("--ports names no device"));
    if (parser.isSet(kPort))
        map.SetOnly(parser.value(kPort).trimmed());
    if (!simulate)
        return true;

    CSimServer::Options options;
    options.paced = !parser.isSet(kSimUnpaced);
    auto server = std::make_unique<CSimServer>(*profile, options);
    if (!server->Start())
        return fail(QStringLiteral("cannot start the simulated monitor: %1").arg(server->Error()));
    map.SetOnly(server->Path());
    sim = std::move(server);
    return true;
}
