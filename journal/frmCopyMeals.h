#pragma once

#include "KelvoraDialog.h"

#include <QDate>

#include <vector>

class QDateEdit;
class QLabel;
class QPushButton;

namespace kelvora {

class ReportList;

// Copies meals of another day to the current date: the day chosen lists its meals, all ticked, and
// OK stores the ticked ones on currentDate at their own times and quantities, under new
// identifiers, all of them or, when the database refuses one, none.
class frmCopyMeals final : public KelvoraDialog {
    Q_OBJECT
public:
    explicit frmCopyMeals(QWidget* parent = nullptr);

    // Out: how many meals the last OK copied (0 until one did), and their new identifiers.
    int Copied = 0;
    std::vector<qint32> NewIDs;

protected:
    void load() override;
    void unload() override;

private:
    void dtpDate_Change();
    void btnOK_Click();
    // The identifiers of the ticked meals, in the list's order.
    std::vector<qint64> tickedMeals() const;
    // Stores the copies in one transaction; throws DbError, leaving the diary's meals as they were.
    std::vector<qint32> copy(const std::vector<qint64>& meals);

    QDateEdit* dtpDate;
    ReportList* lvwList;
    QLabel* lblInfo;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QPushButton* btnHelp;
};

} // namespace kelvora
