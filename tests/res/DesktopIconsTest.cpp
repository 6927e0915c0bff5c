// The desktop's icons of the program and its settings files: every size the icon theme
// looks for, really that size and drawn, a scalable and a one-colour symbolic form.

#include "DesktopIcons.h"

#include <QImage>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <map>

namespace {

std::map<QString, QByteArray> Files() {
    std::map<QString, QByteArray> files;
    for (const auto& [name, data] : DesktopIcons::ThemeFiles())
        files[name] = data;
    return files;
}

} // namespace

TEST(DesktopIcons, EverySizeOfBothIconsIsThatSizeAndDrawn) {
    const auto files = Files();
    for (const QString icon : {"apps/qelt32", "mimetypes/application-x-qelt32-settings"}) {
        for (int side : DesktopIcons::kSizes) {
            const QString name = QStringLiteral("%1x%1/%2.png").arg(side).arg(icon);
            ASSERT_TRUE(files.count(name)) << name.toStdString();
            QImage image;
            ASSERT_TRUE(image.loadFromData(files.at(name), "PNG")) << name.toStdString();
            EXPECT_EQ(image.size(), QSize(side, side)) << name.toStdString();
            // Drawn: opaque in the middle, transparent in a corner it leaves free.
            EXPECT_EQ(qAlpha(image.pixel(side / 2, side / 2)), 255) << name.toStdString();
            EXPECT_EQ(qAlpha(image.pixel(side - 1, 0)), 0) << name.toStdString();
        }
    }
    EXPECT_EQ(files.size(), 2u * (std::size(DesktopIcons::kSizes) + 2));
}

TEST(DesktopIcons, ScalableAndSymbolicFormsAreSvgAndSymbolicOnesUseOneColour) {
    const auto files = Files();
    static const QRegularExpression colour(QStringLiteral("(?:fill|stroke)=\"(#[0-9a-f]{6})\""));
    for (const QString name : {"scalable/apps/qelt32.svg", "symbolic/apps/qelt32-symbolic.svg",
                               "scalable/mimetypes/application-x-qelt32-settings.svg",
                               "symbolic/mimetypes/application-x-qelt32-settings-symbolic.svg"}) {
        ASSERT_TRUE(files.count(name)) << name.toStdString();
        const QString svg = QString::fromUtf8(files.at(name));
        EXPECT_TRUE(svg.contains("<svg") && svg.contains("viewBox=")) << name.toStdString();
        QSet<QString> colours;
        for (const auto& match : colour.globalMatch(svg))
            colours << match.captured(1);
        if (name.startsWith("symbolic/"))
            EXPECT_EQ(colours, QSet<QString>{"#2e3436"}) << name.toStdString();
        else
            EXPECT_GT(colours.size(), 2) << name.toStdString();
    }
}
