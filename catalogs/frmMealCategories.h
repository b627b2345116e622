#pragma once

#include "CatalogList.h"

namespace kelvora {

class frmMealCategory;

// The list of meal categories, opened modally from the main window; it takes and returns nothing.
class frmMealCategories : public CatalogList {
    Q_OBJECT
public:
    // `editor` is the category editor the main window owns (shared with the meal editor).
    frmMealCategories(QWidget* parent, frmMealCategory& editor);
};

} // namespace kelvora
