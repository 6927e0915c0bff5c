#include "dialogs/UpDown.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

CUpDown::CUpDown(QLineEdit* buddy, bool setsBuddyText, QWidget* parent)
    : QWidget(parent), m_pBuddy(buddy), m_bSetsBuddyText(setsBuddyText) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_pUp = new QToolButton(this);
    m_pDown = new QToolButton(this);
    for (QToolButton* button : {m_pUp, m_pDown}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        layout->addWidget(button);
    }
    m_pUp->setArrowType(Qt::UpArrow);
    m_pDown->setArrowType(Qt::DownArrow);
    connect(m_pUp, &QToolButton::clicked, this, [this] { Step(+1); });
    connect(m_pDown, &QToolButton::clicked, this, [this] { Step(-1); });

    // Sit inside the buddy's right edge, the buddy keeping the rest.
    const int width = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QRect box = buddy->geometry();
    buddy->resize(std::max(1, box.width() - width), box.height());
    setGeometry(box.x() + box.width() - width, box.y(), width, box.height());
    buddy->installEventFilter(this);
    WriteBuddy();
}

void CUpDown::SetRange(int lower, int upper) {
    m_nLower = lower;
    m_nUpper = upper;
    m_nPos = std::clamp(m_nPos, std::min(lower, upper), std::max(lower, upper));
}

void CUpDown::SetPos(int pos) {
    m_nPos = std::clamp(pos, std::min(m_nLower, m_nUpper), std::max(m_nLower, m_nUpper));
    WriteBuddy();
}

void CUpDown::Step(int direction) {
    if (!isEnabled())
        return;
    // A range given upside down turns the arrows round.
    const int delta = m_nUpper >= m_nLower ? direction : -direction;
    const int next =
        std::clamp(m_nPos + delta, std::min(m_nLower, m_nUpper), std::max(m_nLower, m_nUpper));
    if (next == m_nPos)
        return;
    m_nPos = next;
    WriteBuddy();
    emit Scrolled(m_nPos);
}

bool CUpDown::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pBuddy && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            Step(key->key() == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CUpDown::WriteBuddy() {
    if (m_bSetsBuddyText)
        m_pBuddy->setText(QString::number(m_nPos));
}

void CUpDown::NameArrows(const QString& up, const QString& down) {
    m_pUp->setAccessibleName(up);
    m_pDown->setAccessibleName(down);
}
