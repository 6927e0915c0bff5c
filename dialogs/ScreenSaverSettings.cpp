#include "dialogs/ScreenSaverSettings.h"

#include <QProcess>
#include <QStandardPaths>

namespace {
struct Candidate {
    const char* desktop; // as XDG_CURRENT_DESKTOP names it
    const char* program;
    QStringList arguments;
};

// Screen-saver pages first, then the power pages that hold the blanking delays.
const QList<Candidate>& Candidates() {
    static const QList<Candidate> list = {
        {"XFCE", "xfce4-screensaver-preferences", {}},
        {"XFCE", "xfce4-power-manager-settings", {}},
        {"GNOME", "gnome-control-center", {QStringLiteral("power")}},
        {"KDE", "systemsettings", {QStringLiteral("kcm_powerdevilprofilesconfig")}},
        {"KDE", "kcmshell5", {QStringLiteral("kcm_powerdevilprofilesconfig")}},
        {"MATE", "mate-screensaver-preferences", {}},
        {"MATE", "mate-power-preferences", {}},
        {"X-Cinnamon", "cinnamon-settings", {QStringLiteral("screensaver")}},
        {"LXQt", "lxqt-config-powermanagement", {}},
        {"", "xscreensaver-settings", {}},
        {"", "xscreensaver-demo", {}},
    };
    return list;
}
} // namespace

SettingsProgram
FindScreenSaverSettings(const QString& currentDesktop,
                        const std::function<QString(const QString&)>& findExecutable) {
    const QStringList desktops = currentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    auto pick = [&](bool ownDesktopOnly) -> SettingsProgram {
        for (const Candidate& candidate : Candidates()) {
            const QString desktop = QString::fromLatin1(candidate.desktop);
            if (ownDesktopOnly &&
                (desktop.isEmpty() || !desktops.contains(desktop, Qt::CaseInsensitive)))
                continue;
            const QString path = findExecutable(QString::fromLatin1(candidate.program));
            if (!path.isEmpty())
                return {path, candidate.arguments};
        }
        return {};
    };
    SettingsProgram found = pick(true);
    return found.IsFound() ? found : pick(false);
}

SettingsProgram FindScreenSaverSettings() {
    return FindScreenSaverSettings(
        qEnvironmentVariable("XDG_CURRENT_DESKTOP"),
        [](const QString& name) { return QStandardPaths::findExecutable(name); });
}

bool StartScreenSaverSettings(const SettingsProgram& settings) {
    if (!settings.IsFound())
        return false;
    return QProcess::startDetached(settings.program, settings.arguments);
}
