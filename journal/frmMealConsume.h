#pragma once

#include "Currency.h"
#include "JournalEntryEditor.h"

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
class frmMealConsume : public JournalEntryEditor {
    Q_OBJECT
public:
    // `mealEditor` is the meal editor the main window owns.
    frmMealConsume(QWidget* parent, frmMeal& mealEditor);
    ~frmMealConsume() override;

protected:
    void load() override;
    void unload() override;

private:
    void dcbMealCategory_Change();
    void dcbMeal_Change();
    void Recalculate();
    void updSpin_Up();
    void updSpin_Down();
    bool Validate() override;
    void btnNewMeal_Click();
    bool appendsRow() const override;
    void Gather() override;
    QTime storedTime() const override;
    void clearForNextRow() override;
    void ReloadCategories(const QString& selectName);
    void findChosen(const QuickFindEntry& meal) override;

    DataCombo* dcbMealCategory;
    DataCombo* dcbMeal;
    QPushButton* btnNewMeal;
    QTimeEdit* dtpTime;
    QLabel* lblFat;
    QLabel* lblCarboHydrate;
    QLabel* lblProtein;

    Currency increment = Currency::fromInt(1);
    bool loading = false;
    frmMeal& m_mealEditor;
};

} // namespace kelvora
