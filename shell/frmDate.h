#pragma once

#include "KelvoraDialog.h"

class QDateEdit;
class QPushButton;

namespace kelvora {

// Picks the day the main window shows.
class frmDate : public KelvoraDialog {
    Q_OBJECT
public:
    explicit frmDate(QWidget* parent = nullptr);

protected:
    void load() override;

private:
    void btnOK_Click();

    QDateEdit* dtpDate;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QPushButton* btnHelp;
};

} // namespace kelvora
