// What the spin buttons make of a quantity, and how the journal shows and picks times of day.
#include "JournalTime.h"
#include "QuantitySteps.h"

#include "DateValue.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

struct StepCase {
    QString text;
    Currency increment;
    std::optional<QString> up, down;
};

TEST(QuantitySteps, MealStepsGoUpInCurrencyAndDownInSinglePrecision) {
    const Currency quarter = Currency::fromRaw(2500), half = Currency::fromRaw(5000),
                   one = Currency::fromInt(1);
    const StepCase cases[] = {
        {u"1"_s, quarter, u"1.25"_s, u"0.75"_s},
        {u"0.25"_s, half, u"0.75"_s, u"-0.25"_s},
        {u" 2 "_s, one, u"3"_s, u"1"_s},
        {u"0"_s, one, u"1"_s, u"-1"_s},
        // The up step is exact to four decimals; the down step keeps seven significant digits.
        {u"1234.5678"_s, Currency::fromRaw(1), u"1234.5679"_s, u"1234.568"_s},
        {u"abc"_s, one, std::nullopt, std::nullopt},
        {u""_s, one, std::nullopt, std::nullopt},
        {u"1,5"_s, one, std::nullopt, std::nullopt},
    };
    for (const StepCase& c : cases) {
        EXPECT_EQ(mealStepUp(c.text, c.increment), c.up) << c.text.toStdString();
        EXPECT_EQ(mealStepDown(c.text, c.increment), c.down) << c.text.toStdString();
    }
}

TEST(QuantitySteps, ActivityStepsByOneInSinglePrecision) {
    const std::pair<QString, std::optional<QString>> up[] = {
        {u"2.5"_s, u"3.5"_s},   {u"-1"_s, u"0"_s},
        {u"0.1"_s, u"1.1"_s},   {u"16777216"_s, u"1.677722E+07"_s},
        {u"x"_s, std::nullopt}, {u" "_s, std::nullopt}};
    for (const auto& [text, expected] : up)
        EXPECT_EQ(singleStep(text, 1.0f), expected) << text.toStdString();
    EXPECT_EQ(singleStep(u"0.5"_s, -1.0f), u"-0.5"_s);
    EXPECT_EQ(singleStep(u"0"_s, -1.0f), u"-1"_s);
}

TEST(JournalTime, ListsShowTimesInTheDisplayFormat) {
    struct Case {
        int hour, minute;
        QString format, text;
    };
    const Case cases[] = {
        {8, 5, u"Hh:Nn"_s, u"08:05"_s},          {23, 15, u"Hh:Nn"_s, u"23:15"_s},
        {0, 0, u"Hh:Nn"_s, u"00:00"_s},          {20, 5, u"h:Nn am/pm"_s, u"8:05 pm"_s},
        {7, 5, u"h:Nn am/pm"_s, u"7:05 am"_s},   {0, 30, u"h:Nn am/pm"_s, u"12:30 am"_s},
        {12, 0, u"h:Nn am/pm"_s, u"12:00 pm"_s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(displayTime(DateValue::fromTime(c.hour, c.minute).serial(), c.format), c.text)
            << c.text.toStdString();
    EXPECT_EQ(displayTime(QVariant(), u"Hh:Nn"_s), QString());
}

TEST(JournalTime, PickersTakeTheLocaleDesignatorForTt) {
    EXPECT_EQ(pickerDisplayFormat(u"H:mm"_s), u"H:mm"_s);
    EXPECT_EQ(pickerDisplayFormat(u"h:mm tt"_s), u"h:mm AP"_s);
}

} // namespace
} // namespace kelvora::test
