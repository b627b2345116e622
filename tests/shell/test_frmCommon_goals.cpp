// The goals of Common Parameters: a target weight and a daily calorie budget, each optional, checked
// like the designed fields, stored in the Common row and the application state, and the target
// converted with the body rows when the unit system changes.
#include "AppFixture.h"
#include "deData.h"
#include "frmCommon.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

constexpr int Imperial = 0;
constexpr int Metric = 1;
const QString TargetRefused =
    u"The Target Weight should be a number from 1 to 32767, or empty for no target"_s;
const QString BudgetRefused =
    u"The Daily Calorie Budget should be a number from 1 to 32767, or empty for no budget"_s;

class GoalsTest : public ::testing::Test {
protected:
    QVariant scalar(const QString& sql) { return fx.app->de().Con.scalar(sql); }
    void show(FakeModal::Handler handler) {
        fx.modal->expect(std::move(handler));
        fx.app->modal().exec(dialog);
    }
    static QLineEdit* edit(QDialog& d, const QString& name) { return d.findChild<QLineEdit*>(name); }
    static QComboBox* units(QDialog& d) { return d.findChild<QComboBox*>(u"cbxMeasurement"_s); }
    static void type(QLineEdit* field, const QString& text) {
        field->clear();
        QTest::keyClicks(field, text);
    }
    static void clickOK(QDialog& d) {
        QTest::mouseClick(d.findChild<QPushButton*>(u"btnOK"_s), Qt::LeftButton);
    }
    // Types both goals and stores them.
    void store(const QString& target, const QString& budget) {
        show([&](QDialog& d) {
            type(edit(d, u"txtTargetWeight"_s), target);
            type(edit(d, u"txtDailyCalorieBudget"_s), budget);
            clickOK(d);
            EXPECT_FALSE(d.isVisible());
        });
    }

    AppFixture fx;
    frmCommon dialog;
};

TEST_F(GoalsTest, AreStoredAsTypedAndEmptyMeansNone) {
    show([&](QDialog& d) {
        EXPECT_EQ(edit(d, u"txtTargetWeight"_s)->text(), QString());
        EXPECT_EQ(edit(d, u"txtDailyCalorieBudget"_s)->text(), QString());
        EXPECT_EQ(d.findChild<QLabel*>(u"lblTargetWeightUnit"_s)->text(), u"lb"_s);
        units(d)->setCurrentIndex(Metric);
        EXPECT_EQ(d.findChild<QLabel*>(u"lblTargetWeightUnit"_s)->text(), u"kg"_s);
        units(d)->setCurrentIndex(Imperial);
    });

    store(u"142.5"_s, u" 1850 "_s);
    EXPECT_DOUBLE_EQ(scalar(u"select TargetWeight from Common"_s).toDouble(), 142.5);
    EXPECT_DOUBLE_EQ(scalar(u"select DailyCalorieBudget from Common"_s).toDouble(), 1850);
    EXPECT_EQ(fx.app->state().targetWeight, 142.5);
    EXPECT_EQ(fx.app->state().dailyCalorieBudget, 1850);
    show([&](QDialog& d) {
        EXPECT_EQ(edit(d, u"txtTargetWeight"_s)->text(), u"142.5"_s);
        EXPECT_EQ(edit(d, u"txtDailyCalorieBudget"_s)->text(), u"1850"_s);
        d.reject();
    });

    store(QString(), u"   "_s);
    EXPECT_TRUE(scalar(u"select TargetWeight from Common"_s).isNull());
    EXPECT_TRUE(scalar(u"select DailyCalorieBudget from Common"_s).isNull());
    EXPECT_FALSE(fx.app->state().targetWeight);
    EXPECT_FALSE(fx.app->state().dailyCalorieBudget);
}

TEST_F(GoalsTest, BadGoalsAreRefusedAfterTheDesignedChecksWithTheFocusBack) {
    struct Case {
        QString weight, target, budget;
        QString message;
        QString field;
    };
    const Case cases[] = {
        {u"150"_s, u"abc"_s, u"2000"_s, TargetRefused, u"txtTargetWeight"_s},
        {u"150"_s, u"0"_s, u"2000"_s, TargetRefused, u"txtTargetWeight"_s},
        {u"150"_s, u"32768"_s, u"2000"_s, TargetRefused, u"txtTargetWeight"_s},
        {u"150"_s, u"140"_s, u"1800 kcal"_s, BudgetRefused, u"txtDailyCalorieBudget"_s},
        {u"150"_s, u"140"_s, u"-1"_s, BudgetRefused, u"txtDailyCalorieBudget"_s},
        {u"150"_s, u"abc"_s, u"x"_s, TargetRefused, u"txtTargetWeight"_s},
        // The designed fields come first.
        {u"abc"_s, u"abc"_s, u"x"_s, u"The Weight is not specified or specified incorrect"_s, u"txtWeight"_s},
    };
    for (const Case& c : cases) {
        const std::string label = (c.weight + u'/' + c.target + u'/' + c.budget).toStdString();
        fx.messages->shown.clear();
        show([&](QDialog& d) {
            type(edit(d, u"txtWeight"_s), c.weight);
            type(edit(d, u"txtTargetWeight"_s), c.target);
            type(edit(d, u"txtDailyCalorieBudget"_s), c.budget);
            clickOK(d);
            EXPECT_TRUE(d.isVisible()) << label;
            ASSERT_EQ(fx.messages->shown.size(), 1u) << label;
            EXPECT_EQ(fx.messages->last().text, c.message) << label;
            EXPECT_EQ(fx.messages->last().title, u"Error"_s);
            EXPECT_EQ(fx.messages->last().icon, MessageIcon::Exclamation);
            EXPECT_EQ(d.focusWidget(), edit(d, c.field)) << label;
            d.reject();
        });
        EXPECT_FALSE(dialog.Saved) << label;
        EXPECT_TRUE(scalar(u"select TargetWeight from Common"_s).isNull()) << label;
        EXPECT_TRUE(scalar(u"select DailyCalorieBudget from Common"_s).isNull()) << label;
    }
}

// 180 lb and 40 in, as the body row beside it: both become 81.6 kg, and back 179 lb, rounded alike.
TEST_F(GoalsTest, TheUnitSwitchConvertsTheTargetWithTheBodyRows) {
    fx.app->de().Con.execute(
        u"insert into Body (BodyId, DateMeasured, Weight, Breast, Waist, Hips, Measurement) "
        "values (1, 47119, 180, 40, 40, 40, 'I')"_s);
    store(u"180"_s, u"2000"_s);
    const auto bodyWeight = [&] { return scalar(u"select Weight from Body where BodyId = 1"_s).toDouble(); };

    struct Step {
        int entry;
        QString weight;
        double expected;
    };
    for (const Step& step : {Step{Metric, u"80"_s, 81.6}, Step{Imperial, u"176"_s, 179}}) {
        show([&](QDialog& d) {
            units(d)->setCurrentIndex(step.entry);
            // What OK will store, shown before it is stored.
            EXPECT_EQ(edit(d, u"txtTargetWeight"_s)->text(), QLocale().toString(step.expected));
            type(edit(d, u"txtWeight"_s), step.weight);
            clickOK(d);
        });
        EXPECT_DOUBLE_EQ(scalar(u"select TargetWeight from Common"_s).toDouble(), step.expected);
        EXPECT_DOUBLE_EQ(bodyWeight(), step.expected);
        EXPECT_EQ(fx.app->state().targetWeight, step.expected);
        EXPECT_DOUBLE_EQ(scalar(u"select DailyCalorieBudget from Common"_s).toDouble(), 2000);
    }

    // Switching there and back within one showing converts nothing.
    show([&](QDialog& d) {
        units(d)->setCurrentIndex(Metric);
        units(d)->setCurrentIndex(Imperial);
        EXPECT_EQ(edit(d, u"txtTargetWeight"_s)->text(), u"179"_s);
        clickOK(d);
    });
    EXPECT_DOUBLE_EQ(scalar(u"select TargetWeight from Common"_s).toDouble(), 179);

    // A target typed after the switch is in the new system already.
    show([&](QDialog& d) {
        units(d)->setCurrentIndex(Metric);
        type(edit(d, u"txtWeight"_s), u"80"_s);
        type(edit(d, u"txtTargetWeight"_s), u"75"_s);
        clickOK(d);
    });
    EXPECT_DOUBLE_EQ(scalar(u"select TargetWeight from Common"_s).toDouble(), 75);
    EXPECT_EQ(scalar(u"select Measurement from Common"_s).toString(), u"M"_s);
}

// A conversion the database refuses takes the whole switch back with it.
TEST_F(GoalsTest, AFailedSwitchLeavesTheTargetAndTheBodyRowsAsTheyWere) {
    store(u"180"_s, QString());
    fx.app->de().Con.execute(u"create trigger refuse before update of TargetWeight on Common "
                             "when new.Measurement = 'M' begin select raise(abort, 'refused'); end"_s);
    show([&](QDialog& d) {
        units(d)->setCurrentIndex(Metric);
        type(edit(d, u"txtWeight"_s), u"80"_s);
        clickOK(d);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(fx.messages->last().text, u"Can't store information in database."_s);
        d.reject();
    });
    EXPECT_DOUBLE_EQ(scalar(u"select TargetWeight from Common"_s).toDouble(), 180);
    EXPECT_EQ(scalar(u"select Measurement from Common"_s).toString(), u"I"_s);
    EXPECT_EQ(fx.app->state().targetWeight, 180);
    EXPECT_EQ(fx.app->state().measurementSystem, u"I"_s);
}

} // namespace
} // namespace kelvora::test
