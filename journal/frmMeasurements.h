#pragma once

#include "KelvoraDialog.h"

class QDateEdit;
class QLabel;
class QPushButton;

namespace kelvora {

class MeasurementList;
class ReportList;
class frmBody;
class frmUserNote;

// The body measurements taken from a chosen date on and, below them, the notes that reach that
// date or later, each list with its own New, Edit and Delete. The window's date is its own: it
// starts a month before the current date at every opening and never changes the current date.
class frmMeasurements : public KelvoraDialog {
    Q_OBJECT
public:
    // The editors are the program's own, shared with whoever else opens them.
    frmMeasurements(QWidget* parent, frmBody& bodyEditor, frmUserNote& noteEditor);

    // Fill a list from the window's date on and select the item of `id` (0 selects nothing).
    void RefreshMeasurementList(qint32 id);
    void RefreshNoteList(qint32 id);

protected:
    void load() override;
    void unload() override;

private:
    void dtpDate_Change();
    void showUnits();

    QDateEdit* dtpDate;
    ReportList* lvwMeasurementList;
    QPushButton* btnMeasurementNew;
    QPushButton* btnMeasurementEdit;
    QPushButton* btnMeasurementDelete;
    QLabel* lblWeightIn;
    QLabel* lblLinearIn;
    ReportList* lvwNoteList;
    QPushButton* btnNotetNew;
    QPushButton* btnNotetEdit;
    QPushButton* btnNotetDelete;
    QPushButton* btnHelp;

    MeasurementList* m_measurements;
    MeasurementList* m_notes;
};

} // namespace kelvora
