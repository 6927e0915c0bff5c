// Writes the program's generated resources:
//   qelt32-resgen <cursor folder> <asset folder>
// The cursor folder receives the 33 handle cursors; the asset folder the start-up
// bitmaps, icons, toolbar buttons and clips, and "assets.qrc" listing them, and in
// "hicolor/" the desktop's icons of the program and its files (installed, not embedded).
#include "BmpWriter.h"
#include "Clips.h"
#include "CursorWriter.h"
#include "DesktopIcons.h"
#include "HandleArt.h"
#include "Palette.h"
#include "Pictures.h"

#include "platform/CursorFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>

namespace {

bool Save(const QString& path, const QByteArray& data) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) {
        std::fprintf(stderr, "qelt32-resgen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

QByteArray Png(const QImage& image) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

// Five pictures from one extreme of the handle's movement to the other, played forth and
// back, resting a little longer at the ends.
QByteArray HandleCursor(int kind) {
    constexpr QPoint kHotSpot(16, 16);
    if (kind == kPositionHandle)
        return WriteCur(DrawHandle(kind, 0), kHotSpot);
    std::vector<QByteArray> frames;
    for (int i = 0; i < 5; ++i)
        frames.push_back(WriteCur(DrawHandle(kind, -1.0 + 0.5 * i), kHotSpot));
    const std::vector<AniStep> steps = {{0, 12}, {1, 6}, {2, 6}, {3, 6},
                                        {4, 12}, {3, 6}, {2, 6}, {1, 6}};
    return WriteAni(frames, steps, QString::fromLatin1(kCursorFileNames[kind]));
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen"); // fonts without a display
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: qelt32-resgen <cursor folder> <asset folder>\n");
        return 2;
    }
    const QDir cursors(args[1]);
    const QDir assets(args[2]);
    bool ok = true;

    for (int kind = 0; kind < kCursorFileCount; ++kind)
        ok &=
            Save(cursors.filePath(QString::fromLatin1(kCursorFileNames[kind])), HandleCursor(kind));

    QStringList files;
    auto asset = [&](const QString& name, const QByteArray& data) {
        ok &= Save(assets.filePath(name), data);
        files << name;
    };
    const QImage splash = DrawSplash();
    asset("bitmaps/149.bmp", WriteBmp(ToIndexed(splash, CubePalette()), 8));
    asset("bitmaps/150.bmp", WriteBmp(ToIndexed(splash, SixteenColorPalette()), 4));
    asset("icons/128.png", Png(DrawAppIcon(48)));
    for (int id = 146; id <= 149; ++id)
        asset(QStringLiteral("icons/%1.png").arg(id), Png(DrawLinearityIcon(id)));
    for (int command : ToolbarCommands())
        asset(QStringLiteral("toolbar/%1.png").arg(command), Png(DrawToolbarButton(command)));
    for (int clip : ClipNumbers())
        asset(QStringLiteral("clips/%1.gif").arg(clip), WriteGif(MakeClip(clip)));

    for (const auto& [name, data] : DesktopIcons::ThemeFiles())
        ok &= Save(assets.filePath(QStringLiteral("hicolor/") + name), data);

    QByteArray qrc("<RCC>\n  <qresource prefix=\"/\">\n");
    for (const QString& name : files)
        qrc += "    <file>" + name.toUtf8() + "</file>\n";
    qrc += "  </qresource>\n</RCC>\n";
    ok &= Save(assets.filePath("assets.qrc"), qrc);
    return ok ? 0 : 1;
}
