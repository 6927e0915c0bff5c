#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// An up-down control attached to the right edge of its buddy edit box (the buddy gives up
// that much width). The arrows and the Up/Down keys in the buddy step the position by one
// within the range; every step the user makes is reported by Scrolled(). With
// `setsBuddyText` the position is written into the buddy as a decimal integer, as the
// program's value boxes show it; without, the owner fills the buddy itself.
class CUpDown : public QWidget {
    Q_OBJECT
public:
    CUpDown(QLineEdit* buddy, bool setsBuddyText, QWidget* parent);

    void SetRange(int lower, int upper);
    void SetPos(int pos); // clamped to the range; no Scrolled()
    int Pos() const { return m_nPos; }
    int Lower() const { return m_nLower; }
    int Upper() const { return m_nUpper; }
    QLineEdit* Buddy() const { return m_pBuddy; }

    // One step as the arrows make it: +1 up, -1 down. Nothing happens at the range's end.
    void Step(int direction);
    // The arrows' names for a screen reader.
    void NameArrows(const QString& up, const QString& down);

signals:
    void Scrolled(int pos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void WriteBuddy();

    QLineEdit* m_pBuddy;
    QToolButton* m_pUp;
    QToolButton* m_pDown;
    bool m_bSetsBuddyText;
    int m_nLower = 0;
    int m_nUpper = 100;
    int m_nPos = 0;
};
