// The body measurement editor: units, loading, the checks, storing and replacing a day's measurement.
#include "JournalTest.h"
#include "frmBody.h"

#include <QDateEdit>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

const QString SameDate =
    u"There is already Body Measurement for this date in the database. Do you want to replace it?"_s;
const QString StoreFailed = u"Can't store this record in database. Please check whether all data are valid"_s;

class FrmBodyTest : public JournalTest {
protected:
    static QDateEdit* date(QDialog& d) { return child<QDateEdit>(d, u"dtpDate"_s); }
    static void fill(QDialog& d, const QString& weight, const QString& breast, const QString& waist,
                     const QString& hips) {
        type(d, u"txtWeight"_s, weight);
        type(d, u"txtBreast"_s, breast);
        type(d, u"txtWaist"_s, waist);
        type(d, u"txtHips"_s, hips);
    }
    int counter() { return scalar(u"select NextBodyID from Common"_s).toInt(); }

    void expectSameDateQuestion() {
        expectMessage(u"Same date"_s, SameDate, MessageIcon::Question);
        EXPECT_EQ(fx.messages->last().buttons, (std::vector{MessageButton::Yes, MessageButton::No}));
        EXPECT_EQ(fx.messages->last().defaultButton, MessageButton::No);
    }

    frmBody dialog;
};

TEST_F(FrmBodyTest, ANewMeasurementIsStoredInTheUnitsOfTheSettings) {
    struct Case {
        QString system, weightUnit, linearUnit;
    };
    const Case cases[] = {{u"I"_s, u"lb"_s, u"inch"_s}, {u"M"_s, u"kg"_s, u"cm"_s}};
    int id = 0;
    for (const Case& c : cases) {
        fx.app->state().measurementSystem = c.system;
        fx.app->state().currentDate = DateValue::fromQDate(dec(++id));
        dialog.RecordID = 0;
        show(dialog, [&](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), u"Body Measurement - New"_s);
            EXPECT_EQ(child<QLabel>(d, u"lblWeightUnit"_s)->text(), c.weightUnit);
            EXPECT_EQ(child<QLabel>(d, u"lblLinearUnit"_s)->text(), c.linearUnit);
            EXPECT_EQ(date(d)->date(), dec(id));
            EXPECT_TRUE(date(d)->calendarPopup());
            for (const QString& field : {u"txtWeight"_s, u"txtBreast"_s, u"txtWaist"_s, u"txtHips"_s})
                EXPECT_EQ(text(d, field), QString()) << field.toStdString();
            fill(d, u"81.25"_s, u"102"_s, u"91.5"_s, u" 99 "_s);
            click(d, u"btnOK"_s);
            EXPECT_FALSE(d.isVisible());
        });
        EXPECT_TRUE(dialog.Saved);
        EXPECT_EQ(dialog.NewID, id);
    }
    EXPECT_EQ(bodyRows(), (std::vector<BodyRow>{{1, dec(1), 81.25, 102, 91.5, 99, u"I"_s},
                                                {2, dec(2), 81.25, 102, 91.5, 99, u"M"_s}}));
    EXPECT_EQ(counter(), 2);
    EXPECT_TRUE(fx.messages->shown.empty());
}

TEST_F(FrmBodyTest, EditingShowsEachValueInItsOwnFieldAndKeepsTheRowsUnits) {
    addBody({7, dec(3), 180.5, 41, 36, 39, u"M"_s});
    fx.app->state().measurementSystem = u"I"_s;
    dialog.RecordID = 7;
    show(dialog, [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"Body Measurement"_s);
        EXPECT_EQ(date(d)->date(), dec(3));
        EXPECT_EQ(text(d, u"txtWeight"_s), u"180.5"_s);
        EXPECT_EQ(text(d, u"txtBreast"_s), u"41"_s);
        EXPECT_EQ(text(d, u"txtWaist"_s), u"36"_s);
        EXPECT_EQ(text(d, u"txtHips"_s), u"39"_s);
        type(d, u"txtWaist"_s, u"35.5"_s);
        click(d, u"btnOK"_s);
    });
    // Same day, its own row: no question.
    EXPECT_TRUE(fx.messages->shown.empty());
    EXPECT_TRUE(dialog.Saved);
    EXPECT_EQ(dialog.NewID, 7);
    EXPECT_EQ(bodyRows(), (std::vector<BodyRow>{{7, dec(3), 180.5, 41, 35.5, 39, u"M"_s}}));
    EXPECT_EQ(counter(), 0);

    // A new showing starts empty again, and Cancel stores nothing.
    dialog.RecordID = 0;
    show(dialog, [&](QDialog& d) {
        EXPECT_FALSE(dialog.Saved);
        EXPECT_EQ(text(d, u"txtWeight"_s), QString());
        fill(d, u"1"_s, u"2"_s, u"3"_s, u"4"_s);
        click(d, u"btnCancel"_s);
    });
    EXPECT_FALSE(dialog.Saved);
    EXPECT_EQ(bodyRows().size(), 1u);
}

TEST_F(FrmBodyTest, ChecksTheFieldsInOrder) {
    struct Case {
        QString weight, breast, waist, hips;
        QString message; // empty: stored
        QString focus;
    };
    const QString weight = u"The Weight is not specified or contains illegal data"_s;
    const QString breast = u"The Breast measurement is not specified or contains illegal data"_s;
    const QString waist = u"The Waist measurement is not specified or contains illegal data"_s;
    const QString hips = u"The Hips measurement is not specified or contains illegal data"_s;
    const Case cases[] = {
        {{}, {}, {}, {}, weight, u"txtWeight"_s},
        {u"   "_s, u"40"_s, u"40"_s, u"40"_s, weight, u"txtWeight"_s},
        {u"80"_s, u"x"_s, u"x"_s, u"x"_s, breast, u"txtBreast"_s},
        {u"80"_s, u"40"_s, u"4,0"_s, u"x"_s, waist, u"txtWaist"_s},
        {u"80"_s, u"40"_s, u"40"_s, u"1e300"_s, hips, u"txtHips"_s},
        {u"80"_s, u"40"_s, u"40"_s, u"40 cm"_s, hips, u"txtHips"_s},
        {u"0"_s, u"-1"_s, u"0.0001"_s, u"-2.5"_s, {}, {}}, // no range test
    };
    for (const Case& c : cases) {
        fx.messages->shown.clear();
        dialog.RecordID = 0;
        show(dialog, [&](QDialog& d) {
            fill(d, c.weight, c.breast, c.waist, c.hips);
            click(d, u"btnOK"_s);
            if (c.message.isEmpty()) {
                EXPECT_FALSE(d.isVisible());
                return;
            }
            EXPECT_TRUE(d.isVisible());
            ASSERT_EQ(fx.messages->shown.size(), 1u);
            expectError(c.message);
            EXPECT_EQ(d.focusWidget(), child<QLineEdit>(d, c.focus)) << c.message.toStdString();
        });
        EXPECT_EQ(dialog.Saved, c.message.isEmpty()) << c.message.toStdString();
    }
    // Refused input takes no identifier.
    EXPECT_EQ(counter(), 1);
    EXPECT_EQ(bodyRows(), (std::vector<BodyRow>{{1, dec(6), 0, -1, 0.0001, -2.5, u"I"_s}}));
}

TEST_F(FrmBodyTest, ANewMeasurementForATakenDayAsksWhetherToReplace) {
    const BodyRow other{-3, dec(6), 190, 44, 42, 43, u"I"_s};
    addBody(other);
    for (const MessageButton answer : {MessageButton::No, MessageButton::Yes}) {
        fx.messages->shown.clear();
        fx.messages->answer(answer);
        dialog.RecordID = 0;
        show(dialog, [&](QDialog& d) {
            fill(d, u"180"_s, u"40"_s, u"38"_s, u"41"_s);
            click(d, u"btnOK"_s);
            ASSERT_EQ(fx.messages->shown.size(), 1u);
            expectSameDateQuestion();
            EXPECT_EQ(d.isVisible(), answer == MessageButton::No);
            if (answer == MessageButton::No) {
                EXPECT_EQ(bodyRows(), std::vector<BodyRow>{other});
                EXPECT_EQ(text(d, u"txtWeight"_s), u"180"_s);
            }
        });
        EXPECT_EQ(dialog.Saved, answer == MessageButton::Yes);
    }
    // The identifier taken for the declined store is not reused.
    EXPECT_EQ(dialog.NewID, 2);
    EXPECT_EQ(bodyRows(), (std::vector<BodyRow>{{2, dec(6), 180, 40, 38, 41, u"I"_s}}));
}

TEST_F(FrmBodyTest, MovingAMeasurementToATakenDayReplacesTheOtherOnYes) {
    addBody({5, dec(1), 180, 40, 38, 41, u"I"_s});
    addBody({6, dec(3), 181, 41, 39, 42, u"I"_s});
    addBody({8, dec(4), 182, 42, 40, 43, u"I"_s});
    dialog.RecordID = 5;
    fx.messages->answer(MessageButton::Yes);
    show(dialog, [&](QDialog& d) {
        date(d)->setDate(dec(3));
        click(d, u"btnOK"_s);
    });
    expectSameDateQuestion();
    EXPECT_TRUE(dialog.Saved);
    EXPECT_EQ(dialog.NewID, 5);
    EXPECT_EQ(bodyRows(), (std::vector<BodyRow>{{5, dec(3), 180, 40, 38, 41, u"I"_s},
                                                {8, dec(4), 182, 42, 40, 43, u"I"_s}}));
}

// A store that fails after the user agreed to replace must not have deleted the other measurement.
class FrmBodyStoreFailureTest : public FrmBodyTest, public ::testing::WithParamInterface<int> {};

TEST_P(FrmBodyStoreFailureTest, LosesNothingAndKeepsTheInput) {
    const int recordId = GetParam();
    const BodyRow other{6, dec(3), 181, 41, 39, 42, u"I"_s};
    addBody(other);
    if (recordId != 0)
        addBody({recordId, dec(1), 180, 40, 38, 41, u"I"_s});
    const std::vector<BodyRow> before = bodyRows();
    sql(u"create trigger refuse before %1 on Body begin select raise(abort, 'refused'); end"_s.arg(
        recordId == 0 ? u"insert"_s : u"update"_s));

    dialog.RecordID = recordId;
    show(dialog, [&](QDialog& d) {
        date(d)->setDate(dec(3));
        fill(d, u"170"_s, u"39"_s, u"37"_s, u"40"_s);
        fx.messages->answer(MessageButton::Yes);
        click(d, u"btnOK"_s);
        EXPECT_TRUE(d.isVisible());
        EXPECT_FALSE(dialog.Saved);
        EXPECT_EQ(fx.messages->texts(), (std::vector{SameDate, StoreFailed}));
        expectError(StoreFailed);
        EXPECT_EQ(bodyRows(), before);
        EXPECT_EQ(text(d, u"txtWeight"_s), u"170"_s);
        EXPECT_EQ(date(d)->date(), dec(3));

        // Once the database takes it, the same showing replaces the other measurement.
        sql(u"drop trigger refuse"_s);
        fx.messages->answer(MessageButton::Yes);
        click(d, u"btnOK"_s);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_TRUE(dialog.Saved);
    const int stored = recordId != 0 ? recordId : 2; // a new row took identifier 1 on the failed attempt
    EXPECT_EQ(dialog.NewID, stored);
    EXPECT_EQ(bodyRows(), (std::vector<BodyRow>{{stored, dec(3), 170, 39, 37, 40, u"I"_s}}));
}

INSTANTIATE_TEST_SUITE_P(NewAndEdited, FrmBodyStoreFailureTest, ::testing::Values(0, 5));

TEST_F(FrmBodyTest, HelpOpensTheTopicOfTheDialog) {
    show(dialog, [&](QDialog& d) { click(d, u"btnHelp"_s); });
    EXPECT_EQ(fx.help->topics, std::vector<int>{30});
}

} // namespace
} // namespace kelvora::test
