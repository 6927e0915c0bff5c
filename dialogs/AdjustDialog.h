#pragma once

#include "dialogs/SliderBinding.h"

#include <QDialog>
#include <QPointer>

#include <cstdint>
#include <initializer_list>
#include <set>
#include <vector>

class CFormBuilder;
class CMonitor;

// The frame every adjustment dialog shares: while open it takes the controller's change
// notifications, and when it ends it hands them back to the window that opened it (so a
// notification never reaches a dialog that has ended); its rows send each movement to the
// monitor at once and follow the changes the monitor reports; F1 and the context-help
// button show the help popup of a control. The dialog initialises itself when it is first
// shown (exec() or show()); each dialog's OnInitDialog() runs the frame's steps in its
// order.
class CAdjustDialog : public QDialog {
    Q_OBJECT
public:
    struct Frame {
        int templateId = 0;
        bool placeAt30 = false;  // top-left corner at screen position (30, 30)
        bool contextHelp = true; // context-help button and F1 popups
    };

    // `notifyBack` receives the notifications again when the dialog ends (may be null:
    // they are then dropped).
    CAdjustDialog(CMonitor& monitor, const Frame& frame, QObject* notifyBack, QWidget* parent);
    ~CAdjustDialog() override;

    int TemplateId() const { return m_frame.templateId; }
    // 0x80000000 + template x 65536 + control id for the controls that carry a help
    // context, 0 for every other control (and for null).
    std::uint32_t HelpContextOf(const QWidget* control) const;
    // Shows the help popup of `control` from the program's help file, as F1 or a click in
    // context-help mode does.
    void ShowControlHelp(const QWidget* control);
    bool HasEnded() const { return m_bEnded; }

    void done(int result) override;

protected:
    // The dialog's initialisation, run once when it is first shown.
    virtual void OnInitDialog() = 0;
    // The change notification (item, new value) while the dialog is open. The default is
    // the rows' handling: the row that shows the item follows the value, nothing is sent.
    virtual void OnNotify(int item, int value);
    // A row followed a notification; called before the values go to the boxes.
    virtual void RowNotified(SliderBinding& row) { Q_UNUSED(row); }
    // Sends a row's new value to the monitor (WriteItem unless a dialog says otherwise).
    virtual void SendRow(SliderBinding& row, int value);
    // The slider of a row moved / its spin stepped.
    virtual void OnRowSlider(SliderBinding& row, int pos);
    virtual void OnRowSpin(SliderBinding& row);

    // OK (id 1, the default button) and Cancel (id 2), 50 x 14 units at the given places,
    // wired to accept() and reject().
    void AddOkCancel(CFormBuilder& form, QPoint ok, QPoint cancel);
    void RegisterForNotifications();
    void SetHelpControls(std::initializer_list<int> ids);
    // Adds a row and wires its slider and spin; rows keep the order they are added in.
    // `name`: the quantity the row shows, as a screen reader speaks it.
    void AddRow(std::uint8_t item, const QString& name, CTrackBar* slider, QLabel* maxLabel,
                CUpDown* spin);
    void SetUpRows();
    // Moves the dialog to (30, 30) where its frame says so.
    void PlaceDialog();

    void showEvent(QShowEvent* event) override;
    void customEvent(QEvent* event) override;
    bool event(QEvent* event) override;

    CMonitor& m_monitor;
    std::vector<SliderBinding> m_rows;

private:
    void HandBackNotifications();

    Frame m_frame;
    QPointer<QObject> m_notifyBack;
    std::set<int> m_helpControls;
    bool m_bInitialised = false;
    bool m_bEnded = false;
};
