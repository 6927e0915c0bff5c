#include "dialogs/ScreenSaverSettings.h"

#include <gtest/gtest.h>

namespace {

// A PATH holding exactly these programs.
std::function<QString(const QString&)> Installed(const QStringList& programs) {
    return [programs](const QString& name) {
        return programs.contains(name) ? "/usr/bin/" + name : QString();
    };
}

TEST(ScreenSaverSettings, TheRunningDesktopsOwnSettingsComeFirst) {
    const auto path = Installed(
        {"xscreensaver-settings", "gnome-control-center", "xfce4-screensaver-preferences"});
    const SettingsProgram gnome = FindScreenSaverSettings("ubuntu:GNOME", path);
    EXPECT_EQ(gnome.program, "/usr/bin/gnome-control-center");
    EXPECT_EQ(gnome.arguments, QStringList{"power"});
    EXPECT_EQ(FindScreenSaverSettings("XFCE", path).program,
              "/usr/bin/xfce4-screensaver-preferences");
}

TEST(ScreenSaverSettings, OtherwiseAnyInstalledOneAndNothingWhenNoneIs) {
    const auto path = Installed({"xscreensaver-settings"});
    EXPECT_EQ(FindScreenSaverSettings("KDE", path).program, "/usr/bin/xscreensaver-settings");
    EXPECT_EQ(FindScreenSaverSettings("", path).program, "/usr/bin/xscreensaver-settings");
    EXPECT_FALSE(FindScreenSaverSettings("GNOME", Installed({})).IsFound());
    EXPECT_FALSE(StartScreenSaverSettings(SettingsProgram{}));
}

} // namespace
