#pragma once

#include <QFileDialog>

#include <array>
#include <memory>

class QCheckBox;

// The open dialog that also asks which groups of a settings file to load: screen data,
// colour data and power-saving data (check boxes 1006, 1007, 1117). The choice comes from
// the profile and goes back to it when the user confirms a file with at least one box
// ticked; with none ticked the dialog refuses the file without a word and stays open.
class COpenDialogBase : public QFileDialog {
    Q_OBJECT
public:
    // The check box with control id 1006, 1007 or 1117 (also its objectName).
    QCheckBox* Box(int id) const;
    // The file-name check: refuses the file while no box is ticked, else stores the choice.
    void accept() override;

    int m_bScreen = 1;
    int m_bColor = 1;
    int m_bPower = 1;

protected:
    explicit COpenDialogBase(QWidget* parent);
    // Makes the three boxes (captions from the string table), showing the members.
    void CreateBoxes(QWidget* parent);
    const std::array<QCheckBox*, 3>& Boxes() const { return m_boxes; }

private:
    void BoxesToMembers();

    std::array<QCheckBox*, 3> m_boxes{};
};

// The desktop's current dialog style: the boxes sit in a child panel (template 201) added
// below the dialog's own controls.
class COpen : public COpenDialogBase {
    Q_OBJECT
public:
    explicit COpen(QWidget* parent = nullptr);
};

// The older style: the boxes are placed by hand in a strip 40 pixels high added below the
// dialog, each a third of the width wide, starting 18 pixels from the left.
class COpenLegacy : public COpenDialogBase {
    Q_OBJECT
public:
    explicit COpenLegacy(QWidget* parent = nullptr);

    static constexpr int kExtraHeight = 40;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceBoxes();
};

// The dialog of the open command, chosen by the platform's shell flag and set up for
// settings files: title "Open", filter "VT Pro(*.qlt)", default extension "qlt", and only
// existing files accepted.
std::unique_ptr<COpenDialogBase> CreateOpenDialog(QWidget* parent);
