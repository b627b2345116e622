// The activities list, the activity editor's weight dependence and the weight adjustment calculator.
#include "AppFixture.h"
#include "ReportList.h"
#include "deData.h"
#include "frmExercise.h"
#include "frmExercises.h"
#include "frmWeightAdjustment.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

const QString Question =
    u"This activity is body weight dependent. Are you sure you've specified the Calories Consume "
    u"value exactly for your body weight? If No, please press 'For Me' button and use our weight "
    u"adjustment calculator."_s;

class ExercisesTest : public ::testing::Test {
protected:
    AppFixture fx{SeedContents::SchemaOnly};
    frmWeightAdjustment calculator{nullptr};
    frmExercise editor{nullptr, calculator};
    frmExercises list{nullptr, editor};

    void sql(const QString& text) { fx.app->de().Con.execute(text); }
    QVariant scalar(const QString& text) { return fx.app->de().Con.scalar(text); }
    void user(std::int16_t weight, const QString& system) {
        fx.app->state().bodyWeight = weight;
        fx.app->state().measurementSystem = system;
    }
    static void type(QDialog& d, const QString& name, const QString& text) {
        auto* field = d.findChild<QLineEdit*>(name);
        field->clear();
        QTest::keyClicks(field, text);
    }
    static void click(QDialog& d, const QString& name) { d.findChild<QPushButton*>(name)->click(); }
    static void fill(QDialog& d, const QString& name, const QString& calories, bool dependent) {
        type(d, u"txtName"_s, name);
        type(d, u"txtCaloriesConsume"_s, calories);
        type(d, u"txtUnit"_s, u"hour"_s);
        d.findChild<QCheckBox*>(u"chkWeightDependent"_s)->setChecked(dependent);
    }
    // Shows the editor for `id` and runs `handler` while it is open.
    void edit(qint32 id, FakeModal::Handler handler) {
        editor.RecordID = id;
        fx.modal->expect(std::move(handler));
        fx.app->modal().exec(editor);
    }
};

TEST_F(ExercisesTest, StoresTheBaseForTheReferenceWeight) {
    struct Case {
        std::int16_t weight;
        QString system, calories;
        double base;
    };
    const Case cases[] = {{200, u"I"_s, u"300"_s, 225.0}, {80, u"M"_s, u"100"_s, 85.05}};
    for (const Case& c : cases) {
        user(c.weight, c.system);
        sql(u"delete from Exercise"_s);
        edit(0, [&](QDialog& d) {
            fill(d, u"Rowing"_s, c.calories, true);
            click(d, u"btnOK"_s); // the question defaults to No
            EXPECT_TRUE(d.isVisible());
            fx.messages->answer(MessageButton::Yes);
            click(d, u"btnOK"_s);
        });
        EXPECT_TRUE(editor.Saved);
        EXPECT_EQ(scalar(u"select CaloriesConsume from Exercise"_s).toDouble(), c.calories.toDouble());
        EXPECT_NEAR(scalar(u"select CaloriesConsumeBase from Exercise"_s).toDouble(), c.base, 1e-9);
        EXPECT_EQ(fx.messages->last().text, Question);
        EXPECT_EQ(fx.messages->last().defaultButton, MessageButton::No);
    }
}

TEST_F(ExercisesTest, UncheckingMakesTheBaseEqualAndForMeFollowsTheCheck) {
    sql(u"insert into Exercise (ExerciseID, Name, Unit, CaloriesConsume, CaloriesConsumeBase, "
        u"WeightDependent) "
        u"values (5, 'Rowing', 'hour', 400, 300, 1)"_s);
    edit(5, [&](QDialog& d) {
        EXPECT_TRUE(d.findChild<QPushButton*>(u"btnWeightAdjust"_s)->isEnabled());
        EXPECT_EQ(d.findChild<QLabel*>(u"lblPerWhat"_s)->text(), u"per unit, for my body"_s);
        d.findChild<QCheckBox*>(u"chkWeightDependent"_s)->setChecked(false);
        EXPECT_FALSE(d.findChild<QPushButton*>(u"btnWeightAdjust"_s)->isEnabled());
        EXPECT_EQ(d.findChild<QLabel*>(u"lblPerWhat"_s)->text(), u"per unit"_s);
        click(d, u"btnOK"_s);
    });
    EXPECT_TRUE(fx.messages->shown.empty());
    EXPECT_EQ(scalar(u"select CaloriesConsumeBase from Exercise"_s).toDouble(), 400.0);
    EXPECT_EQ(scalar(u"select WeightDependent from Exercise"_s).toInt(), 0);
}

TEST_F(ExercisesTest, RenamingKeepsBothCalorieColumnsAndAsksNothing) {
    sql(u"insert into Exercise (ExerciseID, Name, Unit, CaloriesConsume, CaloriesConsumeBase, "
        u"WeightDependent) "
        u"values (5, 'Rowing', 'hour', 400, 300.123456789, 1)"_s);
    user(0, u"I"_s); // no weight, yet nothing to compute
    edit(5, [&](QDialog& d) {
        type(d, u"txtName"_s, u"Rowing, fast"_s);
        click(d, u"btnOK"_s);
    });
    EXPECT_TRUE(fx.messages->shown.empty());
    EXPECT_EQ(scalar(u"select Name from Exercise"_s).toString(), u"Rowing, fast"_s);
    EXPECT_EQ(scalar(u"select CaloriesConsume from Exercise"_s).toDouble(), 400.0);
    EXPECT_EQ(scalar(u"select CaloriesConsumeBase from Exercise"_s).toDouble(), 300.123456789);
}

TEST_F(ExercisesTest, ZeroBodyWeightIsRefusedRatherThanStoringInfinity) {
    user(0, u"I"_s);
    edit(0, [&](QDialog& d) {
        fill(d, u"Rowing"_s, u"300"_s, true);
        click(d, u"btnOK"_s);
        EXPECT_TRUE(d.isVisible());
    });
    ASSERT_EQ(fx.messages->shown.size(), 1u);
    EXPECT_EQ(fx.messages->last().title, u"Error"_s);
    EXPECT_EQ(scalar(u"select count(*) from Exercise"_s).toInt(), 0);
}

TEST_F(ExercisesTest, ForMeSuppressesTheQuestion) {
    user(180, u"I"_s);
    edit(0, [&](QDialog& d) {
        fill(d, u"Rowing"_s, u"100"_s, true);
        fx.modal->expect([](QDialog& c) {
            EXPECT_EQ(c.findChild<QLineEdit*>(u"txtCaloriesConsume"_s)->text(), u"100"_s);
            EXPECT_EQ(c.findChild<QLineEdit*>(u"txtWeight"_s)->text(), u"150"_s);
            c.findChild<QPushButton*>(u"btnOK"_s)->click();
        });
        click(d, u"btnWeightAdjust"_s);
        EXPECT_EQ(d.findChild<QLineEdit*>(u"txtCaloriesConsume"_s)->text(), u"120"_s);
        click(d, u"btnOK"_s);
    });
    EXPECT_TRUE(fx.messages->shown.empty());
    EXPECT_EQ(scalar(u"select CaloriesConsume from Exercise"_s).toDouble(), 120.0);
    EXPECT_DOUBLE_EQ(scalar(u"select CaloriesConsumeBase from Exercise"_s).toDouble(), 100.0);
}

TEST_F(ExercisesTest, ChecksInOrder) {
    struct Case {
        QString name, calories, unit, qty, message, focus;
    };
    const Case cases[] = {
        {u"  "_s, u"x"_s, u""_s, u"x"_s, u"The Name should be specified"_s, u"txtName"_s},
        {u"Row"_s, u""_s, u""_s, u"x"_s, u"The Calories Consume should be specified"_s,
         u"txtCaloriesConsume"_s},
        {u"Row"_s, u"1,5"_s, u""_s, u"x"_s, u"The Calories Consume field contains illegal data"_s,
         u"txtCaloriesConsume"_s},
        {u"Row"_s, u"5"_s, u" "_s, u"x"_s, u"The Unit should be specified"_s, u"txtUnit"_s},
        {u"Row"_s, u"5"_s, u"h"_s, u"x"_s, u"The Default Quantity field contains illegal data"_s,
         u"txtDefaultQty"_s},
    };
    for (const Case& c : cases) {
        edit(0, [&](QDialog& d) {
            d.activateWindow();
            type(d, u"txtName"_s, c.name);
            type(d, u"txtCaloriesConsume"_s, c.calories);
            type(d, u"txtUnit"_s, c.unit);
            type(d, u"txtDefaultQty"_s, c.qty);
            click(d, u"btnOK"_s);
            EXPECT_EQ(d.focusWidget()->objectName(), c.focus) << c.message.toStdString();
        });
        EXPECT_EQ(fx.messages->last().text, c.message);
    }
    EXPECT_EQ(scalar(u"select count(*) from Exercise"_s).toInt(), 0);
}

TEST_F(ExercisesTest, ListShowsPlainNumbersAndBlankDefaultQuantity) {
    sql(u"insert into Exercise (ExerciseID, Name, Unit, CaloriesConsume, CaloriesConsumeBase, DefaultQty) "
        u"values (5, 'Walk', 'hour', 1234.5, 1234.5, null), (6, 'Bike', 'km', 30, 30, 2.25)"_s);
    fx.modal->expect([&](QDialog&) {
        ASSERT_EQ(list.lvwList->rowCount(), 2);
        EXPECT_EQ(list.lvwList->row(1)->text(0), u"Bike"_s);
        EXPECT_EQ(list.lvwList->row(1)->text(3), u"2.25"_s);
        EXPECT_EQ(list.lvwList->row(2)->text(1), u"1234.5"_s);
        EXPECT_EQ(list.lvwList->row(2)->text(3), QString());
        EXPECT_EQ(list.lvwList->headerItem()->text(3), u"Def. Qty"_s);
        fx.modal->expect(
            [](QDialog& d) { EXPECT_TRUE(d.findChild<QLineEdit*>(u"txtDefaultQty"_s)->text().isEmpty()); });
        list.lvwList->selectByText(u"Walk"_s);
        list.btnEdit->click();
    });
    fx.app->modal().exec(list);
    EXPECT_EQ(list.windowTitle(), u"Activities"_s);
    EXPECT_EQ(list.helpContextId(), 21);
}

TEST_F(ExercisesTest, DuplicateNameAndEmptyList) {
    fx.modal->expect([&](QDialog&) {
        list.btnEdit->click();
        list.btnDelete->click();
    });
    fx.app->modal().exec(list);
    EXPECT_EQ(fx.messages->texts(), (std::vector<QString>{u"Nothing to edit"_s, u"Nothing to delete"_s}));
    sql(u"insert into Exercise (Name, Unit) values ('Walk', 'hour')"_s);
    edit(0, [&](QDialog& d) {
        fill(d, u"walk"_s, u"5"_s, false);
        click(d, u"btnOK"_s);
        EXPECT_TRUE(d.isVisible());
    });
    EXPECT_EQ(fx.messages->last().text,
              u"Can't store this record in database. Please check whether there is already "
              u"Activity with the same name in the database"_s);
}

class CalculatorTest : public ExercisesTest {
protected:
    void calc(const QString& weight, const QString& calories) {
        fx.modal->expect([&](QDialog& d) {
            if (!weight.isNull())
                type(d, u"txtWeight"_s, weight);
            click(d, u"btnOK"_s);
        });
        calculator.txtCaloriesConsume->setText(calories);
        fx.app->modal().exec(calculator);
    }
};

TEST_F(CalculatorTest, ConvertsToTheUsersWeight) {
    struct Case {
        std::int16_t weight;
        QString system, forWeight, calories;
        int result;
    };
    const Case cases[] = {
        {180, u"I"_s, QString(), u"100"_s, 120},  {80, u"M"_s, QString(), u"100"_s, 118},
        {150, u"I"_s, u"-150"_s, u"100"_s, -100}, {150, u"I"_s, u"150"_s, u"-40"_s, -40},
        {100, u"I"_s, u"40"_s, u"1"_s, 2},   // 2.5 to even
        {100, u"I"_s, u"40"_s, u"1.4"_s, 4}, // 3.5 to even
    };
    for (const Case& c : cases) {
        user(c.weight, c.system);
        calc(c.forWeight, c.calories);
        EXPECT_TRUE(calculator.Saved);
        EXPECT_EQ(calculator.Result, c.result) << c.calories.toStdString();
    }
    EXPECT_TRUE(fx.messages->shown.empty());
}

TEST_F(CalculatorTest, PresetsAndChecksInOrder) {
    user(80, u"M"_s);
    fx.modal->expect([](QDialog& d) {
        EXPECT_EQ(d.findChild<QLineEdit*>(u"txtWeight"_s)->text(), u"68.04"_s);
        EXPECT_EQ(d.findChild<QLabel*>(u"lblMeasurement"_s)->text(), u"kg"_s);
    });
    fx.app->modal().exec(calculator);
    struct Case {
        QString weight, calories, message;
    };
    const Case cases[] = {
        {u"x"_s, u""_s, u"Calories field contains illegal value"_s},
        {u"x"_s, u"10"_s, u"For Weight field contains illegal value"_s},
        {u"0"_s, u"10"_s, u"For Weight should not be zero"_s},
        {u"1"_s, u"500"_s, u"The result is out of range: it should be a number from -32768 to 32767"_s},
    };
    for (const Case& c : cases) {
        fx.modal->expect([&](QDialog& d) {
            type(d, u"txtWeight"_s, c.weight);
            click(d, u"btnOK"_s);
            EXPECT_TRUE(d.isVisible());
        });
        calculator.txtCaloriesConsume->setText(c.calories);
        fx.app->modal().exec(calculator);
        EXPECT_FALSE(calculator.Saved);
        EXPECT_EQ(fx.messages->last().text, c.message);
        EXPECT_EQ(fx.messages->last().title, u"Error"_s);
    }
}

} // namespace
} // namespace kelvora::test
