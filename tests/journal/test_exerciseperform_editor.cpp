// The activity performance editor: the proposed times, the calories, the spin
// buttons, the checks, adding mode and a store that fails.
#include "test_mealconsume_fixture.h"

#include "DataCombo.h"
#include "frmExercise.h"
#include "frmExercisePerform.h"
#include "frmWeightAdjustment.h"

#include <QLabel>
#include <QTimeEdit>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

class ExercisePerformTest : public DiaryTest {
protected:
    ExercisePerformTest() {
        addExercise(1, u"Walking"_s, u"hour"_s, 2, 74.8);
        addExercise(2, u"Cycling"_s, QVariant(), QVariant(), 300);
        addPerform(7, 2, dec(3), at(18, 0), at(19, 30), 1.5);
        fx.app->state().currentTime = DateValue::fromTime(10, 30);
        editor.repaintMainWindow = [this] { ++repaints; };
    }

    static DataCombo* exercise(QDialog& d) { return child<DataCombo>(d, u"dcbExercise"_s); }
    static QTimeEdit* begin(QDialog& d) { return child<QTimeEdit>(d, u"dtpBeginTime"_s); }
    static QTimeEdit* end(QDialog& d) { return child<QTimeEdit>(d, u"dtpEndTime"_s); }
    static QString quantity(QDialog& d) { return child<QLineEdit>(d, u"txtQty"_s)->text(); }
    static QString label(QDialog& d, const QString& name) { return child<QLabel>(d, name)->text(); }
    static void spin(QDialog& d, bool up) {
        auto* spinner = child<QWidget>(d, u"updSpin"_s);
        QTest::mouseClick(spinner->findChild<QToolButton*>(up ? u"up"_s : u"down"_s), Qt::LeftButton);
    }
    int counter() { return scalar(u"select NextExercisePerformID from Common"_s).toInt(); }
    void open(qint32 mode, qint32 recordId, FakeModal::Handler handler) {
        editor.Mode = mode;
        editor.RecordID = recordId;
        show(editor, std::move(handler));
    }

    frmWeightAdjustment calculator{nullptr};
    frmExercise exerciseEditor{nullptr, calculator};
    frmExercisePerform editor{nullptr, exerciseEditor};
    int repaints = 0;
};

TEST_F(ExercisePerformTest, ANewActivityRunsAQuarterOfAnHourFromTheCurrentTime) {
    open(0, 0, [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"Activity Performed - New"_s);
        EXPECT_EQ(begin(d)->time(), QTime(10, 30));
        EXPECT_EQ(end(d)->time(), QTime(10, 45));
        EXPECT_EQ(begin(d)->displayFormat(), u"H:mm"_s);
        EXPECT_EQ(exercise(d)->text(), QString());
    });
    fx.app->state().timePickerFormat = u"h:mm tt"_s;
    open(0, 0, [&](QDialog& d) { EXPECT_EQ(end(d)->displayFormat(), u"h:mm AP"_s); });
}

TEST_F(ExercisePerformTest, LateInTheDayTheEndStopsAtTheDaysLastMinute) {
    fx.app->state().currentDate = DateValue::fromQDate(dec(6));
    fx.app->state().currentTime = DateValue::fromTime(23, 50);
    open(0, 0, [&](QDialog& d) {
        EXPECT_EQ(begin(d)->time(), QTime(23, 50));
        EXPECT_EQ(end(d)->time(), QTime(23, 59));
        exercise(d)->setBoundValue(2);
        click(d, u"btnOK"_s);
        EXPECT_FALSE(d.isVisible());
    });
    ASSERT_TRUE(editor.Saved);
    // The row stays within its own day, so the day's chart, the lists and the
    // daily balances agree.
    const double stored =
        scalar(u"select timeEnd from ExercisePerform where ExercisePerformID = %1"_s.arg(editor.NewID))
            .toDouble();
    EXPECT_LT(stored, 1.0);
    EXPECT_EQ(DateValue(stored).toQTime(), QTime(23, 59));
}

TEST_F(ExercisePerformTest, CaloriesAreRoundedDownAndAnActivityWithoutDefaultTakesOne) {
    open(0, 0, [&](QDialog& d) {
        exercise(d)->setBoundValue(1);
        EXPECT_EQ(quantity(d), u"2"_s);
        EXPECT_EQ(label(d, u"lblUnit"_s), u"hour"_s);
        EXPECT_EQ(label(d, u"lblCalories"_s), u"149"_s); // 149.6
        type(d, u"txtQty"_s, u"-0.5"_s);
        EXPECT_EQ(label(d, u"lblCalories"_s), u"-38"_s); // -37.4
        type(d, u"txtQty"_s, u"x"_s);
        EXPECT_EQ(label(d, u"lblCalories"_s), QString());
        exercise(d)->setBoundValue(2);
        EXPECT_EQ(quantity(d), u"1"_s);
        EXPECT_EQ(label(d, u"lblUnit"_s), QString());
        EXPECT_EQ(label(d, u"lblCalories"_s), u"300"_s);
    });
}

TEST_F(ExercisePerformTest, SpinButtonsStepByOne) {
    const std::tuple<QString, bool, QString> cases[] = {{u"2.5"_s, true, u"3.5"_s},
                                                        {u"0.5"_s, false, u"-0.5"_s},
                                                        {u"abc"_s, true, u"abc"_s},
                                                        {u""_s, false, u""_s}};
    open(0, 0, [&](QDialog& d) {
        exercise(d)->setBoundValue(1);
        for (const auto& [before, up, after] : cases) {
            type(d, u"txtQty"_s, before);
            spin(d, up);
            EXPECT_EQ(quantity(d), after) << before.toStdString();
        }
        type(d, u"txtQty"_s, u"1"_s);
        spin(d, true);
        EXPECT_EQ(label(d, u"lblCalories"_s), u"149"_s);
    });
}

TEST_F(ExercisePerformTest, TheChecksRunInOrder) {
    open(0, 0, [&](QDialog& d) {
        // Each refusal puts the cursor into the field to mend.
        const auto ok = [&](const QString& message, const QString& field) {
            fx.messages->shown.clear();
            click(d, u"btnOK"_s);
            expectError(message);
            EXPECT_TRUE(d.isVisible());
            ASSERT_NE(d.focusWidget(), nullptr);
            EXPECT_EQ(d.focusWidget()->objectName(), field) << message.toStdString();
        };
        const QString timeRefused = u"The End Time value should be more than the Begin Time value"_s;
        end(d)->setTime(QTime(10, 30));
        ok(u"The Exercise is not specified or specified incorrect"_s, u"dcbExercise"_s);
        exercise(d)->setBoundValue(1);
        type(d, u"txtQty"_s, u" "_s); // the times are checked before the quantity
        ok(timeRefused, u"dtpEndTime"_s);
        end(d)->setTime(QTime(10, 0));
        ok(timeRefused, u"dtpEndTime"_s);
        end(d)->setTime(QTime(11, 0));
        type(d, u"txtQty"_s, u" "_s);
        ok(u"The Quantity should be specified"_s, u"txtQty"_s);
        type(d, u"txtQty"_s, u"two"_s);
        ok(u"The Quantity field contains illegal data"_s, u"txtQty"_s);
        type(d, u"txtQty"_s, u"0"_s);
        click(d, u"btnOK"_s);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_TRUE(editor.Saved);
}

TEST_F(ExercisePerformTest, EditingShowsTheStoredRowAndKeepsItsDay) {
    open(0, 7, [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"Activity Performed"_s);
        EXPECT_EQ(exercise(d)->text(), u"Cycling"_s);
        EXPECT_EQ(begin(d)->time(), QTime(18, 0));
        EXPECT_EQ(end(d)->time(), QTime(19, 30));
        EXPECT_EQ(quantity(d), u"1.5"_s);
        EXPECT_EQ(label(d, u"lblCalories"_s), u"450"_s);
        begin(d)->setTime(QTime(17, 45));
        click(d, u"btnOK"_s);
    });
    EXPECT_TRUE(editor.Saved);
    EXPECT_EQ(editor.NewID, 7);
    EXPECT_EQ(scalar(u"select PerformDate from ExercisePerform where ExercisePerformID = 7"_s).toDouble(),
              serial(dec(3)));
    EXPECT_EQ(fx.app->state().currentTime.toQTime(), QTime(17, 45));
    EXPECT_EQ(count(u"ExercisePerform"_s), 1);
}

TEST_F(ExercisePerformTest, AddingModeStoresEachActivityRedrawsAndClears) {
    fx.app->state().currentDate = DateValue::fromQDate(dec(6));
    const int first = counter() + 1; // the counter holds the last identifier taken
    open(1, 0, [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"Activity Performed - New"_s);
        EXPECT_EQ(child<QPushButton>(d, u"btnOK"_s)->text(), u"&Add"_s);
        EXPECT_EQ(child<QPushButton>(d, u"btnCancel"_s)->text(), u"&Close"_s);
        for (int round = 1; round <= 2; ++round) {
            exercise(d)->setBoundValue(1);
            click(d, u"btnOK"_s);
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(repaints, round);
            EXPECT_EQ(exercise(d)->text(), QString());
            EXPECT_EQ(quantity(d), QString());
            EXPECT_EQ(label(d, u"lblCalories"_s), QString());
            EXPECT_EQ(begin(d)->time(), QTime(10, 30));
            EXPECT_EQ(end(d)->time(), QTime(10, 45));
        }
        click(d, u"btnOK"_s);
        expectError(u"The Exercise is not specified or specified incorrect"_s);
    });
    EXPECT_EQ(editor.NewID, first + 1);
    EXPECT_EQ(
        scalar(u"select count(*) from ExercisePerform where PerformDate = %1"_s.arg(serial(dec(6)))).toInt(),
        2);
}

TEST_F(ExercisePerformTest, AFailedStoreKeepsTheInputAndBurnsItsIdentifier) {
    sql(u"create trigger refuse before insert on ExercisePerform begin select raise(abort, 'refused'); end"_s);
    const int first = counter() + 1; // the counter holds the last identifier taken
    open(0, 0, [&](QDialog& d) {
        exercise(d)->setBoundValue(2);
        begin(d)->setTime(QTime(6, 0));
        click(d, u"btnOK"_s);
        expectError(u"Can't store this record in database. Please check whether all data are valid"_s);
        EXPECT_TRUE(d.isVisible());
        EXPECT_FALSE(editor.Saved);
        EXPECT_EQ(fx.app->state().currentTime.toQTime(), QTime(10, 30));
        sql(u"drop trigger refuse"_s);
        click(d, u"btnOK"_s);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_TRUE(editor.Saved);
    EXPECT_EQ(editor.NewID, first + 1);
    EXPECT_EQ(fx.app->state().currentTime.toQTime(), QTime(6, 0));
}

} // namespace
} // namespace kelvora::test

namespace kelvora::test {
namespace {

TEST_F(ExercisePerformTest, AnActivityMadeOnTheSpotIsChosen) {
    open(0, 0, [&](QDialog& d) {
        fx.modal->expect([&](QDialog& e) {
            EXPECT_EQ(&e, &exerciseEditor);
            EXPECT_EQ(exerciseEditor.RecordID, 0);
            addExercise(3, u"Rowing"_s, u"km"_s, 5, 60);
            exerciseEditor.Saved = true;
            exerciseEditor.SavedName = u"Rowing"_s;
            e.accept();
        });
        click(d, u"btnNewCategory"_s);
        EXPECT_EQ(fx.modal->opened.back(), u"frmExercise"_s);
        EXPECT_EQ(exercise(d)->text(), u"Rowing"_s);
        EXPECT_EQ(quantity(d), u"5"_s);
        EXPECT_EQ(label(d, u"lblCalories"_s), u"300"_s);
    });
}

} // namespace
} // namespace kelvora::test
