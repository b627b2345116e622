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
// 'Walking, 2 mph, slow' of the shipped catalogue: weight-dependent, 33.3396 kcal at 150 lb.
constexpr int WeightDependentExercise = 1;

const QString WeightNotNumber = u"The Weight is not specified or specified incorrect"_s;
const QString WeightOutOfRange = u"The Weight should be a number from 1 to 32767"_s;
const QString RateNotNumber = u"The Background Calories Consume is not specified or specified incorrect"_s;
const QString RateOutOfRange = u"The Background Calories Consume should be a number from 0 to 32767"_s;
const QString StoreFailed = u"Can't store information in database."_s;
const QString Recalculated =
    u"All existing data will be recalculated according with new common parameters. Your results may change now"_s;

class FrmCommonTest : public ::testing::Test {
protected:
    QVariant scalar(const QString& sql) { return fx.app->de().Con.scalar(sql); }
    void sql(const QString& text) { fx.app->de().Con.execute(text); }

    // Shows the dialog through the modal fake and runs `handler` while it is open.
    int show(FakeModal::Handler handler) {
        fx.modal->expect(std::move(handler));
        return fx.app->modal().exec(dialog);
    }

    static QLineEdit* edit(QDialog& d, const QString& name) { return d.findChild<QLineEdit*>(name); }
    static QPushButton* button(QDialog& d, const QString& name) { return d.findChild<QPushButton*>(name); }
    static QComboBox* units(QDialog& d) { return d.findChild<QComboBox*>(u"cbxMeasurement"_s); }
    static QString unitLabel(QDialog& d) { return d.findChild<QLabel*>(u"lblWeightUnit"_s)->text(); }

    static void type(QLineEdit* field, const QString& text) {
        field->clear();
        QTest::keyClicks(field, text);
    }
    // Fills the dialog as a user would: unit system first, then the weight, which re-estimates the burn.
    static void fill(QDialog& d, int entry, const QString& weight) {
        units(d)->setCurrentIndex(entry);
        type(edit(d, u"txtWeight"_s), weight);
    }
    static void fill(QDialog& d, int entry, const QString& weight, const QString& rate) {
        fill(d, entry, weight);
        type(edit(d, u"txtMetabolicRate"_s), rate);
    }
    static void clickOK(QDialog& d) { QTest::mouseClick(button(d, u"btnOK"_s), Qt::LeftButton); }

    void expectStoredCommon(double weight, const QString& system, double rate) {
        EXPECT_DOUBLE_EQ(scalar(u"select weight from Common"_s).toDouble(), weight);
        EXPECT_EQ(scalar(u"select Measurement from Common"_s).toString(), system);
        EXPECT_DOUBLE_EQ(scalar(u"select metabolicRate from Common"_s).toDouble(), rate);
    }
    void expectState(int bodyWeight, const QString& system, double rate) {
        const AppState& state = fx.app->state();
        EXPECT_EQ(state.bodyWeight, bodyWeight);
        EXPECT_EQ(state.measurementSystem, system);
        EXPECT_DOUBLE_EQ(state.metabolicRate, rate);
    }
    double exerciseCalories() {
        return scalar(u"select CaloriesConsume from Exercise where ExerciseID = %1"_s.arg(
                          WeightDependentExercise))
            .toDouble();
    }
    // A body row of the user's own, 180 lb with every girth 40 in.
    void addImperialBodyRow() {
        sql(u"insert into Body (BodyId, DateMeasured, Weight, Breast, Waist, Hips, Measurement) "
            "values (1, 47119, 180, 40, 40, 40, 'I')"_s);
    }
    struct BodyRow {
        double weight, breast, waist, hips;
        QString system;
    };
    BodyRow bodyRow() {
        Statement statement(fx.app->de().Con,
                            u"select Weight, Breast, Waist, Hips, Measurement from Body where BodyId = 1"_s);
        EXPECT_TRUE(statement.step());
        return {statement.value(0).toDouble(), statement.value(1).toDouble(), statement.value(2).toDouble(),
                statement.value(3).toDouble(), statement.value(4).toString()};
    }

    AppFixture fx;
    frmCommon dialog;
};

TEST_F(FrmCommonTest, OpensWithTheStoredParametersNotTheEstimate) {
    struct Case {
        QString update;
        QString weight;
        int entry;
        QString unit;
        QString rate;
    };
    const Case cases[] = {
        {{}, u"150"_s, Imperial, u"lb"_s, u"80"_s},
        {u"update Common set weight = 70.5, Measurement = 'M', metabolicRate = 75.25"_s, u"70.5"_s, Metric,
         u"kg"_s, u"75.25"_s},
    };
    for (const Case& c : cases) {
        if (!c.update.isEmpty())
            sql(c.update);
        show([&](QDialog& d) {
            EXPECT_EQ(edit(d, u"txtWeight"_s)->text(), c.weight);
            EXPECT_EQ(units(d)->currentIndex(), c.entry);
            EXPECT_EQ(unitLabel(d), c.unit);
            EXPECT_EQ(edit(d, u"txtMetabolicRate"_s)->text(), c.rate);
            EXPECT_TRUE(button(d, u"btnCancel"_s)->isEnabled());
        });
    }
    EXPECT_EQ(dialog.windowTitle(), u"Common Parameters"_s);
    EXPECT_EQ(fx.modal->opened, (std::vector<QString>{u"frmCommon"_s, u"frmCommon"_s}));
}

TEST_F(FrmCommonTest, EstimatesTheBurnRateFromANumericWeight) {
    struct Case {
        int entry;
        QString weight;
        QString unit;
        QString rate;
    };
    const Case cases[] = {
        {Imperial, u"150"_s, u"lb"_s, u"59"_s}, // 68.04 kg: 1421.948 / 24 = 59.25
        {Metric, u"80"_s, u"kg"_s, u"63"_s},    // 1526 / 24 = 63.58
        {Imperial, u"abc"_s, u"lb"_s, u"80"_s}, // not a number: the stored rate stays
    };
    for (const Case& c : cases) {
        show([&](QDialog& d) {
            fill(d, c.entry, c.weight);
            EXPECT_EQ(unitLabel(d), c.unit) << c.weight.toStdString();
            EXPECT_EQ(edit(d, u"txtMetabolicRate"_s)->text(), c.rate) << c.weight.toStdString();
        });
    }
}

TEST_F(FrmCommonTest, SwitchingTheUnitSystemReestimates) {
    show([&](QDialog& d) {
        fill(d, Imperial, u"80"_s);
        EXPECT_EQ(edit(d, u"txtMetabolicRate"_s)->text(), u"47"_s); // 36.288 kg
        units(d)->setCurrentIndex(Metric);
        EXPECT_EQ(edit(d, u"txtMetabolicRate"_s)->text(), u"63"_s);
        EXPECT_EQ(unitLabel(d), u"kg"_s);
        units(d)->setCurrentIndex(Imperial);
        EXPECT_EQ(edit(d, u"txtMetabolicRate"_s)->text(), u"47"_s);
        EXPECT_EQ(unitLabel(d), u"lb"_s);
    });
}

TEST_F(FrmCommonTest, SwitchingUnitsConvertsTheBodyRowsBothWays) {
    addImperialBodyRow();
    show([&](QDialog& d) {
        fill(d, Metric, u"80"_s);
        clickOK(d);
    });
    EXPECT_TRUE(dialog.Saved);
    const BodyRow metric = bodyRow();
    EXPECT_DOUBLE_EQ(metric.weight, 81.6); // 81.648
    EXPECT_DOUBLE_EQ(metric.waist, 102);   // 101.6
    EXPECT_DOUBLE_EQ(metric.breast, 102);
    EXPECT_DOUBLE_EQ(metric.hips, 102);
    EXPECT_EQ(metric.system, u"M"_s);
    expectStoredCommon(80, u"M"_s, 63);
    expectState(80, u"M"_s, 63);

    show([&](QDialog& d) {
        fill(d, Imperial, u"176"_s, u"90"_s);
        clickOK(d);
    });
    const BodyRow imperial = bodyRow();
    EXPECT_DOUBLE_EQ(imperial.weight, 179); // 179.89, cut
    EXPECT_DOUBLE_EQ(imperial.waist, 40.2); // 40.157
    EXPECT_DOUBLE_EQ(imperial.breast, 40.2);
    EXPECT_DOUBLE_EQ(imperial.hips, 40.2);
    EXPECT_EQ(imperial.system, u"I"_s);
    expectStoredCommon(176, u"I"_s, 90);
    expectState(176, u"I"_s, 90);
    EXPECT_EQ(scalar(u"select count(*) from Body where Measurement <> 'I'"_s).toInt(), 0);
}

TEST_F(FrmCommonTest, WeightFactorUsesTheWeightRoundedHalfToEven) {
    struct Case {
        int entry;
        QString weight;
        int bodyWeight;
        double calories; // 33.3396 x single(bodyWeight / reference)
    };
    const Case cases[] = {
        {Imperial, u"150.5"_s, 150, 33.3396},
        {Imperial, u"151.5"_s, 152, 33.7841},
        {Metric, u"68.5"_s, 68, 33.32},
    };
    for (const Case& c : cases) {
        show([&](QDialog& d) {
            fill(d, c.entry, c.weight);
            clickOK(d);
        });
        EXPECT_DOUBLE_EQ(scalar(u"select weight from Common"_s).toDouble(), c.weight.toDouble());
        EXPECT_EQ(fx.app->state().bodyWeight, c.bodyWeight) << c.weight.toStdString();
        EXPECT_DOUBLE_EQ(exerciseCalories(), c.calories) << c.weight.toStdString();
    }
}

TEST_F(FrmCommonTest, OKWithoutChangesStillRecalculatesTheActivities) {
    sql(u"update Exercise set CaloriesConsume = 1 where ExerciseID = %1"_s.arg(WeightDependentExercise));
    EXPECT_EQ(show([&](QDialog& d) { clickOK(d); }), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(exerciseCalories(), 33.3396);
    expectStoredCommon(150, u"I"_s, 80);
}

// Each table the store writes, made to refuse its update: the Common row itself, the body
// conversion, the activity recalculation.
class FrmCommonStoreFailureTest : public FrmCommonTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(FrmCommonStoreFailureTest, ChangesNothingAndKeepsTheDialogOpen) {
    const QString table = QString::fromLatin1(GetParam());
    addImperialBodyRow();
    const double caloriesBefore = exerciseCalories();
    sql(u"create trigger refuse before update on %1 begin select raise(abort, 'refused'); end"_s.arg(table));

    show([&](QDialog& d) {
        fill(d, Metric, u"80"_s);
        clickOK(d);
        EXPECT_TRUE(d.isVisible());
        EXPECT_FALSE(dialog.Saved);
        ASSERT_EQ(fx.messages->shown.size(), 1u);
        EXPECT_EQ(fx.messages->last().text, StoreFailed);
        EXPECT_EQ(fx.messages->last().title, u"Error"_s);
        EXPECT_EQ(fx.messages->last().icon, MessageIcon::Exclamation);
        expectStoredCommon(150, u"I"_s, 80);
        EXPECT_EQ(bodyRow().system, u"I"_s);
        EXPECT_DOUBLE_EQ(bodyRow().weight, 180);
        EXPECT_DOUBLE_EQ(exerciseCalories(), caloriesBefore);
        expectState(150, u"I"_s, 80);

        // Once the database takes it again, the same showing stores what it shows.
        sql(u"drop trigger refuse"_s);
        clickOK(d);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_TRUE(dialog.Saved);
    expectStoredCommon(80, u"M"_s, 63);
    expectState(80, u"M"_s, 63);
    EXPECT_EQ(bodyRow().system, u"M"_s);
}

INSTANTIATE_TEST_SUITE_P(EachStep, FrmCommonStoreFailureTest,
                         ::testing::Values("Common", "Body", "Exercise"));

TEST_F(FrmCommonTest, RefusesBadFieldsWithTheFocusOnTheFirstBadOne) {
    struct Case {
        QString weight;
        QString rate;
        QString message;
        QString field;
    };
    const Case cases[] = {
        {u"abc"_s, u"80"_s, WeightNotNumber, u"txtWeight"_s},
        {u""_s, u"80"_s, WeightNotNumber, u"txtWeight"_s},
        {u"0"_s, u"80"_s, WeightOutOfRange, u"txtWeight"_s},
        {u"-5"_s, u"80"_s, WeightOutOfRange, u"txtWeight"_s},
        {u"0.4"_s, u"80"_s, WeightOutOfRange, u"txtWeight"_s},     // a body weight of 0
        {u"0.6"_s, u"80"_s, WeightOutOfRange, u"txtWeight"_s},     // rounds to 1, still below it
        {u"40000"_s, u"80"_s, WeightOutOfRange, u"txtWeight"_s},   // beyond 16 bits
        {u"32767.4"_s, u"80"_s, WeightOutOfRange, u"txtWeight"_s}, // rounds to 32767, still above it
        {u"32767.5"_s, u"80"_s, WeightOutOfRange, u"txtWeight"_s}, // rounds to 32768
        {u"abc"_s, u"xyz"_s, WeightNotNumber, u"txtWeight"_s},     // the weight is checked first
        {u"0"_s, u"-1"_s, WeightOutOfRange, u"txtWeight"_s},
        {u"150"_s, u"xyz"_s, RateNotNumber, u"txtMetabolicRate"_s},
        {u"150"_s, u""_s, RateNotNumber, u"txtMetabolicRate"_s},
        {u"150"_s, u"-1"_s, RateOutOfRange, u"txtMetabolicRate"_s},
        {u"150"_s, u"32768"_s, RateOutOfRange, u"txtMetabolicRate"_s},
    };
    for (const Case& c : cases) {
        fx.messages->shown.clear();
        show([&](QDialog& d) {
            fill(d, Imperial, c.weight, c.rate);
            clickOK(d);
            const std::string label = (c.weight + u" / "_s + c.rate).toStdString();
            ASSERT_EQ(fx.messages->shown.size(), 1u) << label;
            EXPECT_EQ(fx.messages->last().text, c.message) << label;
            EXPECT_EQ(fx.messages->last().title, u"Error"_s);
            EXPECT_EQ(fx.messages->last().icon, MessageIcon::Exclamation);
            EXPECT_EQ(d.focusWidget(), edit(d, c.field)) << label;
            EXPECT_TRUE(d.isVisible()) << label;
        });
        EXPECT_FALSE(dialog.Saved);
    }
    expectStoredCommon(150, u"I"_s, 80);
}

TEST_F(FrmCommonTest, AcceptsTheEdgesOfTheRanges) {
    show([&](QDialog& d) {
        fill(d, Imperial, u"32767"_s, u"0"_s);
        clickOK(d);
    });
    expectState(32767, u"I"_s, 0);
    show([&](QDialog& d) {
        fill(d, Imperial, u"1"_s, u"32767"_s);
        clickOK(d);
    });
    expectState(1, u"I"_s, 32767);
}

TEST_F(FrmCommonTest, FirstStartCanOnlyBeLeftWithStoredParameters) {
    dialog.firstStart = true;
    const int result = show([&](QDialog& d) {
        EXPECT_FALSE(button(d, u"btnCancel"_s)->isEnabled());
        QTest::keyClick(&d, Qt::Key_Escape);
        EXPECT_TRUE(d.isVisible());
        d.close();
        EXPECT_TRUE(d.isVisible());
        clickOK(d);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_TRUE(dialog.Saved);
    EXPECT_TRUE(fx.messages->shown.empty());
}

TEST_F(FrmCommonTest, EveryWayOutClosesTheCommonRecordset) {
    struct Case {
        const char* how;
        std::function<void(QDialog&)> leave;
        bool saved;
        std::vector<QString> messages;
    };
    const Case cases[] = {
        {"OK", [](QDialog& d) { clickOK(d); }, true, {Recalculated}},
        {"Cancel",
         [](QDialog& d) { QTest::mouseClick(button(d, u"btnCancel"_s), Qt::LeftButton); },
         false,
         {}},
        {"Esc", [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }, false, {}},
        {"title bar", [](QDialog& d) { d.close(); }, false, {}},
    };
    for (const Case& c : cases) {
        fx.messages->shown.clear();
        show([&](QDialog& d) {
            type(edit(d, u"txtWeight"_s), u"160"_s);
            c.leave(d);
            EXPECT_FALSE(d.isVisible()) << c.how;
        });
        EXPECT_EQ(dialog.Saved, c.saved) << c.how;
        EXPECT_FALSE(fx.app->de().rs(u"Common"_s).isOpen()) << c.how;
        EXPECT_EQ(fx.messages->texts(), c.messages) << c.how;
        if (c.saved) {
            EXPECT_EQ(fx.messages->last().title, u"Kelvora"_s);
            EXPECT_EQ(fx.messages->last().icon, MessageIcon::Information);
        }
        EXPECT_DOUBLE_EQ(scalar(u"select weight from Common"_s).toDouble(), c.saved ? 160 : 150) << c.how;
        sql(u"update Common set weight = 150"_s);
    }
}

TEST_F(FrmCommonTest, F1AndTheHelpButtonOpenTopic24) {
    show([&](QDialog& d) {
        QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QCoreApplication::sendEvent(&d, &f1);
        QTest::mouseClick(button(d, u"btnHelp"_s), Qt::LeftButton);
        EXPECT_TRUE(d.isVisible());
    });
    EXPECT_EQ(fx.help->topics, (std::vector<int>{24, 24}));
}

} // namespace
} // namespace kelvora::test
