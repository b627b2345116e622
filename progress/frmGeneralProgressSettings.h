#pragma once

#include "DateValue.h"
#include "KelvoraDialog.h"

class QDateEdit;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace kelvora {

// Picks the period of the progress chart and asks before building a chart from too little data.
// After it closes: confirmed, and the period dateFrom..dateTo.
class frmGeneralProgressSettings : public KelvoraDialog {
    Q_OBJECT
public:
    explicit frmGeneralProgressSettings(QWidget* parent = nullptr);

    bool confirmed = false;
    DateValue dateFrom;
    DateValue dateTo;

protected:
    void load() override;

private:
    void btnOK_Click();
    int months() const;

    QLabel* lblFieldLabel;
    QDateEdit* dtpDate;
    QGroupBox* Frame1;
    QRadioButton* opt1Month;
    QRadioButton* opt3Month;
    QRadioButton* opt6Month;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QPushButton* btnHelp;
};

} // namespace kelvora
