#include "platform/MessageBoxMessages.h"

#include "platform/StringTable.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

MsgResult CMessageBoxMessages::Show(int stringId, MsgButtons buttons, const QString& arg) {
    QString text = LoadAppString(stringId);
    if (!arg.isNull())
        text = text.arg(arg);
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Vistrel Pro"), text);
    if (buttons == MsgButtons::Ok) {
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return MsgResult::Ok;
    }
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MsgResult::Yes;
    case QMessageBox::No:
        return MsgResult::No;
    default:
        return MsgResult::Cancel;
    }
}

NoMonitorChoice CMessageBoxMessages::AskNoMonitor(const QString& reasons) {
    QString text = LoadAppString(Str::NoMonitor);
    if (!reasons.isEmpty())
        text += QStringLiteral("\n\n") + reasons;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Vistrel Pro"), text);
    box.setObjectName(QStringLiteral("NoMonitorBox"));
    QPushButton* choose = box.addButton(
        QCoreApplication::translate("NoMonitorBox", "&Choose Device..."), QMessageBox::ActionRole);
    QPushButton* retry = box.addButton(QMessageBox::Retry);
    box.addButton(QMessageBox::Close);
    box.setDefaultButton(choose);
    box.exec();
    if (box.clickedButton() == choose)
        return NoMonitorChoice::Choose;
    return box.clickedButton() == retry ? NoMonitorChoice::Retry : NoMonitorChoice::End;
}

void CMessageBoxMessages::Beep() {
    QApplication::beep();
}
