// Copy Meals From Another Day: the day proposed with its meals ticked, the ticked ones copied to the
// current date at their times under new identifiers, all or none, and the days it refuses.
#include "test_mealconsume_fixture.h"

#include "frmCopyMeals.h"

#include <QApplication>
#include <QDateEdit>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

const QString CopyFailed = u"Can't copy the meals into the database. None of them was copied."_s;

class CopyMealsTest : public DiaryTest {
protected:
    CopyMealsTest() {
        addCategory(1, u"Breakfast"_s);
        addMeal(10, 1, u"Toast"_s, QVariant(), QVariant(), 0.5, 2, 10, 3);
        addMeal(11, 1, u"Oatmeal"_s, u"cup"_s, 1.5, 0.25, 9, 4, 7);
        addMeal(12, 1, u"Apple"_s, u"piece"_s, QVariant(), QVariant(), 0.3, 20, 0.5);
        // The day before: two meals at the same time and one later; the day itself has one already.
        addConsume(3, 12, dec(5), at(15, 30), 1);
        addConsume(1, 11, dec(5), at(8, 0), 1.5);
        addConsume(2, 10, dec(5), at(8, 0), 2);
        addConsume(4, 12, dec(6), at(12, 0), 1);
        addConsume(9, 10, dec(1), at(9, 0), 1);
    }

    static QDateEdit* date(QDialog& d) { return child<QDateEdit>(d, u"dtpDate"_s); }
    static ReportList* list(QDialog& d) { return child<ReportList>(d, u"lvwList"_s); }
    static QString info(QDialog& d) { return child<QLabel>(d, u"lblInfo"_s)->text(); }
    // Each item with its tick: "x" ticked, "-" not.
    static QStringList ticked(QDialog& d) {
        QStringList rows = items(*list(d));
        for (int i = 0; i < rows.size(); ++i)
            rows[i].prepend(list(d)->row(i + 1)->checkState(0) == Qt::Checked ? u"x "_s : u"- "_s);
        return rows;
    }
    // The meals of a day as stored: "id time meal qty", in the order of their identifiers.
    QStringList mealsOn(int day) {
        Statement select(fx.app->de().Con, u"select MealConsumeID, ConsumeTime, MealID, Qty from MealConsume "
                                           "where ConsumeDate = ?1 order by MealConsumeID"_s);
        select.bind(1, serial(dec(day)));
        QStringList rows;
        while (select.step())
            rows << u"%1 %2 %3 %4"_s.arg(select.value(0).toInt())
                        .arg(DateValue(select.value(1).toDouble()).toQTime().toString(u"HH:mm"_s))
                        .arg(select.value(2).toInt())
                        .arg(select.value(3).toDouble());
        return rows;
    }
    int counter() { return scalar(u"select NextMealConsumeID from Common"_s).toInt(); }

    frmCopyMeals window{nullptr};
};

TEST_F(CopyMealsTest, TheDayBeforeIsProposedWithAllItsMealsTicked) {
    show(window, [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"Copy Meals From Another Day"_s);
        EXPECT_EQ(date(d)->date(), dec(5));
        EXPECT_EQ(QApplication::focusWidget(), date(d));
        EXPECT_EQ(ticked(d), (QStringList{u"x 08:00|Oatmeal|1.5|30 #1"_s, u"x 08:00|Toast|2|30 #2"_s,
                                          u"x 15:30|Apple|1|20 #3"_s}));
        EXPECT_EQ(info(d), u"The ticked meals are copied to Sunday, December 6, 2026, at the same times."_s);
        // Another day lists its own meals, ticked again.
        date(d)->setDate(dec(1));
        EXPECT_EQ(ticked(d), (QStringList{u"x 09:00|Toast|1|15 #9"_s}));
    });
}

TEST_F(CopyMealsTest, TheTickedMealsGoToTheCurrentDateAtTheirTimesUnderNewIdentifiers) {
    show(window, [&](QDialog& d) {
        // Untick the toast with the keyboard: down to it, Space.
        list(d)->setFocus();
        QTest::keyClick(list(d), Qt::Key_Down);
        QTest::keyClick(list(d), Qt::Key_Space);
        EXPECT_EQ(ticked(d), (QStringList{u"x 08:00|Oatmeal|1.5|30 #1"_s, u"- 08:00|Toast|2|30 #2"_s,
                                          u"x 15:30|Apple|1|20 #3"_s}));
        QTest::keyClick(list(d), Qt::Key_Return);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_TRUE(fx.messages->shown.empty());
    EXPECT_EQ(window.Copied, 2);
    EXPECT_EQ(window.NewIDs, (std::vector<qint32>{101, 102}));
    EXPECT_EQ(counter(), 102);
    EXPECT_EQ(mealsOn(6), (QStringList{u"4 12:00 12 1"_s, u"101 08:00 11 1.5"_s, u"102 15:30 12 1"_s}));
    EXPECT_EQ(mealsOn(5), (QStringList{u"1 08:00 11 1.5"_s, u"2 08:00 10 2"_s, u"3 15:30 12 1"_s}));
}

TEST_F(CopyMealsTest, AFailureStoresNoneOfTheMealsAndSaysSo) {
    // The second copy is refused, after the first went in.
    sql(u"create trigger refuse before insert on MealConsume when new.MealID = 10 "
        "begin select raise(abort, 'refused'); end"_s);
    show(window, [&](QDialog& d) {
        click(d, u"btnOK"_s);
        expectError(CopyFailed);
        EXPECT_EQ(fx.messages->shown.size(), 1u);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(mealsOn(6), QStringList{u"4 12:00 12 1"_s});
        EXPECT_EQ(window.Copied, 0);
        // Once the diary takes them, OK copies them all, under identifiers not given before.
        sql(u"drop trigger refuse"_s);
        click(d, u"btnOK"_s);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(window.Copied, 3);
    EXPECT_EQ(window.NewIDs, (std::vector<qint32>{104, 105, 106}));
    EXPECT_EQ(mealsOn(6), (QStringList{u"4 12:00 12 1"_s, u"104 08:00 11 1.5"_s, u"105 08:00 10 2"_s,
                                       u"106 15:30 12 1"_s}));
}

TEST_F(CopyMealsTest, ADayWithoutMealsTheSameDayAndNothingTickedAreRefused) {
    show(window, [&](QDialog& d) {
        date(d)->setDate(dec(2));
        EXPECT_EQ(list(d)->rowCount(), 0);
        EXPECT_EQ(info(d), u"No meals were recorded on this day."_s);
        click(d, u"btnOK"_s);
        expectError(u"No meals were recorded on Wednesday, December 2, 2026. Choose another day."_s);
        EXPECT_EQ(QApplication::focusWidget(), date(d));

        date(d)->setDate(dec(6));
        EXPECT_EQ(items(*list(d)), QStringList{u"12:00|Apple|1|20 #4"_s});
        EXPECT_EQ(info(d), u"This is the day the meals would be copied to. Choose another day."_s);
        click(d, u"btnOK"_s);
        expectError(u"The meals of a day can't be copied onto the same day. Choose another day."_s);
        EXPECT_EQ(QApplication::focusWidget(), date(d));

        date(d)->setDate(dec(5));
        for (int position = 1; position <= list(d)->rowCount(); ++position)
            list(d)->row(position)->setCheckState(0, Qt::Unchecked);
        click(d, u"btnOK"_s);
        expectError(u"No meal is ticked. Tick the meals to copy."_s);
        EXPECT_EQ(QApplication::focusWidget(), list(d));
        EXPECT_TRUE(d.isVisible());
    });
    EXPECT_EQ(fx.messages->shown.size(), 3u);
    EXPECT_EQ(window.Copied, 0);
    EXPECT_EQ(mealsOn(6), QStringList{u"4 12:00 12 1"_s});
    EXPECT_EQ(counter(), 100);
}

} // namespace
} // namespace kelvora::test
