#pragma once

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

// The icons the desktop shows for the program (qelt32) and for its settings files
// (application-x-qelt32-settings), in every size and form the freedesktop icon theme looks
// for: PNG at 16..256 pixels, a scalable SVG and a one-colour symbolic SVG.
namespace DesktopIcons {

inline constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// Each file under the theme's folder ("48x48/apps/qelt32.png",
// "scalable/mimetypes/application-x-qelt32-settings.svg", ...) with its contents.
std::vector<std::pair<QString, QByteArray>> ThemeFiles();

} // namespace DesktopIcons
