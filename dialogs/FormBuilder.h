#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

class CTrackBar;
class CUpDown;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The control with id `id` (its objectName) among the descendants of `form`.
template <class T = QWidget> T* Control(const QWidget* form, int id) {
    return form->findChild<T*>(QString::number(id));
}

// Lays out a form as a dialog template does: every position and size in dialog units,
// which follow the form's font (a quarter of the average character width across, an
// eighth of the character height down), so a form keeps its proportions with any font.
// Controls are made in template order, which is also the tab order. Each control's
// objectName is its id (no name for id 0). Coordinates are always the form's, also
// for the controls placed into an open group box.
class CFormBuilder {
public:
    explicit CFormBuilder(QWidget* form);

    QRect Rect(int x, int y, int w, int h) const;
    QSize Size(int w, int h) const;
    // Sizes the form to `w` x `h` units and keeps it there.
    void FixFormSize(int w, int h);

    // Controls made between these two become children of the group box, so that its
    // mnemonic leads to its first control.
    QGroupBox* BeginGroup(const QString& caption, int x, int y, int w, int h);
    void EndGroup();

    // A static text; a mnemonic in it leads to the next control made.
    QLabel* Static(int id, const QString& text, int x, int y, int w, int h,
                   Qt::Alignment align = Qt::AlignLeft);
    QPushButton* Button(int id, const QString& text, int x, int y, int w, int h);
    QRadioButton* Radio(int id, const QString& text, int x, int y, int w, int h,
                        QButtonGroup* group);
    QCheckBox* Check(int id, const QString& text, int x, int y, int w, int h);
    // A drop-down list; its height is the closed box's own.
    QComboBox* DropList(int id, const QStringList& items, int x, int y, int w);
    QLineEdit* ReadOnlyEdit(int id, int x, int y, int w, int h);
    CTrackBar* TrackBar(int id, int x, int y, int w, int h, bool ticks = false);
    // An up-down at the right edge of `buddy` (made just before it).
    CUpDown* UpDown(int id, QLineEdit* buddy, bool setsBuddyText);
    // Any other control.
    template <class W> W* Place(W* widget, int id, int x, int y, int w, int h) {
        Adopt(widget, id, Rect(x, y, w, h));
        return widget;
    }
    QWidget* Parent() const;

private:
    void Adopt(QWidget* widget, int id, const QRect& formRect);

    QWidget* m_form;
    QGroupBox* m_group = nullptr;
    QLabel* m_pendingLabel = nullptr;
    int m_baseX = 6;
    int m_baseY = 13;
};
