#pragma once

#include "KelvoraDialog.h"

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimeEdit;

namespace kelvora {

class DataCombo;
class UpDown;
class frmExercise;

// Records one activity performed on the current date: the activity, from when
// to when and in what quantity, showing the kilocalories it burned. In adding
// mode (Mode 1) it stays open after each stored activity and clears itself for
// the next one.
class frmExercisePerform : public KelvoraDialog {
    Q_OBJECT
public:
    // `exerciseEditor` is the activity editor the main window owns.
    frmExercisePerform(QWidget* parent, frmExercise& exerciseEditor);
    ~frmExercisePerform() override;

    bool Saved = false;  // out: a row was stored since the dialog loaded
    qint32 NewID = 0;    // out: ExercisePerformID of the row stored last
    qint32 RecordID = 0; // in: the row to edit, 0 for a new one
    qint32 Mode = 0;     // in: 1 = adding mode, 0 = one row

    // The redraw of the main window after each row stored in adding mode; by
    // default the main window's RePaintGraph, when there is a main window.
    std::function<void()> repaintMainWindow;

protected:
    void load() override;
    void unload() override;

private:
    void dcbExercise_Change();
    void Recalculate();
    void step(float delta);
    bool Validate();
    void btnOK_Click();
    void btnNewCategory_Click();
    void Gather();

    DataCombo* dcbExercise;
    QPushButton* btnNewCategory;
    QTimeEdit* dtpBeginTime;
    QTimeEdit* dtpEndTime;
    QLineEdit* txtQty;
    QLabel* lblUnit;
    UpDown* updSpin;
    QLabel* lblCalories;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QPushButton* btnHelp;

    bool loading = false;
    frmExercise& m_exerciseEditor;
};

} // namespace kelvora
