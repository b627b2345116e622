#pragma once

#include "Currency.h"
#include "KelvoraDialog.h"

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimeEdit;

namespace kelvora {

class DataCombo;
class UpDown;
class frmMeal;

// Records one eaten meal of the current date: the meal, chosen through its
// category, the time and the quantity, showing the kilocalories from fat,
// carbohydrate and protein as the user types. In adding mode (Mode 1) it stays
// open after each stored meal and clears itself for the next one.
class frmMealConsume : public KelvoraDialog {
    Q_OBJECT
public:
    // `mealEditor` is the meal editor the main window owns.
    frmMealConsume(QWidget* parent, frmMeal& mealEditor);
    ~frmMealConsume() override;

    bool Saved = false;  // out: a row was stored since the dialog loaded
    qint32 NewID = 0;    // out: MealConsumeID of the row stored last
    qint32 RecordID = 0; // in: the row to edit, 0 for a new one
    qint32 Mode = 0;     // in: 1 = adding mode, 0 = one row

    // The redraw of the main window after each row stored in adding mode; by
    // default the main window's RePaintGraph, when there is a main window.
    std::function<void()> repaintMainWindow;

protected:
    void load() override;
    void unload() override;

private:
    void dcbMealCategory_Change();
    void dcbMeal_Change();
    void Recalculate();
    void updSpin_Up();
    void updSpin_Down();
    bool Validate();
    void btnOK_Click();
    void btnNewMeal_Click();
    void Gather();
    void ReloadCategories(const QString& selectName);

    DataCombo* dcbMealCategory;
    DataCombo* dcbMeal;
    QPushButton* btnNewMeal;
    QTimeEdit* dtpTime;
    QLineEdit* txtQty;
    QLabel* lblUnit;
    UpDown* updSpin;
    QLabel* lblFat;
    QLabel* lblCarboHydrate;
    QLabel* lblProtein;
    QLabel* lblCalories;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QPushButton* btnHelp;

    Currency increment = Currency::fromInt(1);
    bool loading = false;
    frmMeal& m_mealEditor;
};

} // namespace kelvora
