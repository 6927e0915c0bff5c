#pragma once

#include "platform/Translations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QWidget>

#include <gtest/gtest.h>

// Layout checks of a form built from dialog units, at the font in use: every caption shows
// whole, every control lies inside its parent, and no two controls cover each other.
inline QString Caption(QString text) {
    return text.remove(QLatin1Char('&'));
}

inline void ExpectCaptionsFit(const QWidget* form) {
    for (const QWidget* widget : form->findChildren<QWidget*>()) {
        if (widget->isHidden() || widget->isWindow())
            continue;
        const QString name = widget->objectName().isEmpty() ? widget->metaObject()->className()
                                                            : widget->objectName();
        const QRect inParent = widget->parentWidget()->rect();
        EXPECT_TRUE(inParent.contains(widget->geometry())) << name.toStdString();
        const QFontMetrics metrics = widget->fontMetrics();
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            if (label->wordWrap()) {
                EXPECT_LE(label->heightForWidth(label->width()), label->height())
                    << Caption(label->text()).toStdString();
            } else {
                for (const QString& line : Caption(label->text()).split('\n'))
                    EXPECT_LE(metrics.horizontalAdvance(line), label->width())
                        << line.toStdString();
            }
        } else if (const auto* push = qobject_cast<const QPushButton*>(widget)) {
            const int margin = push->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, push);
            EXPECT_LE(metrics.horizontalAdvance(Caption(push->text())) + 2 * margin, push->width())
                << Caption(push->text()).toStdString();
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            if (!button->text().isEmpty()) {
                EXPECT_LE(button->sizeHint().width(), button->width())
                    << Caption(button->text()).toStdString();
            }
        } else if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
            EXPECT_LE(metrics.horizontalAdvance(Caption(group->title())) + 16, group->width())
                << Caption(group->title()).toStdString();
        }
    }
    // Controls the user works (not labels, not group boxes) never overlap a sibling.
    auto isControl = [](const QWidget* widget) {
        return !widget->isHidden() && !qobject_cast<const QLabel*>(widget) &&
               !qobject_cast<const QGroupBox*>(widget);
    };
    QList<QWidget*> parents = form->findChildren<QWidget*>();
    parents << const_cast<QWidget*>(form);
    for (const QWidget* parent : parents) {
        const auto children = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (int i = 0; i < children.size(); ++i)
            for (int j = i + 1; j < children.size(); ++j)
                if (isControl(children[i]) && isControl(children[j]) && !children[i]->isWindow()) {
                    EXPECT_FALSE(children[i]->geometry().intersects(children[j]->geometry()))
                        << children[i]->objectName().toStdString() << " / "
                        << children[j]->objectName().toStdString();
                }
    }
}

// With QELT32_SCREENSHOT_DIR set (tools/panel-screenshots.sh), saves a picture of the
// form there as `name`.png.
inline void SaveScreenshot(QWidget* form, const QString& name) {
    const QString folder = qEnvironmentVariable("QELT32_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    EXPECT_TRUE(form->grab().save(folder + "/" + name + ".png"));
}

// Runs `check` once in every language the program speaks, with its translations installed
// and the language as the default locale (QLocale() names it), and puts English and the
// default locale back at the end.
template <class Check> void InEveryLanguage(Check check) {
    const QLocale before;
    for (const QLocale::Language language :
         {QLocale::English, QLocale::German, QLocale::French, QLocale::Japanese}) {
        const QLocale locale(language);
        EXPECT_TRUE(InstallTranslations(*qApp, locale)) << locale.name().toStdString();
        QLocale::setDefault(locale);
        SCOPED_TRACE(locale.name().toStdString());
        check(language == QLocale::English);
    }
    InstallTranslations(*qApp, QLocale(QLocale::English));
    QLocale::setDefault(before);
}

// "en", "de", "fr" or "ja" while InEveryLanguage runs a check.
inline QString LanguageCode() {
    return QLocale().name().left(2);
}
