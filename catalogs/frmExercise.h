#pragma once

#include "CatalogEditor.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kelvora {

class frmWeightAdjustment;

// The editor of one activity. A weight-dependent activity keeps its calories for the user's weight
// and, as its base, for the reference weight; the base is rewritten only when the user changed the
// calories or the weight dependence.
class frmExercise : public CatalogEditor {
    Q_OBJECT
public:
    // `calculator` is the weight adjustment calculator the main window owns.
    frmExercise(QWidget* parent, frmWeightAdjustment& calculator);

    QLineEdit* txtName;
    QLineEdit* txtCaloriesConsume;
    QLabel* lblPerWhat;
    QPushButton* btnWeightAdjust;
    QLineEdit* txtUnit;
    QLineEdit* txtDefaultQty;
    QCheckBox* chkWeightDependent;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QPushButton* btnHelp;

protected:
    void Populate(const Recordset& rs) override;
    void afterLoad() override;

private:
    void ShowWeightDependence();
    bool Validate();
    void onWeightAdjust();
    void onOK();

    frmWeightAdjustment& m_calculator;
    bool caloriesTouched = false;
    bool calculatorUsed = false;
};

} // namespace kelvora
