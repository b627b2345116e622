#include "AppFixture.h"
#include "HelpContext.h"
#include "ProgressDiary.h"
#include "frmGeneralProgressSettings.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

const QString NotEnoughData = u"Not enough data"_s;
const QString CoverageQuestion =
    u"Present data cover less then 30% of selected time period. The Chart will be too "
    "small. Build the Chart anyway?"_s;
const QString ContiguityQuestion = u"Data selected to be shown on Chart are not contiguous. Either Calories "
                                   u"data (meal/activity) are not present "
                                   "for every day or Body measurement is not present for each 3 days period. "
                                   "The Chart will be ripped. Build the "
                                   "Chart anyway?"_s;

class ProgressSettingsTest : public ::testing::Test {
protected:
    // Day k of the 30-day period 1 April .. 1 May 2026 that "1 Month" from 1 April gives.
    static DateValue day(int k) { return DateValue::fromYmd(2026, 4, 1).addDays(k - 1); }

    // Every day 1..last has a meal.
    void mealsThrough(int first, int last) {
        for (int k = first; k <= last; ++k)
            diary.meal(day(k), 2000);
    }

    // Shows the dialog, picks the start and option, presses OK and reports whether it stayed open.
    bool pressOK(const QDate& start, const QString& option = u"opt1Month"_s) {
        bool stayedOpen = false;
        fx.modal->expect([&](QDialog& d) {
            d.findChild<QDateEdit*>(u"dtpDate"_s)->setDate(start);
            d.findChild<QRadioButton*>(option)->setChecked(true);
            QTest::mouseClick(d.findChild<QPushButton*>(u"btnOK"_s), Qt::LeftButton);
            stayedOpen = d.isVisible();
        });
        fx.app->modal().exec(dialog);
        return stayedOpen;
    }
    bool pressOK() { return pressOK(day(1).toQDate()); }

    std::vector<QString> questions() const {
        std::vector<QString> texts;
        for (const auto& shown : fx.messages->shown) {
            EXPECT_EQ(shown.message.title, NotEnoughData);
            EXPECT_EQ(shown.message.icon, MessageIcon::Question);
            EXPECT_EQ(shown.message.defaultButton, MessageButton::No);
            EXPECT_EQ(shown.message.buttons, (std::vector{MessageButton::Yes, MessageButton::No}));
            texts.push_back(shown.message.text);
        }
        return texts;
    }

    AppFixture fx{SeedContents::SchemaOnly};
    ProgressDiary diary{fx};
    frmGeneralProgressSettings dialog;
};

TEST_F(ProgressSettingsTest, OpensOneMonthBeforeTheCurrentDateWithOneMonthChosen) {
    fx.app->state().currentDate = DateValue::fromYmd(2026, 3, 31);
    dialog.confirmed = true;
    fx.modal->expect([&](QDialog& d) {
        EXPECT_EQ(d.findChild<QDateEdit*>(u"dtpDate"_s)->date(), QDate(2026, 2, 28));
        EXPECT_TRUE(d.findChild<QRadioButton*>(u"opt1Month"_s)->isChecked());
        EXPECT_EQ(d.findChild<QRadioButton*>(u"opt3Month"_s)->text(), u"3 Months"_s);
        EXPECT_EQ(d.findChild<QGroupBox*>(u"Frame1"_s)->title(), u"For Period"_s);
        QTest::mouseClick(d.findChild<QPushButton*>(u"btnCancel"_s), Qt::LeftButton);
    });
    EXPECT_EQ(fx.app->modal().exec(dialog), QDialog::Rejected);
    EXPECT_FALSE(dialog.confirmed);
    EXPECT_EQ(dialog.windowTitle(), u"General Progress Parameters"_s);
    EXPECT_TRUE(fx.messages->shown.empty());
}

TEST_F(ProgressSettingsTest, PeriodEndsTheChosenNumberOfMonthsLater) {
    mealsThrough(1, 200);
    struct Case {
        QDate start;
        QString option;
        QDate end;
    };
    const Case cases[] = {
        {QDate(2026, 1, 31), u"opt1Month"_s, QDate(2026, 2, 28)},
        {QDate(2026, 4, 1), u"opt3Month"_s, QDate(2026, 7, 1)},
        {QDate(2026, 4, 30), u"opt6Month"_s, QDate(2026, 10, 30)},
    };
    for (const Case& c : cases) {
        pressOK(c.start, c.option);
        EXPECT_EQ(dialog.dateFrom, DateValue::fromQDate(c.start));
        EXPECT_EQ(dialog.dateTo, DateValue::fromQDate(c.end)) << c.option.toStdString();
    }
}

TEST_F(ProgressSettingsTest, AnEmptyPeriodFailsBothChecksAndIsBuiltAfterTwoYes) {
    fx.messages->answer(MessageButton::Yes);
    fx.messages->answer(MessageButton::Yes);
    EXPECT_FALSE(pressOK());
    EXPECT_EQ(questions(), (std::vector{CoverageQuestion, ContiguityQuestion}));
    EXPECT_TRUE(dialog.confirmed);
    EXPECT_EQ(dialog.dateFrom, day(1));
    EXPECT_EQ(dialog.dateTo, day(31));
}

TEST_F(ProgressSettingsTest, NoToAQuestionKeepsTheDialogOpenAndUnconfirmed) {
    EXPECT_TRUE(pressOK()); // the default answer is No
    EXPECT_EQ(questions(), std::vector{CoverageQuestion});
    EXPECT_FALSE(dialog.confirmed);

    fx.messages->shown.clear();
    fx.messages->answer(MessageButton::Yes);
    fx.messages->answer(MessageButton::No);
    EXPECT_TRUE(pressOK());
    EXPECT_EQ(questions(), (std::vector{CoverageQuestion, ContiguityQuestion}));
    EXPECT_FALSE(dialog.confirmed);
}

TEST_F(ProgressSettingsTest, CoverageOfExactly30PercentPasses) {
    // Data on days 1 and 10 only: 9 of 30 days. The contiguity question follows (days 2..9 are empty).
    diary.meal(day(1), 2000);
    diary.body(day(10), 80, 100, 70, 90);
    pressOK();
    EXPECT_EQ(questions(), std::vector{ContiguityQuestion});

    fx.messages->shown.clear();
    diary.exec(u"delete from Body"_s);
    diary.meal(day(9), 2000); // 8 of 30 days
    fx.messages->answer(MessageButton::Yes);
    pressOK();
    EXPECT_EQ(questions(), (std::vector{CoverageQuestion, ContiguityQuestion}));
}

TEST_F(ProgressSettingsTest, ContiguityNeedsCaloriesEveryDayAndBodyRowsWithinThreeDays) {
    struct Case {
        int missingMealDay; // 0: none missing
        std::vector<int> bodyDays;
        bool contiguous;
    };
    const Case cases[] = {
        {0, {}, true}, {15, {}, false}, {0, {1, 3, 5, 9}, false}, {0, {1, 3, 5, 8}, true}, {0, {12}, false},
    };
    for (const Case& c : cases) {
        diary.exec(u"delete from MealConsume; delete from Body"_s);
        mealsThrough(1, 31);
        if (c.missingMealDay)
            diary.exec(
                u"delete from MealConsume where ConsumeDate = %1"_s.arg(day(c.missingMealDay).serial()));
        for (int k : c.bodyDays)
            diary.body(day(k), 80, 100, 70, 90);
        fx.messages->shown.clear();
        fx.messages->answer(MessageButton::Yes);
        EXPECT_FALSE(pressOK());
        EXPECT_EQ(questions(), c.contiguous ? std::vector<QString>{} : std::vector{ContiguityQuestion})
            << c.missingMealDay << " " << c.bodyDays.size();
        EXPECT_TRUE(dialog.confirmed);
        fx.messages->answers.clear();
    }
}

TEST_F(ProgressSettingsTest, ContiguityIsCheckedOverTheDataRangeOnly) {
    // Meals every day from day 5 to day 25 and nothing outside: the empty ends do not count.
    mealsThrough(5, 25);
    EXPECT_FALSE(pressOK());
    EXPECT_TRUE(fx.messages->shown.empty());
    EXPECT_TRUE(dialog.confirmed);
    for (const char* command : {"chkMinMaxdate", "chkCaloriesDays", "chkBodyContig"})
        EXPECT_FALSE(fx.app->de().rs(QString::fromLatin1(command)).isOpen()) << command;
}

TEST_F(ProgressSettingsTest, HelpOpensTheProgressTopic) {
    fx.modal->expect([&](QDialog& d) { d.findChild<QPushButton*>(u"btnHelp"_s)->click(); });
    fx.app->modal().exec(dialog);
    EXPECT_EQ(fx.help->topics, std::vector{HelpContext::frmGeneralProgressSettings});
}

} // namespace
} // namespace kelvora::test
