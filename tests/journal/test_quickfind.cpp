// Find in the two journal editors: what a typed text lists and in what order, choosing with Enter or
// a click as if the boxes had been used, Esc changing nothing, and the whole way with the keyboard.
#include "MealConsumeEditorTest.h"

#include "DataCombo.h"
#include "HelpContext.h"
#include "QuickFindPopup.h"
#include "frmExercise.h"
#include "frmExercisePerform.h"
#include "frmMeal.h"
#include "frmMealCategory.h"
#include "frmMealConsume.h"
#include "frmWeightAdjustment.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QTimeEdit>
#include <QTreeView>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

// The drop-down of Find in `d`, and what it lists: one "name|category" per row.
QuickFindPopup* popup(QDialog& d) {
    auto* found = d.findChild<QuickFindPopup*>();
    EXPECT_NE(found, nullptr);
    return found;
}
QTreeView* matchList(QDialog& d) {
    return popup(d)->findChild<QTreeView*>(u"lvwMatches"_s);
}
QLineEdit* findField(QDialog& d) {
    return popup(d)->findChild<QLineEdit*>(u"txtFind"_s);
}
QStringList listed(QDialog& d) {
    QStringList rows;
    const QAbstractItemModel* model = matchList(d)->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model->columnCount(); ++column)
            cells << model->index(row, column).data().toString();
        rows << cells.join(u'|');
    }
    return rows;
}
QString spokenName(QWidget* control) {
    return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
}
// Where the keys go: the search's field while it is open, else the window's focused control.
QWidget* keyTarget(QDialog& d) {
    return popup(d)->isVisible() ? popup(d)->focusWidget() : d.focusWidget();
}
QString focused(QDialog& d) {
    QWidget* target = keyTarget(d);
    return target ? target->objectName() : u"(none)"_s;
}
void pressCtrlF(QWidget& target) {
    QTest::keyClick(&target, Qt::Key_F, Qt::ControlModifier);
}
// Alt+F presses Find as a click the user sees, which lands a moment later.
void pressAltF(QDialog& d) {
    QTest::keyClick(&d, Qt::Key_F, Qt::AltModifier);
    for (int wait = 0; wait < 100 && !popup(d)->isVisible(); ++wait)
        QTest::qWait(10);
}
// Types `text` where the focus is, as a user does.
void typeHere(QDialog& d, const QString& text) {
    ASSERT_NE(keyTarget(d), nullptr);
    QTest::keyClicks(keyTarget(d), text);
}
void pressHere(QDialog& d, Qt::Key key) {
    ASSERT_NE(keyTarget(d), nullptr);
    QTest::keyClick(keyTarget(d), key);
}

class FindMealTest : public MealConsumeEditorTest {
protected:
    FindMealTest() {
        addCategory(1, u"Breakfast"_s);
        addCategory(2, u"Desserts"_s);
        addCategory(3, u"Snacks"_s);
        addMeal(10, 1, u"Toast"_s, QVariant(), QVariant(), 0.5, 2, 10, 3);
        addMeal(11, 1, u"Oatmeal"_s, u"cup"_s, 1.5, 0.25, 9, 4, 7);
        addMeal(12, 2, u"Crème brûlée"_s, u"ramekin"_s, 1, QVariant(), 150, 120, 20);
        addMeal(13, 2, u"CREME caramel"_s, QVariant(), QVariant(), QVariant(), 50, 100, 20);
        addMeal(14, 3, u"Apple"_s, u"piece"_s, QVariant(), QVariant(), 0.3, 20, 0.5);
        addMeal(15, 3, u"Smørrebrød"_s, u"slice"_s, 2, QVariant(), 60, 80, 40);
        addMeal(16, 1, u"French toast"_s, u"slice"_s, 2, QVariant(), 40, 60, 20);
        // Last eaten: Oatmeal on the 5th, Toast on the 4th at 13:10 and French toast that morning,
        // the crème brûlée on the 3rd (and once before); the rest never.
        addConsume(1, 12, dec(1), at(20, 0), 1);
        addConsume(2, 12, dec(3), at(20, 0), 1);
        addConsume(3, 16, dec(4), at(7, 0), 1);
        addConsume(4, 10, dec(4), at(13, 10), 2.5);
        addConsume(5, 11, dec(5), at(8, 0), 1);
        fx.app->state().currentTime = DateValue::fromTime(14, 37);
        editor.repaintMainWindow = [] {};
    }

    // Everything a choice of meal sets in the window.
    static QStringList state(QDialog& d) {
        return {category(d)->text(),      meal(d)->text(),          text(d, u"lblUnit"_s),
                text(d, u"txtQty"_s),     text(d, u"lblFat"_s),     text(d, u"lblCarboHydrate"_s),
                text(d, u"lblProtein"_s), text(d, u"lblCalories"_s)};
    }
};

TEST_F(FindMealTest, TypingListsTheMealsWhoseNamesHoldItRecentlyEatenFirst) {
    struct Case {
        QString typed;
        QStringList expected;
    };
    const QStringList everything{u"Oatmeal|Breakfast"_s,      u"Toast|Breakfast"_s,
                                 u"French toast|Breakfast"_s, u"Crème brûlée|Desserts"_s,
                                 u"Apple|Snacks"_s,           u"CREME caramel|Desserts"_s,
                                 u"Smørrebrød|Snacks"_s};
    const Case cases[] = {
        {QString(), everything},
        {u"   "_s, everything},
        // Letter case and accents do not count, on either side.
        {u"creme"_s, {u"Crème brûlée|Desserts"_s, u"CREME caramel|Desserts"_s}},
        {u"BRÛLÉE"_s, {u"Crème brûlée|Desserts"_s}},
        {u"crème c"_s, {u"CREME caramel|Desserts"_s}},
        {u"smorre"_s, {u"Smørrebrød|Snacks"_s}},
        // Any part of the name, not only its start; the later meal of the same day comes first.
        {u"toast"_s, {u"Toast|Breakfast"_s, u"French toast|Breakfast"_s}},
        {u"meal"_s, {u"Oatmeal|Breakfast"_s}},
        {u" apple "_s, {u"Apple|Snacks"_s}},
        {u"xyz"_s, {}},
    };
    open(0, 0, [&](QDialog& d) {
        child<QPushButton>(d, u"btnFind"_s)->click();
        ASSERT_TRUE(popup(d)->isVisible());
        EXPECT_EQ(focused(d), u"txtFind"_s);
        for (const Case& c : cases) {
            findField(d)->setText(c.typed);
            EXPECT_EQ(listed(d), c.expected) << c.typed.toStdString();
            EXPECT_EQ(popup(d)->findChild<QLabel*>(u"lblNoMatch"_s)->isVisibleTo(popup(d)),
                      c.expected.isEmpty())
                << c.typed.toStdString();
        }
    });
}

TEST_F(FindMealTest, ChoosingAMealSetsTheWindowAsChoosingItInTheBoxesDoes) {
    // Each target from a window showing another meal: a meal of another category, and one of the
    // category already chosen.
    struct Case {
        QString typed;
        int categoryId, mealId;
        int fromCategory, fromMeal;
    };
    const Case cases[] = {
        {u"oat"_s, 1, 11, 3, 14},
        {u"brul"_s, 2, 12, 1, 10},
        {u"french"_s, 1, 16, 1, 10},
        {u"caramel"_s, 2, 13, 3, 15},
    };
    open(0, 0, [&](QDialog& d) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.typed.toStdString());
            category(d)->setBoundValue(c.categoryId);
            meal(d)->setBoundValue(c.mealId);
            const QStringList chosenByHand = state(d);

            category(d)->setBoundValue(c.fromCategory);
            meal(d)->setBoundValue(c.fromMeal);
            type(d, u"txtQty"_s, u"7"_s);
            ASSERT_NE(state(d), chosenByHand);
            pressCtrlF(*meal(d));
            ASSERT_TRUE(popup(d)->isVisible());
            typeHere(d, c.typed);
            pressHere(d, Qt::Key_Return);
            EXPECT_FALSE(popup(d)->isVisible());
            EXPECT_EQ(state(d), chosenByHand);
            EXPECT_EQ(category(d)->boundValue().toInt(), c.categoryId);
            EXPECT_EQ(meal(d)->boundValue().toInt(), c.mealId);
            EXPECT_EQ(focused(d), u"txtQty"_s);
        }
    });
}

TEST_F(FindMealTest, AClickChoosesTheMealUnderIt) {
    open(0, 0, [&](QDialog& d) {
        pressCtrlF(d);
        typeHere(d, u"toast"_s);
        QTreeView* list = matchList(d);
        const QRect second = list->visualRect(list->model()->index(1, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
        EXPECT_FALSE(popup(d)->isVisible());
        EXPECT_EQ(meal(d)->text(), u"French toast"_s);
        EXPECT_EQ(text(d, u"txtQty"_s), u"2"_s);
        EXPECT_EQ(text(d, u"lblCalories"_s), u"240"_s);
    });
}

TEST_F(FindMealTest, EscClosesTheSearchAndChangesNothing) {
    open(0, 5, [&](QDialog& d) {
        type(d, u"txtQty"_s, u"3"_s);
        meal(d)->setFocus();
        const QStringList before = state(d);
        pressCtrlF(*meal(d));
        typeHere(d, u"apple"_s);
        pressHere(d, Qt::Key_Down);
        pressHere(d, Qt::Key_Escape);
        EXPECT_FALSE(popup(d)->isVisible());
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(state(d), before);
        EXPECT_EQ(focused(d), u"dcbMeal"_s);
        // Enter with nothing listed chooses nothing and keeps the search open.
        pressCtrlF(d);
        typeHere(d, u"xyz"_s);
        pressHere(d, Qt::Key_Return);
        EXPECT_TRUE(popup(d)->isVisible());
        pressHere(d, Qt::Key_Escape);
        EXPECT_EQ(state(d), before);
    });
    // Nothing was stored either.
    EXPECT_FALSE(editor.Saved);
    EXPECT_EQ(scalar(u"select Qty from MealConsume where MealConsumeID = 5"_s).toDouble(), 1.0);
}

// In adding mode a meal goes in with the keyboard alone: Ctrl+F, a few letters, Down to the second
// match, Enter to choose it and Enter again to add it.
TEST_F(FindMealTest, TheKeyboardAloneAddsAMealFound) {
    open(1, 0, [&](QDialog& d) {
        EXPECT_EQ(focused(d), u"dcbMealCategory"_s);
        pressCtrlF(*keyTarget(d));
        ASSERT_TRUE(popup(d)->isVisible());
        typeHere(d, u"TOAST"_s);
        pressHere(d, Qt::Key_Down);
        pressHere(d, Qt::Key_Return);
        EXPECT_EQ(focused(d), u"txtQty"_s);
        pressHere(d, Qt::Key_Return);
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(fx.messages->shown.empty());
        // The access key opens it too; the French toast just added now comes first.
        pressAltF(d);
        ASSERT_TRUE(popup(d)->isVisible());
        typeHere(d, u"toast"_s);
        EXPECT_EQ(listed(d), (QStringList{u"French toast|Breakfast"_s, u"Toast|Breakfast"_s}));
        pressHere(d, Qt::Key_Down);
        pressHere(d, Qt::Key_Down); // stays on the last
        pressHere(d, Qt::Key_Up);
        pressHere(d, Qt::Key_Down);
        pressHere(d, Qt::Key_Return);
        pressHere(d, Qt::Key_Return);
    });
    EXPECT_TRUE(fx.messages->shown.empty());
    EXPECT_EQ(
        scalar(u"select group_concat(MealID || ':' || Qty, ' ') from "
               "(select MealID, Qty from MealConsume where MealConsumeID > 100 order by MealConsumeID)"_s)
            .toString(),
        u"16:2.0 10:1.0"_s);
}

// The designed controls keep their order among themselves and the window still opens on the
// category; Find is reached where it stands, beside the category, and every control of the search
// has a name a screen reader speaks.
TEST_F(FindMealTest, FindJoinsTheTabOrderWhereItStandsAndEveryPartHasAName) {
    open(0, 0, [&](QDialog& d) {
        EXPECT_EQ(focused(d), u"dcbMealCategory"_s);
        QStringList order{focused(d)};
        for (int step = 0; step < 30; ++step) {
            pressHere(d, Qt::Key_Tab);
            if (focused(d) == order.front())
                break;
            if (focused(d) != order.back()) // the time field takes one Tab per section
                order << focused(d);
        }
        EXPECT_EQ(order, (QStringList{u"dcbMealCategory"_s, u"btnFind"_s, u"dcbMeal"_s, u"btnNewMeal"_s,
                                      u"dtpTime"_s, u"txtQty"_s, u"btnOK"_s, u"btnCancel"_s, u"btnHelp"_s}));
        EXPECT_EQ(child<QPushButton>(d, u"btnFind"_s)->text(), u"&Find…"_s);
        EXPECT_EQ(spokenName(child<QPushButton>(d, u"btnFind"_s)), u"Find…"_s);
        pressCtrlF(d);
        EXPECT_EQ(spokenName(findField(d)), u"Find Meal"_s);
        EXPECT_EQ(spokenName(matchList(d)), u"Matching meals"_s);
        // F1 in the search opens the window's own topic.
        pressHere(d, Qt::Key_F1);
        EXPECT_EQ(fx.help->topics, std::vector<int>{HelpContext::frmMealConsume});
        pressHere(d, Qt::Key_Escape);
    });
}

class FindActivityTest : public DiaryTest {
protected:
    FindActivityTest() {
        addExercise(1, u"Walking"_s, u"hour"_s, 2, 74.8);
        addExercise(2, u"Cycling"_s, QVariant(), QVariant(), 300);
        addExercise(3, u"Nordic walking"_s, u"hour"_s, 1.5, 100);
        addExercise(4, u"Café dancing"_s, u"hour"_s, QVariant(), 200);
        addPerform(7, 2, dec(3), at(18, 0), at(19, 30), 1.5);
        addPerform(8, 3, dec(3), at(7, 0), at(8, 0), 1);
        fx.app->state().currentTime = DateValue::fromTime(10, 30);
        editor.repaintMainWindow = [] {};
    }
    static DataCombo* exercise(QDialog& d) { return child<DataCombo>(d, u"dcbExercise"_s); }
    static QStringList state(QDialog& d) {
        return {exercise(d)->text(), child<QLabel>(d, u"lblUnit"_s)->text(),
                child<QLineEdit>(d, u"txtQty"_s)->text(), child<QLabel>(d, u"lblCalories"_s)->text()};
    }
    void open(qint32 mode, qint32 recordId, FakeModal::Handler handler) {
        editor.Mode = mode;
        editor.RecordID = recordId;
        show(editor, std::move(handler));
    }

    frmWeightAdjustment weightAdjustment{nullptr};
    frmExercise exerciseEditor{nullptr, weightAdjustment};
    frmExercisePerform editor{nullptr, exerciseEditor};
};

TEST_F(FindActivityTest, TypingListsTheActivitiesRecentlyPerformedFirst) {
    const std::pair<QString, QStringList> cases[] = {
        {QString(), {u"Cycling"_s, u"Nordic walking"_s, u"Café dancing"_s, u"Walking"_s}},
        {u"WALK"_s, {u"Nordic walking"_s, u"Walking"_s}},
        {u"cafe"_s, {u"Café dancing"_s}},
        {u"ing"_s, {u"Cycling"_s, u"Nordic walking"_s, u"Café dancing"_s, u"Walking"_s}},
        {u"running"_s, {}},
    };
    open(0, 0, [&](QDialog& d) {
        pressCtrlF(d);
        for (const auto& [typed, expected] : cases) {
            findField(d)->setText(typed);
            EXPECT_EQ(listed(d), expected) << typed.toStdString();
        }
        EXPECT_EQ(spokenName(findField(d)), u"Find Activity"_s);
        EXPECT_EQ(spokenName(matchList(d)), u"Matching activities"_s);
    });
}

TEST_F(FindActivityTest, ChoosingAnActivityIsChoosingItInTheBoxAndEscChangesNothing) {
    open(0, 0, [&](QDialog& d) {
        exercise(d)->setBoundValue(1);
        const QStringList walkingByHand = state(d);
        exercise(d)->setBoundValue(2);
        pressAltF(d);
        ASSERT_TRUE(popup(d)->isVisible());
        typeHere(d, u"walk"_s);
        pressHere(d, Qt::Key_Down);
        pressHere(d, Qt::Key_Return);
        EXPECT_EQ(state(d), walkingByHand);
        EXPECT_EQ(state(d), (QStringList{u"Walking"_s, u"hour"_s, u"2"_s, u"149"_s}));
        EXPECT_EQ(focused(d), u"txtQty"_s);

        pressCtrlF(d);
        typeHere(d, u"cycl"_s);
        pressHere(d, Qt::Key_Escape);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(state(d), walkingByHand);
        EXPECT_EQ(focused(d), u"txtQty"_s);
        click(d, u"btnOK"_s);
    });
    EXPECT_TRUE(editor.Saved);
    EXPECT_EQ(
        scalar(u"select ExerciseID from ExercisePerform where ExercisePerformID = %1"_s.arg(editor.NewID))
            .toInt(),
        1);
}

} // namespace
} // namespace kelvora::test
