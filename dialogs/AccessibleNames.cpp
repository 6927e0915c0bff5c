#include "dialogs/AccessibleNames.h"

#include "dialogs/TrackBar.h"
#include "dialogs/UpDown.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QRegularExpression>

namespace AccessibleNames {

QString Plain(const QString& text) {
    // Japanese texts give the key after the word, in brackets: "明るさ(&B)".
    static const QRegularExpression trailingKey(QStringLiteral("\\(&[^&]\\)"));
    QString plain;
    const QString written = QString(text).remove(trailingKey);
    for (qsizetype i = 0; i < written.size(); ++i) {
        if (written[i] == QLatin1Char('&') && i + 1 < written.size())
            ++i; // the next character is the key itself, or the second of "&&"
        plain += written[i];
    }
    plain = plain.trimmed();
    if (plain.endsWith(QLatin1Char(':')))
        plain.chop(1);
    return plain.trimmed();
}

void NameSliderRow(CTrackBar* slider, CUpDown* spin, const QString& name) {
    slider->setAccessibleName(name);
    spin->Buddy()->setAccessibleName(
        QCoreApplication::translate("AccessibleNames", "%1 value").arg(name));
    spin->NameArrows(QCoreApplication::translate("AccessibleNames", "Increase %1").arg(name),
                     QCoreApplication::translate("AccessibleNames", "Decrease %1").arg(name));
}

} // namespace AccessibleNames
