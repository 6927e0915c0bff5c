#include "dialogs/AboutDlg.h"

#include "link/Monitor.h"
#include "platform/StringTable.h"
#include "platform/Version.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace {
constexpr int kLineLimit = 127; // the text buffer holds 128 characters with its end mark
}

CAboutDlg::CAboutDlg(const CMonitor& monitor, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("100"));
    setWindowTitle(tr("About Vistrel Pro"));

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/128.png")).pixmap(32, 32));
    auto* version =
        new QLabel(tr("Vistrel Pro Version %1").arg(QLatin1String(kQelt32Version)), this);
    auto* protocol = new QLabel(ProtocolLine(monitor.GetProtocolRevision()), this);
    protocol->setObjectName(QStringLiteral("1003"));
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->setHorizontalSpacing(16);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(version, 0, 1);
    layout->addWidget(protocol, 1, 1);
    layout->addWidget(ok, 0, 2, Qt::AlignTop);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString CAboutDlg::ProtocolLine(std::uint8_t revision) {
    QString line = LoadAppString(Str::ProtocolRevision);
    line.replace(QStringLiteral("%S"), revision == 0 ? QStringLiteral("B") : QStringLiteral("C"));
    return line.left(kLineLimit);
}
