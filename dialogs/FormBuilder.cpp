#include "dialogs/FormBuilder.h"

#include "dialogs/TrackBar.h"
#include "dialogs/UpDown.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace {
int MulDiv(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    return static_cast<int>((product + (product >= 0 ? denominator : -denominator) / 2) /
                            denominator);
}
} // namespace

CFormBuilder::CFormBuilder(QWidget* form) : m_form(form) {
    // The dialog base units: average width of the Latin letters, and the line height.
    const QFontMetrics metrics(form->font());
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_baseX = std::max(1, (letters / 26 + 1) / 2);
    m_baseY = std::max(1, metrics.height());
}

QRect CFormBuilder::Rect(int x, int y, int w, int h) const {
    const int left = MulDiv(x, m_baseX, 4);
    const int top = MulDiv(y, m_baseY, 8);
    return QRect(left, top, MulDiv(x + w, m_baseX, 4) - left, MulDiv(y + h, m_baseY, 8) - top);
}

QSize CFormBuilder::Size(int w, int h) const {
    return QSize(MulDiv(w, m_baseX, 4), MulDiv(h, m_baseY, 8));
}

void CFormBuilder::FixFormSize(int w, int h) {
    m_form->setFixedSize(Size(w, h));
}

QWidget* CFormBuilder::Parent() const {
    return m_group ? static_cast<QWidget*>(m_group) : m_form;
}

void CFormBuilder::Adopt(QWidget* widget, int id, const QRect& formRect) {
    if (widget->parentWidget() != Parent())
        widget->setParent(Parent());
    if (id != 0)
        widget->setObjectName(QString::number(id));
    widget->setGeometry(m_group ? formRect.translated(-m_group->pos()) : formRect);
    if (m_pendingLabel && widget->focusPolicy() != Qt::NoFocus) {
        m_pendingLabel->setBuddy(widget);
        m_pendingLabel = nullptr;
    }
}

QGroupBox* CFormBuilder::BeginGroup(const QString& caption, int x, int y, int w, int h) {
    EndGroup();
    auto* group = new QGroupBox(caption, m_form);
    Adopt(group, 0, Rect(x, y, w, h));
    m_group = group;
    return group;
}

void CFormBuilder::EndGroup() {
    m_group = nullptr;
}

QLabel* CFormBuilder::Static(int id, const QString& text, int x, int y, int w, int h,
                             Qt::Alignment align) {
    auto* label = new QLabel(text, Parent());
    label->setAlignment(align | Qt::AlignTop);
    label->setWordWrap(!(align & Qt::AlignRight));
    Adopt(label, id, Rect(x, y, w, h));
    if (text.contains(QLatin1Char('&')))
        m_pendingLabel = label;
    return label;
}

QPushButton* CFormBuilder::Button(int id, const QString& text, int x, int y, int w, int h) {
    auto* button = new QPushButton(text, Parent());
    Adopt(button, id, Rect(x, y, w, h));
    return button;
}

QRadioButton* CFormBuilder::Radio(int id, const QString& text, int x, int y, int w, int h,
                                  QButtonGroup* group) {
    auto* radio = new QRadioButton(text, Parent());
    Adopt(radio, id, Rect(x, y, w, h));
    if (group)
        group->addButton(radio, id);
    return radio;
}

QCheckBox* CFormBuilder::Check(int id, const QString& text, int x, int y, int w, int h) {
    auto* check = new QCheckBox(text, Parent());
    Adopt(check, id, Rect(x, y, w, h));
    return check;
}

QComboBox* CFormBuilder::DropList(int id, const QStringList& items, int x, int y, int w) {
    auto* combo = new QComboBox(Parent());
    combo->addItems(items);
    combo->setMaxVisibleItems(std::max(1, static_cast<int>(items.size())));
    QRect rect = Rect(x, y, w, 12);
    rect.setHeight(std::max(rect.height(), combo->sizeHint().height()));
    Adopt(combo, id, rect);
    return combo;
}

QLineEdit* CFormBuilder::ReadOnlyEdit(int id, int x, int y, int w, int h) {
    auto* edit = new QLineEdit(Parent());
    edit->setReadOnly(true);
    // A read-only box looks like the dialog, not like a field one can type into.
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    edit->setPalette(palette);
    Adopt(edit, id, Rect(x, y, w, h));
    return edit;
}

CTrackBar* CFormBuilder::TrackBar(int id, int x, int y, int w, int h, bool ticks) {
    auto* slider = new CTrackBar(Parent(), ticks);
    Adopt(slider, id, Rect(x, y, w, h));
    return slider;
}

CUpDown* CFormBuilder::UpDown(int id, QLineEdit* buddy, bool setsBuddyText) {
    auto* spin = new CUpDown(buddy, setsBuddyText, buddy->parentWidget());
    if (id != 0)
        spin->setObjectName(QString::number(id));
    return spin;
}
