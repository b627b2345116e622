#pragma once

#include "KelvoraDialog.h"

#include <QString>

class QComboBox;
class QDate;
class QDateEdit;
class QPushButton;

namespace kelvora {

struct ExportPeriod;

// Writes a period of the diary out of the program: as a report for a dietitian (PDF) or as
// spreadsheet files (CSV, one per table, into a folder). The period is proposed as the calendar
// month up to currentDate; OK checks it and then asks for the destination through the file dialogs.
class frmExport final : public KelvoraDialog {
    Q_OBJECT
public:
    enum Format { Report = 0, Spreadsheet = 1 };

    explicit frmExport(QWidget* parent = nullptr);

    // Output: true when the files were written, and where (the PDF file, or the CSV folder).
    bool Exported = false;
    QString Destination;

protected:
    void load() override;

private:
    void btnOK_Click();
    // Each asks for its destination and writes there; false when nothing was written.
    bool exportReport(const ExportPeriod& period);
    bool exportSpreadsheet(const ExportPeriod& period);
    bool confirmReplaceAll(const QString& folder, const QStringList& names);

    QDateEdit* dtpFrom;
    QDateEdit* dtpTo;
    QComboBox* cbxFormat;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QPushButton* btnHelp;
};

} // namespace kelvora
