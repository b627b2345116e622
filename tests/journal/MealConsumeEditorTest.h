#pragma once

// The meal editor of the day journal over its catalogue editors, for the tests of the editor itself
// and of its Find.
#include "test_mealconsume_fixture.h"

#include "DataCombo.h"
#include "frmMeal.h"
#include "frmMealCategory.h"
#include "frmMealConsume.h"

namespace kelvora::test {

class MealConsumeEditorTest : public DiaryTest {
protected:
    static DataCombo* category(QDialog& d) { return child<DataCombo>(d, QStringLiteral("dcbMealCategory")); }
    static DataCombo* meal(QDialog& d) { return child<DataCombo>(d, QStringLiteral("dcbMeal")); }
    void open(qint32 mode, qint32 recordId, FakeModal::Handler handler) {
        editor.Mode = mode;
        editor.RecordID = recordId;
        show(editor, std::move(handler));
    }

    frmMealCategory categoryEditor{nullptr};
    frmMeal mealEditor{nullptr, categoryEditor};
    frmMealConsume editor{nullptr, mealEditor};
};

} // namespace kelvora::test
