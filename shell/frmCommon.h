#pragma once

#include "KelvoraDialog.h"

#include <QVariant>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kelvora {

// The user's body weight, unit system and background burn, and the goals: a target weight and a
// daily calorie budget, each empty for none. Storing them also converts every body
// measurement into the chosen unit system and rescales the weight-dependent activities, all in one
// transaction: the diary is never left half converted.
class frmCommon : public KelvoraDialog {
    Q_OBJECT
public:
    explicit frmCommon(QWidget* parent = nullptr);

    // Input: the first run shows the dialog in this mode, which can only be left with stored parameters.
    bool firstStart = false;
    // Output: true when the parameters were stored.
    bool Saved = false;

    // Fills the fields from the Common row.
    void Populate();
    // Copies the fields into the Common row, without storing it.
    void Gather();
    // Checks the fields, reporting the first bad one; true when they may be stored.
    bool Validate();

public Q_SLOTS:
    // Without stored parameters in first-start mode there is no way out: Esc and the title bar's
    // close button do nothing then.
    void reject() override;

protected:
    void load() override;
    void unload() override;

private:
    void btnOK_Click();
    void txtWeight_Change();
    void cbxMeasurement_Click();
    void showWeightUnit();
    void estimateMetabolicRate();
    // The target weight shown in the unit system selected, while the user has not typed one: the
    // stored target converted as the unit switch will convert it.
    void showTargetWeight();
    void setTargetText(const QString& text);
    // Stores the row and brings the diary in line with it; false (and nothing changed) on a failure.
    bool storeAndRecalculate();

    QLineEdit* txtWeight;
    QLabel* lblWeightUnit;
    QComboBox* cbxMeasurement;
    QLineEdit* txtMetabolicRate;
    QLineEdit* txtTargetWeight;
    QLabel* lblTargetWeightUnit;
    QLineEdit* txtDailyCalorieBudget;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QPushButton* btnHelp;

    // The target weight as stored (in storedSystem), and whether the user has typed over it.
    QVariant m_storedTarget;
    QString m_storedSystem;
    bool m_targetTyped = false;
    bool m_settingTarget = false;
};

} // namespace kelvora
