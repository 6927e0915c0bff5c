// The settings the program writes at its end, stored into a profile that other programs
// have filled with 100,000 sections: each write stored on its own, and all of them as the
// one batch the program's end uses.
#include "tools/bench/Figure.h"

#include "platform/Profile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <optional>

namespace {

constexpr int kSections = 100000;
constexpr int kWritesAtTheEnd = 20; // placement, colour temperature, custom colours, switches

void FillProfile(const QString& folder) {
    QFile file(folder + "/Vistrel Pro.ini");
    (void)file.open(QIODevice::WriteOnly);
    QByteArray text = "[Settings]\ncom=0\n";
    for (int i = 0; i < kSections; ++i)
        text += "\n[Other Program " + QByteArray::number(i) + "]\nkey=value\n";
    file.write(text);
}

double EndWrites(bool batched) {
    QTemporaryDir dir;
    FillProfile(dir.path());
    Profile::SetFolderForTests(dir.path());
    (void)Profile::GetInt("Settings", "com", 0); // read at start-up, not part of the end
    QElapsedTimer timer;
    timer.start();
    {
        std::optional<Profile::CWriteBatch> batch;
        if (batched)
            batch.emplace();
        for (int i = 0; i < kWritesAtTheEnd; ++i)
            Profile::WriteInt("Settings", QStringLiteral("key%1").arg(i), i);
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    Profile::SetFolderForTests(QString());
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    PrintFigure("profile: 20 writes into 100,000 sections, one by one", EndWrites(false), "s", "");
    PrintFigure("profile: the same 20 writes as the end's one batch", EndWrites(true), "s",
                "< 1 s");
    return 0;
}
