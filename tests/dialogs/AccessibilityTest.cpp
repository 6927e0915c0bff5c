// What a screen reader and a keyboard user meet in every window, in all four languages:
// every control that takes input has a name (its label's, and one of its own where the
// label is shared), no two focusable controls of a window share a name, and no two
// controls of a window or entries of a menu share an access key.

#include "app/MainFrame.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/AccessibleNames.h"
#include "dialogs/AutoSizeNoticeDlg.h"
#include "dialogs/ColorSettingDlg.h"
#include "dialogs/ConvergenceDlg.h"
#include "dialogs/IntervalDlg.h"
#include "dialogs/MoireDlg.h"
#include "dialogs/VLinearityDlg.h"
#include "fullscreen/AdjustWnd.h"
#include "panel/Qelt32View.h"
#include "platform/Translations.h"

#include "SimulatedMonitor.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

bool TakesInput(QAccessible::Role role) {
    switch (role) {
    case QAccessible::Slider:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::ComboBox:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::PushButton:
    case QAccessible::ButtonDropDown:
    case QAccessible::ButtonMenu:
        return true;
    default:
        return false;
    }
}

// Walks the accessible tree below `iface`: every visible control that takes input must be
// named; focusable ones of one kind must not share a name (the kind is spoken with it).
// Problems go to `problems`.
void Walk(QAccessibleInterface* iface, std::map<QString, int>& names, QStringList& problems) {
    if (!iface || iface->state().invisible)
        return;
    if (TakesInput(iface->role())) {
        const QString name = iface->text(QAccessible::Name).trimmed();
        const QString what = QStringLiteral("%1 %2").arg(iface->object()->metaObject()->className(),
                                                         iface->object()->objectName());
        if (name.isEmpty())
            problems << what + " has no name";
        else if (iface->state().focusable &&
                 ++names[QString::number(iface->role()) + QLatin1Char(' ') + name] == 2)
            problems << what + " shares its name '" + name + "'";
    }
    for (int i = 0; i < iface->childCount(); ++i)
        Walk(iface->child(i), names, problems);
}

QStringList AccessibilityProblems(QWidget* window) {
    std::map<QString, int> names;
    QStringList problems;
    Walk(QAccessible::queryAccessibleInterface(window), names, problems);
    return problems;
}

QChar AccessKey(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] != QLatin1Char('&'))
            return text[i + 1].toLower();
        ++i;
    }
    return {};
}

// Access keys used twice among `texts` (what each is written as).
QStringList SharedKeys(const QStringList& texts) {
    std::map<QChar, QStringList> byKey;
    for (const QString& text : texts)
        if (const QChar key = AccessKey(text); !key.isNull())
            byKey[key] << text;
    QStringList shared;
    for (const auto& [key, owners] : byKey)
        if (owners.size() > 1)
            shared << QStringLiteral("'%1': %2").arg(key).arg(owners.join(QStringLiteral(", ")));
    return shared;
}

// The texts with an access key in one window: its buttons, labels that lead to a control,
// group boxes, and its menu bar's titles.
QStringList WindowKeyTexts(QWidget* window) {
    QStringList texts;
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        if (button->isVisibleTo(window))
            texts << button->text();
    for (QLabel* label : window->findChildren<QLabel*>())
        if (label->buddy() && label->isVisibleTo(window))
            texts << label->text();
    for (QGroupBox* group : window->findChildren<QGroupBox*>())
        if (group->isVisibleTo(window))
            texts << group->title();
    for (QMenuBar* bar : window->findChildren<QMenuBar*>())
        for (QAction* action : bar->actions())
            texts << action->text();
    return texts;
}

// Shared access keys in `menu` and its submenus.
QStringList MenuKeyProblems(QMenu* menu) {
    QStringList problems;
    std::function<void(QMenu*)> check = [&](QMenu* menu) {
        emit menu->aboutToShow(); // the entries are set up when the menu opens
        QStringList texts;
        for (QAction* action : menu->actions()) {
            if (action->isSeparator() || !action->isVisible())
                continue;
            texts << action->text();
            if (action->menu())
                check(action->menu());
        }
        for (const QString& shared : SharedKeys(texts))
            problems << AccessibleNames::Plain(menu->title()) + ": " + shared;
    };
    check(menu);
    return problems;
}

// Shared access keys in every menu of `window`'s menu bar.
QStringList MenuProblems(QWidget* window) {
    QStringList problems;
    for (QMenuBar* bar : window->findChildren<QMenuBar*>())
        for (QAction* action : bar->actions())
            if (action->menu())
                problems << MenuKeyProblems(action->menu());
    return problems;
}

class Accessibility : public ::testing::TestWithParam<QLocale::Language> {
protected:
    void SetUp() override {
        ASSERT_TRUE(InstallTranslations(*QCoreApplication::instance(), QLocale(GetParam())));
        ASSERT_TRUE(m.Start());
    }
    void TearDown() override {
        InstallTranslations(*QCoreApplication::instance(), QLocale(QLocale::English));
    }
    // Checks one window, named `what` in the failures.
    void Check(QWidget& window, const QString& what) {
        window.show();
        for (const QString& problem : AccessibilityProblems(&window))
            ADD_FAILURE() << what.toStdString() << ": " << problem.toStdString();
        for (const QString& shared : SharedKeys(WindowKeyTexts(&window)))
            ADD_FAILURE() << what.toStdString() << ": access key " << shared.toStdString();
        for (const QString& problem : MenuProblems(&window))
            ADD_FAILURE() << what.toStdString() << " menu " << problem.toStdString();
    }

    CSimulatedMonitor m{QStringLiteral("layout2")};
    QObject opener;
};

TEST_P(Accessibility, TheMainWindowAndItsMenus) {
    CAutoSizeNoticeRunner notice;
    CMainFrame frame(m.monitor, notice, QString());
    ASSERT_TRUE(frame.Create());
    Check(frame, "main window");
    // Renamed with the quantity it shows.
    auto* contrast = frame.View()->findChild<QRadioButton*>(QStringLiteral("1005"));
    ASSERT_NE(contrast, nullptr);
    contrast->click();
    QWidget* slider = frame.View()->findChild<QWidget*>(QStringLiteral("1075"));
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(slider)->text(QAccessible::Name),
              AccessibleNames::Plain(contrast->text()));
    Check(frame, "main window showing contrast");
}

TEST_P(Accessibility, EveryDialogAndTheFullScreenMenu) {
    CAdjustWnd adjustWnd(m.monitor);
    for (const QString& problem : MenuKeyProblems(adjustWnd.PopupMenu()))
        ADD_FAILURE() << "full-screen menu: " << problem.toStdString();
    QWidget mainWindow;
    {
        CColorSettingDlg dialog(m.monitor, &adjustWnd, &mainWindow, &opener);
        Check(dialog, "Color Setting");
        // Each value box is named after its own row, not after its group.
        for (const auto& [box, label] : {std::pair{1092, 1129}, {1101, 1112}}) {
            QWidget* edit = dialog.findChild<QWidget*>(QString::number(box));
            auto* caption = dialog.findChild<QLabel*>(QString::number(label));
            ASSERT_TRUE(edit && caption) << box;
            EXPECT_TRUE(QAccessible::queryAccessibleInterface(edit)
                            ->text(QAccessible::Name)
                            .startsWith(AccessibleNames::Plain(caption->text())))
                << box;
        }
    }
    {
        CVLinearityDlg dialog(m.monitor, &opener, nullptr);
        Check(dialog, "Vertical Linearity");
    }
    {
        CMoireDlg dialog(m.monitor, &opener, nullptr);
        Check(dialog, "Moire Reduction");
    }
    {
        CConvergenceDlg dialog(m.monitor, &opener);
        Check(dialog, "Convergence");
    }
    for (int templateId : {CIntervalDlg::kNutekTemplate, CIntervalDlg::kVesaTemplate}) {
        CIntervalDlg dialog(m.monitor, templateId, &opener,
                            SettingsProgram{QStringLiteral("/usr/bin/true"), {}});
        Check(dialog, QStringLiteral("Interval %1").arg(templateId));
    }
    {
        CAboutDlg dialog(m.monitor);
        Check(dialog, "About");
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, Accessibility,
                         ::testing::Values(QLocale::English, QLocale::German, QLocale::French,
                                           QLocale::Japanese),
                         [](const auto& info) {
                             return QLocale::languageToString(info.param).toStdString();
                         });

} // namespace
