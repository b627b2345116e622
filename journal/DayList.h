#pragma once

#include "EditorCall.h"
#include "KelvoraDialog.h"

#include <QStringList>

#include <functional>
#include <optional>

class QDateEdit;
class QPushButton;

namespace kelvora {

class Recordset;
class ReportList;

// What the two day lists of the journal share: the records of one day with a blank and a totals row
// closing two or more of them, New, Edit and Delete through the table's editor, and a date that is
// the application's current date, so the day chosen here is the day the main window shows next.
class DayList : public KelvoraDialog {
    Q_OBJECT
public:
    // Fills the list for the date of dtpDate and selects the item of `id` (0 selects nothing).
    void RefreshList(qint32 id);

    // The picker the opener sets to the current date before showing the window.
    QDateEdit* dtpDate;

protected:
    DayList(EditorCall editor, QWidget* parent, int helpContextId, const QString& dateLabel,
            const QStringList& columns, const QList<int>& numericColumns);

    // Runs the day's command for `day` and adds one item per row, then the blank and totals rows.
    virtual void fillRows(const QDate& day) = 0;
    // Deletes the record of `tag`; throws DbError when the database refuses.
    virtual void deleteRecord(qint64 tag) = 0;
    // Undoes what a failed delete left open.
    virtual void recoverFromDelete() {}

    // The blank and totals rows of a list of two or more records: `texts` are the totals row's cells.
    void addTotals(int count, const QStringList& texts);

    ReportList* lvwList;
    QPushButton* btnNew;
    QPushButton* btnEdit;
    QPushButton* btnDelete;
    QPushButton* btnHelp;

private:
    void dtpDate_Change();
    void btnNew_Click();
    void btnEdit_Click();
    void btnDelete_Click();
    void edit(qint32 recordId);

    EditorCall m_editor;
};

} // namespace kelvora
