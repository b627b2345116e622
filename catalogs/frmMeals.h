#pragma once

#include "CatalogList.h"

namespace kelvora {

class DataCombo;
class frmMeal;

// The meals of one category at a time, opened modally from the main window, which redraws its day
// view after.
class frmMeals : public CatalogList {
    Q_OBJECT
public:
    // `editor` is the meal editor the main window owns (shared with the journal).
    frmMeals(QWidget* parent, frmMeal& editor);

    DataCombo* dcbMealCategory;

    // Re-reads the categories and selects the one of that name, which refills the list.
    void ReloadCategories(const QString& name);

protected:
    bool runEditor(qint32 recordId, QString& savedName) override;
    void addItem(const Recordset& rs) override;
    QVariantList listParams() const override;
    bool canList() const override;
    void load() override;
    void unload() override;

private:
    frmMeal& m_editor;
    bool suppressCategoryChange = false;
};

} // namespace kelvora
