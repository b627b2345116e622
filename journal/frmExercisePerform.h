#pragma once

#include "JournalEntryEditor.h"

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
class frmExercisePerform : public JournalEntryEditor {
    Q_OBJECT
public:
    // `exerciseEditor` is the activity editor the main window owns.
    frmExercisePerform(QWidget* parent, frmExercise& exerciseEditor);
    ~frmExercisePerform() override;

protected:
    void load() override;
    void unload() override;

private:
    void dcbExercise_Change();
    void Recalculate();
    void step(float delta);
    bool Validate() override;
    void btnNewCategory_Click();
    void Gather() override;
    QTime storedTime() const override;
    void clearForNextRow() override;
    void findChosen(const QuickFindEntry& activity) override;

    DataCombo* dcbExercise;
    QPushButton* btnNewCategory;
    QTimeEdit* dtpBeginTime;
    QTimeEdit* dtpEndTime;

    bool loading = false;
    frmExercise& m_exerciseEditor;
};

} // namespace kelvora
