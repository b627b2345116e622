#pragma once

#include "KelvoraDialog.h"

#include <optional>

class QDateEdit;
class QLineEdit;
class QPushButton;

namespace kelvora {

// A free-text note over a range of days. Notes may not overlap: a range that shares a day with
// another note is refused, naming that note.
class frmUserNote : public KelvoraDialog {
    Q_OBJECT
public:
    explicit frmUserNote(QWidget* parent = nullptr);

    // Output: true once a row was stored during the last showing.
    bool Saved = false;
    // Output: the UserNoteId of the stored row.
    qint32 NewID = 0;
    // Input: the UserNoteId to edit; 0 for a new note.
    qint32 RecordID = 0;

    // Fills the fields from the row of rsUserNote, or with the current date and no text for a new one.
    void Populate();
    // Copies the fields into the row of rsUserNote, without storing it; a new row also takes its identifier.
    void Gather();
    // Checks the fields, reporting the first bad one; true when they may be stored.
    bool Validate();

protected:
    void load() override;
    void unload() override;

private:
    void btnOK_Click();
    // The text of another note that shares a day with the gathered range, if there is one.
    std::optional<QString> intersectingNote();
    void refuseIntersection(const QString& otherNote);

    QDateEdit* dtpDateFrom;
    QDateEdit* dtpDateTo;
    QLineEdit* txtNote;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QPushButton* btnHelp;
};

} // namespace kelvora
