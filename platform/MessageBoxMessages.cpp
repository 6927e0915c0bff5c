#include "platform/MessageBoxMessages.h"

#include "platform/StringTable.h"

#include <QApplication>
#include <QMessageBox>

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

void CMessageBoxMessages::Beep() { QApplication::beep(); }
