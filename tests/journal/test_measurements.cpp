// The window of body measurements and notes: its date, its two lists and their New, Edit and Delete.
#include "JournalTest.h"
#include "ReportList.h"
#include "frmBody.h"
#include "frmMeasurements.h"
#include "frmUserNote.h"

#include <QDateEdit>
#include <QLabel>

#include <functional>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

const QString NothingSelected = u"No record selected"_s;
const QString ConfirmDelete = u"Are you sure you want to delete the selected record?"_s;
const QString DeleteFailed = u"This record can't be deleted from database"_s;

// One row of a list: its texts, column by column, and its tag.
struct Item {
    QStringList texts;
    qint64 tag;
    bool operator==(const Item&) const = default;
};

void PrintTo(const Item& item, std::ostream* os) {
    *os << item.texts.join(u" | "_s).toStdString() << " #" << item.tag;
}

class FrmMeasurementsTest : public JournalTest {
protected:
    static QDateEdit* date(QDialog& d) { return child<QDateEdit>(d, u"dtpDate"_s); }
    static ReportList* list(QDialog& d, const QString& name) { return child<ReportList>(d, name); }
    static std::vector<Item> items(ReportList* list) {
        std::vector<Item> result;
        for (int position = 1; position <= list->rowCount(); ++position) {
            QTreeWidgetItem* row = list->row(position);
            QStringList texts;
            for (int column = 0; column < list->columnCount(); ++column)
                texts << row->text(column);
            result.push_back({texts, ReportList::tagOf(row)});
        }
        return result;
    }
    // Opens the window and runs `handler` while it is open.
    void open(FakeModal::Handler handler) { show(window, std::move(handler)); }

    void addSampleDiary() {
        addBody({1, QDate(2026, 11, 5), 181, 41, 39, 42, u"I"_s}); // before the window's date
        addBody({2, QDate(2026, 11, 6), 180.5, 41, 38.5, 42, u"I"_s});
        addBody({-4, QDate(2026, 11, 20), 179, 40.5, 38, 41.5, u"I"_s});
        addNote(1, QDate(2026, 10, 20), QDate(2026, 11, 5), u"Ended before"_s);
        addNote(2, QDate(2026, 11, 1), QDate(2026, 11, 6), u"Ends on the window's date"_s);
        addNote(-3, QDate(2026, 11, 10), QDate(2026, 11, 12), u"Later"_s);
        sql(u"update Common set NextBodyID = 2, NextUserNoteID = 2"_s);
    }

    frmBody bodyEditor;
    frmUserNote noteEditor;
    frmMeasurements window{nullptr, bodyEditor, noteEditor};
};

TEST_F(FrmMeasurementsTest, OpensAMonthBeforeTheCurrentDateWithoutChangingIt) {
    struct Case {
        QDate current, shown;
    };
    const Case cases[] = {
        {dec(6), QDate(2026, 11, 6)},
        {QDate(2027, 3, 31), QDate(2027, 2, 28)},
        {QDate(2028, 3, 31), QDate(2028, 2, 29)},
        {QDate(2027, 1, 15), dec(15)},
    };
    for (const Case& c : cases) {
        fx.app->state().currentDate = DateValue::fromQDate(c.current);
        open([&](QDialog& d) {
            EXPECT_EQ(date(d)->date(), c.shown) << c.current.toString().toStdString();
            EXPECT_TRUE(date(d)->calendarPopup());
            date(d)->setDate(QDate(2020, 1, 1));
        });
        EXPECT_EQ(fx.app->state().currentDate, DateValue::fromQDate(c.current));
    }
    EXPECT_EQ(window.windowTitle(), u"Body Measurement and Notes"_s);
}

TEST_F(FrmMeasurementsTest, ListsMeasurementsFromItsDateAndNotesThatReachIt) {
    addSampleDiary();
    open([&](QDialog& d) {
        EXPECT_EQ(items(list(d, u"lvwMeasurementList"_s)),
                  (std::vector<Item>{{{u"11/6/2026"_s, u"180.5"_s, u"41"_s, u"38.5"_s, u"42"_s}, 2},
                                     {{u"11/20/2026"_s, u"179"_s, u"40.5"_s, u"38"_s, u"41.5"_s}, -4}}));
        EXPECT_EQ(items(list(d, u"lvwNoteList"_s)),
                  (std::vector<Item>{{{u"11/1/2026"_s, u"11/6/2026"_s, u"Ends on the window's date"_s}, 2},
                                     {{u"11/10/2026"_s, u"11/12/2026"_s, u"Later"_s}, -3}}));
        EXPECT_EQ(list(d, u"lvwMeasurementList"_s)->selectedRow(), nullptr);

        // Moving the date refills both lists.
        date(d)->setDate(QDate(2026, 11, 7));
        EXPECT_EQ(list(d, u"lvwMeasurementList"_s)->rowCount(), 1);
        EXPECT_EQ(list(d, u"lvwNoteList"_s)->rowCount(), 1);
        date(d)->setDate(QDate(2026, 10, 1));
        EXPECT_EQ(list(d, u"lvwMeasurementList"_s)->rowCount(), 3);
        EXPECT_EQ(list(d, u"lvwNoteList"_s)->rowCount(), 3);
    });
    for (const QString& command : {u"BodySorted"_s, u"UserNoteSorted"_s})
        EXPECT_FALSE(fx.app->de().rs(command).isOpen()) << command.toStdString();
}

TEST_F(FrmMeasurementsTest, TheLegendsNameTheUnitsOfTheSettings) {
    struct Case {
        QString system, weight, linear;
    };
    const Case cases[] = {{u"I"_s, u"Weight (lb)"_s, u"Breast, Waist, Hips (inch)"_s},
                          {u"M"_s, u"Weight (kg)"_s, u"Breast, Waist, Hips (cm)"_s}};
    for (const Case& c : cases) {
        fx.app->state().measurementSystem = c.system;
        open([&](QDialog& d) {
            EXPECT_EQ(child<QLabel>(d, u"lblWeightIn"_s)->text(), c.weight);
            EXPECT_EQ(child<QLabel>(d, u"lblLinearIn"_s)->text(), c.linear);
        });
    }
}

// What differs between the two lists; everything else they do alike.
struct ListCase {
    const char* name;
    QString list, newButton, editButton, deleteButton;
    QString editorName;
    // Fills the open editor with a record dated `day` and presses OK.
    std::function<void(QDialog&, QDate)> fillEditor;
    // The date the editor shows for the record it opened on.
    std::function<QDate(QDialog&)> editorDate;
};

void PrintTo(const ListCase& c, std::ostream* os) {
    *os << c.name;
}

const ListCase Lists[] = {
    {"Measurements", u"lvwMeasurementList"_s, u"btnMeasurementNew"_s, u"btnMeasurementEdit"_s,
     u"btnMeasurementDelete"_s, u"frmBody"_s,
     [](QDialog& d, QDate day) {
         d.findChild<QDateEdit*>(u"dtpDate"_s)->setDate(day);
         for (const QString& field : {u"txtWeight"_s, u"txtBreast"_s, u"txtWaist"_s, u"txtHips"_s})
             d.findChild<QLineEdit*>(field)->setText(u"50"_s);
         d.findChild<QPushButton*>(u"btnOK"_s)->click();
     },
     [](QDialog& d) { return d.findChild<QDateEdit*>(u"dtpDate"_s)->date(); }},
    {"Notes", u"lvwNoteList"_s, u"btnNotetNew"_s, u"btnNotetEdit"_s, u"btnNotetDelete"_s, u"frmUserNote"_s,
     [](QDialog& d, QDate day) {
         d.findChild<QDateEdit*>(u"dtpDateFrom"_s)->setDate(day);
         d.findChild<QDateEdit*>(u"dtpDateTo"_s)->setDate(day);
         d.findChild<QLineEdit*>(u"txtNote"_s)->setText(u"Note"_s);
         d.findChild<QPushButton*>(u"btnOK"_s)->click();
     },
     [](QDialog& d) { return d.findChild<QDateEdit*>(u"dtpDateFrom"_s)->date(); }},
};

class FrmMeasurementsListTest : public FrmMeasurementsTest, public ::testing::WithParamInterface<ListCase> {
protected:
    // Three records on 10, 20 and 30 November (tags 10, 20, 30) in each list.
    void SetUp() override {
        for (const int day : {10, 20, 30}) {
            addBody({day, QDate(2026, 11, day), 180, 40, 38, 41, u"I"_s});
            addNote(day, QDate(2026, 11, day), QDate(2026, 11, day), u"Note"_s);
        }
    }
    ReportList* theList(QDialog& d) { return list(d, GetParam().list); }
    std::vector<qint64> tags(QDialog& d) {
        std::vector<qint64> result;
        for (const Item& item : items(theList(d)))
            result.push_back(item.tag);
        return result;
    }
    qint64 selectedTag(QDialog& d) { return theList(d)->selectedTag(); }
    // The next editor must open on the record of `shown`; it is stored again dated `stored`.
    void expectEditor(QDate shown, QDate stored) {
        fx.modal->expect([this, shown, stored](QDialog& editor) {
            EXPECT_EQ(GetParam().editorDate(editor), shown);
            GetParam().fillEditor(editor, stored);
        });
    }
};

TEST_P(FrmMeasurementsListTest, NewStoresThroughTheEditorAndSelectsTheNewRecord) {
    const ListCase& c = GetParam();
    open([&](QDialog& d) {
        fx.modal->expect([&](QDialog& editor) {
            EXPECT_TRUE(editor.windowTitle().endsWith(u" - New"_s));
            c.fillEditor(editor, QDate(2026, 11, 25));
        });
        click(d, c.newButton);
        EXPECT_EQ(tags(d), (std::vector<qint64>{10, 20, 1, 30}));
        EXPECT_EQ(selectedTag(d), 1);
        EXPECT_TRUE(theList(d)->hasFocus() || d.focusWidget() == theList(d));

        // Dated before the window's date: stored, not listed, nothing selected.
        fx.modal->expect([&](QDialog& editor) { c.fillEditor(editor, QDate(2026, 10, 1)); });
        click(d, c.newButton);
        EXPECT_EQ(tags(d), (std::vector<qint64>{10, 20, 1, 30}));
        EXPECT_EQ(theList(d)->selectedRow(), nullptr);

        // Cancelled: nothing changes.
        fx.modal->expect([](QDialog&) {});
        click(d, c.newButton);
        EXPECT_EQ(tags(d).size(), 4u);
    });
    EXPECT_EQ(fx.modal->opened,
              (std::vector<QString>{u"frmMeasurements"_s, c.editorName, c.editorName, c.editorName}));
}

TEST_P(FrmMeasurementsListTest, EditOpensTheSelectedRecordAndReselectsIt) {
    const ListCase& c = GetParam();
    open([&](QDialog& d) {
        click(d, c.editButton);
        expectError(NothingSelected);
        EXPECT_EQ(fx.modal->opened.size(), 1u);

        // Moved behind the record of the 20th, it stays selected.
        theList(d)->setCurrentItem(theList(d)->row(1));
        expectEditor(QDate(2026, 11, 10), QDate(2026, 11, 21));
        click(d, c.editButton);
        EXPECT_EQ(tags(d), (std::vector<qint64>{20, 10, 30}));
        EXPECT_EQ(selectedTag(d), 10);

        // A double-click (press, release, then the second press) edits the item under the pointer.
        QTreeWidgetItem* last = theList(d)->row(3);
        expectEditor(QDate(2026, 11, 30), QDate(2026, 11, 30));
        QTest::mouseClick(theList(d)->viewport(), Qt::LeftButton, {},
                          theList(d)->visualItemRect(last).center());
        QTest::mouseDClick(theList(d)->viewport(), Qt::LeftButton, {},
                           theList(d)->visualItemRect(last).center());
        EXPECT_EQ(selectedTag(d), 30);
    });
    EXPECT_EQ(fx.modal->opened, (std::vector<QString>{u"frmMeasurements"_s, c.editorName, c.editorName}));
    EXPECT_TRUE(fx.modal->handlers.empty());
}

TEST_P(FrmMeasurementsListTest, DeleteAsksAndSelectsTheRowThatTookThePlace) {
    const ListCase& c = GetParam();
    open([&](QDialog& d) {
        click(d, c.deleteButton);
        expectError(NothingSelected);
        EXPECT_EQ(fx.messages->shown.size(), 1u);

        theList(d)->setCurrentItem(theList(d)->row(2));
        fx.messages->answer(MessageButton::No);
        click(d, c.deleteButton);
        expectMessage(u"Are you sure"_s, ConfirmDelete, MessageIcon::Question);
        EXPECT_EQ(fx.messages->last().defaultButton, MessageButton::Yes);
        EXPECT_EQ(tags(d), (std::vector<qint64>{10, 20, 30}));

        click(d, c.deleteButton);
        EXPECT_EQ(tags(d), (std::vector<qint64>{10, 30}));
        EXPECT_EQ(selectedTag(d), 30);

        click(d, c.deleteButton);
        EXPECT_EQ(tags(d), (std::vector<qint64>{10}));
        EXPECT_EQ(selectedTag(d), 10);

        click(d, c.deleteButton);
        EXPECT_TRUE(tags(d).empty());
        EXPECT_EQ(theList(d)->selectedRow(), nullptr);
    });
    const QString table = c.list == u"lvwNoteList"_s ? u"UserNote"_s : u"Body"_s;
    EXPECT_EQ(scalar(u"select count(*) from %1"_s.arg(table)).toInt(), 0);
}

TEST_P(FrmMeasurementsListTest, AFailedDeleteKeepsTheRecord) {
    const ListCase& c = GetParam();
    const QString table = c.list == u"lvwNoteList"_s ? u"UserNote"_s : u"Body"_s;
    sql(u"create trigger refuse before delete on %1 begin select raise(abort, 'refused'); end"_s.arg(table));
    open([&](QDialog& d) {
        theList(d)->setCurrentItem(theList(d)->row(2));
        click(d, c.deleteButton);
        expectError(DeleteFailed);
        EXPECT_EQ(fx.messages->shown.size(), 2u);
        EXPECT_EQ(tags(d), (std::vector<qint64>{10, 20, 30}));
        EXPECT_EQ(selectedTag(d), 20);
    });
    EXPECT_EQ(scalar(u"select count(*) from %1"_s.arg(table)).toInt(), 3);
    EXPECT_FALSE(fx.app->de().rs(table).isOpen());
}

INSTANTIATE_TEST_SUITE_P(BothLists, FrmMeasurementsListTest, ::testing::ValuesIn(Lists),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FrmMeasurementsTest, ReplacingADaysMeasurementLeavesOneItemForIt) {
    addSampleDiary();
    open([&](QDialog& d) {
        fx.messages->answer(MessageButton::Yes);
        fx.modal->expect([](QDialog& editor) { Lists[0].fillEditor(editor, QDate(2026, 11, 20)); });
        click(d, u"btnMeasurementNew"_s);
        const std::vector<Item> shown = items(list(d, u"lvwMeasurementList"_s));
        ASSERT_EQ(shown.size(), 2u);
        EXPECT_EQ(shown[1], (Item{{u"11/20/2026"_s, u"50"_s, u"50"_s, u"50"_s, u"50"_s}, 3}));
        EXPECT_EQ(list(d, u"lvwMeasurementList"_s)->selectedTag(), 3);
    });
}

TEST_F(FrmMeasurementsTest, HelpOpensTheTopicOfTheWindow) {
    open([&](QDialog& d) { click(d, u"btnHelp"_s); });
    EXPECT_EQ(fx.help->topics, std::vector<int>{29});
}

} // namespace
} // namespace kelvora::test
