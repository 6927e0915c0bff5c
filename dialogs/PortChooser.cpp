#include "dialogs/PortChooser.h"

#include "dialogs/AccessibleNames.h"
#include "platform/PortChoices.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

QString ChoosePort(QWidget* parent) {
    const std::vector<PortChoice> choices = ListPortChoices();
    if (choices.empty()) {
        QMessageBox::information(
            parent, QCoreApplication::translate("PortChooser", "Serial Device"),
            QCoreApplication::translate("PortChooser", "No serial adapter was found."));
        return QString();
    }
    QStringList labels;
    for (const PortChoice& choice : choices)
        labels << choice.Label();
    QInputDialog dialog(parent);
    dialog.setWindowTitle(QCoreApplication::translate("PortChooser", "Serial Device"));
    dialog.setLabelText(
        QCoreApplication::translate("PortChooser", "&Device the monitor is connected to:"));
    dialog.setComboBoxItems(labels);
    dialog.setOption(QInputDialog::UseListViewForComboBoxItems);
    // Qt's list does not take its name from the label above it as its other inputs do, so
    // a screen reader would meet it unnamed.
    if (auto* list = dialog.findChild<QAbstractItemView*>())
        list->setAccessibleName(AccessibleNames::Plain(dialog.labelText()));
    dialog.setObjectName(QStringLiteral("PortChooser"));
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    const qsizetype index = labels.indexOf(dialog.textValue());
    return index < 0 ? QString() : choices[static_cast<std::size_t>(index)].path;
}
