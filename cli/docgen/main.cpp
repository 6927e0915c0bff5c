// Writes qelt32ctl's manual page and bash completion from their templates, filling in what
// the command table says:
//   qelt32ctl-docgen MAN_TEMPLATE MAN_PAGE COMPLETION_TEMPLATE COMPLETION
#include "cli/docgen/Documents.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace {

bool Write(const QString& templatePath, const QString& path,
           const QList<std::pair<QString, QString>>& parts) {
    QFile in(templatePath);
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "qelt32ctl-docgen: cannot read %s\n", qPrintable(templatePath));
        return false;
    }
    const QString text = Documents::Fill(QString::fromUtf8(in.readAll()), parts);
    if (text.isEmpty()) {
        std::fprintf(stderr, "qelt32ctl-docgen: %s lacks a marker line\n",
                     qPrintable(templatePath));
        return false;
    }
    QFile out(path);
    const QByteArray bytes = text.toUtf8();
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "qelt32ctl-docgen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 5) {
        std::fprintf(stderr, "usage: qelt32ctl-docgen MAN_TEMPLATE MAN_PAGE COMPLETION_TEMPLATE "
                             "COMPLETION\n");
        return 2;
    }
    const bool man = Write(args[1], args[2],
                           {{Documents::kManCommandsMarker, Documents::ManCommands()},
                            {Documents::kManJsonMarker, Documents::ManJsonOption()}});
    const bool completion =
        Write(args[3], args[4], {{Documents::kCompletionMarker, Documents::CompletionTable()}});
    return man && completion ? 0 : 1;
}
