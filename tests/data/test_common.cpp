// The Common row's allocators and the shared null, comparison and rounding routines.
#include "Common.h"
#include "TestDatabase.h"
#include "deData.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using kelvora::Currency;
using kelvora::DbError;
using kelvora::deData;
using kelvora::test::TestDatabase;

namespace {

class AllocatorTest : public ::testing::Test {
protected:
    TestDatabase db{kelvora::SeedContents::SchemaOnly};
    deData de{db.path()};

    qlonglong stored(const QString& counter) {
        kelvora::Statement statement(de.Con, u"select %1 from Common"_s.arg(counter));
        statement.step();
        return statement.value(0).toLongLong();
    }
};

TEST_F(AllocatorTest, EachAllocatorCountsItsOwnTable) {
    struct Case {
        std::int32_t (*allocate)(deData&);
        QString counter;
    };
    const Case cases[] = {
        {kelvora::AllocateMealConsumeID, u"NextMealConsumeID"_s},
        {kelvora::AllocateExercisePerformID, u"NextExercisePerformID"_s},
        {kelvora::AllocateBodyID, u"NextBodyID"_s},
        {kelvora::AllocateUserNoteID, u"NextUserNoteID"_s},
    };
    for (const Case& c : cases) {
        de.Con.execute(u"update Common set %1 = 41"_s.arg(c.counter));
        de.rs(u"Common"_s).close(); // the recordset shows the counter as it was when opened
        EXPECT_EQ(c.allocate(de), 42) << c.counter.toStdString();
        EXPECT_EQ(stored(c.counter), 42);
        EXPECT_EQ(c.allocate(de), 43);
    }
    EXPECT_EQ(stored(u"NextBodyID"_s), 43);
    EXPECT_EQ(stored(u"NextMealConsumeID"_s), 43);
}

TEST_F(AllocatorTest, TheCounterIsStoredEvenWhenTheCallerCancels) {
    de.Con.execute(u"update Common set NextBodyID = 41"_s);
    const auto id = kelvora::AllocateBodyID(de);
    {
        kelvora::Transaction callersWork(de.Con);
        de.Con.execute(u"insert into Body values (%1, 46000, 1, 1, 1, 1, 'I')"_s.arg(id));
        // the caller gives up: its transaction rolls back
    }
    EXPECT_EQ(stored(u"NextBodyID"_s), 42);
    EXPECT_EQ(kelvora::AllocateBodyID(de), 43);
}

TEST_F(AllocatorTest, IdentifiersGoPast16BitsAndStopAtThe32BitLimit) {
    de.Con.execute(u"update Common set NextUserNoteID = 32767"_s);
    EXPECT_EQ(kelvora::AllocateUserNoteID(de), 32768);
    de.rs(u"Common"_s).close();
    de.Con.execute(u"update Common set NextUserNoteID = 2147483646"_s);
    EXPECT_EQ(kelvora::AllocateUserNoteID(de), 2147483647);
    EXPECT_THROW(kelvora::AllocateUserNoteID(de), DbError);
    EXPECT_EQ(stored(u"NextUserNoteID"_s), 2147483647);
}

TEST(NullRoutines, NullToTextAndNullToZero) {
    EXPECT_EQ(kelvora::NullToText(QVariant()), QString());
    EXPECT_EQ(kelvora::NullToText(2.5), u"2.5"_s);
    EXPECT_EQ(kelvora::NullToText(QVariant(qlonglong(17))), u"17"_s);
    EXPECT_EQ(kelvora::NullToText(u"slice"_s), u"slice"_s);

    EXPECT_EQ(kelvora::NullToZero(QVariant()), 0);
    EXPECT_EQ(kelvora::NullToZero(u""_s), 0);
    EXPECT_EQ(kelvora::NullToZero(u"17"_s), 17);
    EXPECT_EQ(kelvora::NullToZero(2.5), 2);
    EXPECT_EQ(kelvora::NullToZero(3.5), 4);
    EXPECT_EQ(kelvora::NullToZero(u"not a number"_s), 0);
}

TEST(CompareRoutines, MaxOfAndMinOf) {
    for (int n : {0, -10, 10})
        EXPECT_EQ(kelvora::MaxOf(50 - n, 50), n < 0 ? 50 - n : 50);
    EXPECT_EQ(kelvora::MinOf(3.5, -1.0), -1.0);
}

TEST(RoundToStep, MultiplesOfTheStep) {
    struct Case {
        float value;
        bool roundDown;
        double step;
        double expected;
    };
    const Case cases[] = {
        {7.3f, true, 5, 5},       {7.3f, false, 5, 10},  {10, false, 5, 10},   {10, true, 5, 10},
        {-7.3f, true, 5, -10},    {-7.3f, false, 5, -5}, {12.5f, true, 5, 10}, {17.5f, false, 5, 20},
        {181.3f, true, 0.5, 181}, {0, false, 2, 0},
    };
    for (const Case& c : cases) {
        const auto step = *Currency::fromDouble(c.step);
        EXPECT_EQ(kelvora::RoundToStep(c.value, c.roundDown, step).toDouble(), c.expected)
            << c.value << (c.roundDown ? " down" : " up") << " step " << c.step;
    }
    EXPECT_EQ(kelvora::RoundToStep(1e30f, false, Currency::fromInt(1)), Currency::Max);
    EXPECT_EQ(kelvora::RoundToStep(7.5f, true, Currency()).toDouble(), 7.5);
}

} // namespace
