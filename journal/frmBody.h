#pragma once

#include "KelvoraDialog.h"

#include <QVariant>

class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kelvora {

// The body measurements of one day: weight and the girths of breast, waist and hips, in the unit
// system of the settings. A day holds at most one measurement, so storing one for a day that has
// another offers to replace it; the replacement deletes the other row and stores this one in one
// transaction, so a failed store never loses the other measurement.
class frmBody : public KelvoraDialog {
    Q_OBJECT
public:
    explicit frmBody(QWidget* parent = nullptr);

    // Output: true once a row was stored during the last showing.
    bool Saved = false;
    // Output: the BodyId of the stored row.
    qint32 NewID = 0;
    // Input: the BodyId to edit; 0 for a new measurement.
    qint32 RecordID = 0;

    // Fills the fields from the row of rsBody, or with the current date and nothing else for a new one.
    void Populate();
    // Copies the fields into the row of rsBody, without storing it; a new row also takes its
    // identifier and the current unit system.
    void Gather();
    // Checks the fields, reporting the first bad one; true when they may be stored.
    bool Validate();

protected:
    void load() override;
    void unload() override;

private:
    void btnOK_Click();
    void showUnits();
    // The BodyId of another measurement on `date`, or 0 when the day has none.
    qint32 otherMeasurementOn(const QVariant& date);
    // Stores the gathered row, replacing `other` when it is not 0; throws DbError with nothing changed.
    void store(qint32 other);

    QDateEdit* dtpDate;
    QLineEdit* txtWeight;
    QLabel* lblWeightUnit;
    QLineEdit* txtBreast;
    QLineEdit* txtWaist;
    QLineEdit* txtHips;
    QLabel* lblLinearUnit;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QPushButton* btnHelp;
};

} // namespace kelvora
