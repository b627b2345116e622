// The report-style list: tags, sub-items and the selection rules of the list windows.
#include "ReportList.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QScrollBar>

using namespace Qt::StringLiterals;
using kelvora::ReportList;

namespace {

class ReportListTest : public ::testing::Test {
protected:
    ReportList list;

    void SetUp() override {
        list.setColumns({u"Time"_s, u"Meal"_s, u"Qty"_s});
        list.setNumericColumns({2});
        list.addRow(u"08:00"_s, 11, {u"Toast"_s, u"2"_s});
        list.addRow(u"12:30"_s, 12, {u"Soup"_s, u"1.5"_s});
        list.addRow(QString(), 0);
    }
};

TEST_F(ReportListTest, RowsCarryTextTagAndSubItems) {
    ASSERT_EQ(list.rowCount(), 3);
    EXPECT_EQ(list.row(2)->text(1), u"Soup"_s);
    EXPECT_EQ(ReportList::tagOf(list.row(2)), 12);
    EXPECT_EQ(list.row(2)->textAlignment(2) & Qt::AlignRight, Qt::AlignRight);
    EXPECT_EQ(list.row(0), nullptr);
    EXPECT_EQ(list.row(4), nullptr);
}

TEST_F(ReportListTest, SelectionByTagTextAndPosition) {
    EXPECT_EQ(list.selectedPosition(), 0);
    EXPECT_EQ(list.selectedTag(), 0);
    EXPECT_TRUE(list.selectByTag(12));
    EXPECT_EQ(list.selectedPosition(), 2);
    EXPECT_TRUE(list.selectByText(u"08:00"_s));
    EXPECT_EQ(list.selectedTag(), 11);
    EXPECT_FALSE(list.selectByText(u"Toast"_s)); // only the row's own text counts
    EXPECT_FALSE(list.selectByTag(99));
    EXPECT_EQ(list.selectedTag(), 11);
}

TEST_F(ReportListTest, ReselectAfterADelete) {
    struct Case {
        int remembered, rowsLeft, expected;
    };
    const Case cases[] = {{2, 3, 2}, {3, 2, 2}, {1, 1, 1}, {1, 0, 0}, {0, 3, 0}};
    for (const Case& c : cases) {
        list.clearRows();
        for (int i = 1; i <= c.rowsLeft; ++i)
            list.addRow(QString::number(i), i);
        list.reselectPosition(c.remembered);
        EXPECT_EQ(list.selectedPosition(), c.expected) << c.remembered << " of " << c.rowsLeft;
    }
}

// A list window reselects the record just stored, which may lie far below the visible rows.
TEST_F(ReportListTest, SelectionScrollsTheRowIntoView) {
    for (int i = 100; i < 300; ++i)
        list.addRow(QString::number(i), i);
    list.resize(300, 120);
    list.show();
    const auto visible = [this](int tag) {
        list.selectByTag(tag);
        const QRect row = list.visualItemRect(list.selectedRow());
        return list.viewport()->rect().contains(row.center());
    };
    EXPECT_TRUE(visible(299));
    EXPECT_TRUE(visible(100));
    EXPECT_TRUE(visible(200));
}

// After a delete the refilled list stays at its top even when the reselected row lies below it.
TEST_F(ReportListTest, ReselectionAfterADeleteDoesNotScroll) {
    for (int i = 100; i < 300; ++i)
        list.addRow(QString::number(i), i);
    list.resize(300, 120);
    list.show();
    list.reselectPosition(150);
    EXPECT_EQ(list.selectedPosition(), 150);
    EXPECT_EQ(list.verticalScrollBar()->value(), 0);
    EXPECT_TRUE(list.hasAutoScroll());
}

// Names in a catalogue can be long: once filled, a column is as wide as its longest text.
TEST_F(ReportListTest, ColumnsFitTheirTextsAfterTheFilling) {
    const QString longName = u"Grains, Pasta & Rice, whole-wheat spaghetti, cooked"_s;
    list.addRow(u"13:00"_s, 13, {longName, u"1"_s});
    QCoreApplication::processEvents();
    EXPECT_GE(list.columnWidth(1), list.fontMetrics().horizontalAdvance(longName));
}

} // namespace
