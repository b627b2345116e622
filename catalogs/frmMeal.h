#pragma once

#include "CatalogEditor.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kelvora {

class DataCombo;
class frmMealCategory;

// The editor of one meal. Besides the editor results it reports a category created on the spot
// (CategoryAdded, NewCategoryName) even when the meal itself was not stored, and the category of
// the stored meal (MealCategoryID, which also preselects the category of a new meal).
class frmMeal : public CatalogEditor {
    Q_OBJECT
public:
    // `categoryEditor` is the category editor the main window owns.
    frmMeal(QWidget* parent, frmMealCategory& categoryEditor);

    qint32 MealCategoryID = 0;
    bool CategoryAdded = false;
    QString NewCategoryName;

    DataCombo* dcbMealCategory;
    QPushButton* btnNewCategory;
    QLineEdit* txtName;
    QLineEdit* txtUnit;
    QLineEdit* txtDefaultQty;
    QLineEdit* txtIncrement;
    QLineEdit* txtCalories;
    QLineEdit* txtFat;
    QLineEdit* txtCarboHydrate;
    QLineEdit* txtProtein;
    QLineEdit* txtFatBC;
    QLineEdit* txtCarboHydrateBC;
    QLineEdit* txtProteinBC;
    QLabel* lblCaloriesPer; // label 8 of the field labels
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QPushButton* btnHelp;

protected:
    void Populate(const Recordset& rs) override;
    void afterLoad() override;

private:
    void reloadCategories();
    void ShowCaloriesLabel();
    void RecalcByCalories();
    bool Validate();
    void onNewCategory();
    void onOK();

    frmMealCategory& m_categoryEditor;
    bool loading = false;
};

} // namespace kelvora
