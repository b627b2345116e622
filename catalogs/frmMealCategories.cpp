#include "frmMealCategories.h"

#include "App.h"
#include "HelpContext.h"
#include "frmMealCategory.h"

using namespace Qt::StringLiterals;

namespace kelvora {

frmMealCategories::frmMealCategories(QWidget* parent, frmMealCategory& editor)
    : CatalogList(parent,
                  Config{u"frmMealCategories"_s,
                         u"Meal Categories"_s,
                         HelpContext::frmMealCategories,
                         {u"Meal Category Name"_s},
                         {},
                         u"MealCategorySorted"_s,
                         u"MealCategory"_s,
                         Refusal::NoneSelected,
                         Refusal::ListEmpty},
                  editor) {}

} // namespace kelvora
