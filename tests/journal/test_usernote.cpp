// The user note editor: loading, the checks, the intersection with other notes, storing.
#include "JournalTest.h"
#include "frmUserNote.h"

#include <QDateEdit>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

const QString StoreFailed = u"Can't store this record in database. Please check whether all data are valid"_s;

QString intersection(const QString& otherNote) {
    return u"This note intersects in time with the following another note: "_s + otherNote +
           u"\n\rThe intersections are not allowed.\n\r\n\rTip: You can split notes with big time periods "
           "to smaller pieces"_s;
}

class FrmUserNoteTest : public JournalTest {
protected:
    static QDateEdit* from(QDialog& d) { return child<QDateEdit>(d, u"dtpDateFrom"_s); }
    static QDateEdit* to(QDialog& d) { return child<QDateEdit>(d, u"dtpDateTo"_s); }
    static QLineEdit* note(QDialog& d) { return child<QLineEdit>(d, u"txtNote"_s); }
    static void fill(QDialog& d, QDate first, QDate last, const QString& text) {
        from(d)->setDate(first);
        to(d)->setDate(last);
        type(d, u"txtNote"_s, text);
    }
    // Opens the dialog on `recordId`, fills it and presses OK; true when it stored and closed.
    bool store(int recordId, QDate first, QDate last, const QString& text) {
        fx.messages->shown.clear();
        dialog.RecordID = recordId;
        bool closed = false;
        show(dialog, [&](QDialog& d) {
            fill(d, first, last, text);
            click(d, u"btnOK"_s);
            closed = !d.isVisible();
        });
        EXPECT_EQ(closed, dialog.Saved);
        return closed;
    }

    frmUserNote dialog;
};

TEST_F(FrmUserNoteTest, RangesThatShareADayIntersect) {
    struct Case {
        QDate first, last;
        bool intersects;
        const char* what;
    };
    const Case cases[] = {
        {dec(5), dec(9), true, "starts on the stored note's last day"},
        {dec(6), dec(9), false, "starts the day after"},
        {QDate(2026, 11, 28), dec(1), true, "ends on the stored note's first day"},
        {dec(2), dec(3), true, "lies inside"},
        {QDate(2026, 11, 28), dec(10), true, "contains it"},
        {QDate(2026, 11, 28), QDate(2026, 11, 30), false, "ends the day before"},
    };
    addNote(-1, dec(1), dec(5), u"Visiting family"_s);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int before = static_cast<int>(noteRows().size());
        EXPECT_EQ(store(0, c.first, c.last, u"New note"_s), !c.intersects);
        if (c.intersects) {
            ASSERT_EQ(fx.messages->shown.size(), 1u);
            expectMessage(u"Intersection"_s, intersection(u"Visiting family"_s), MessageIcon::Exclamation);
            EXPECT_EQ(noteRows().size(), static_cast<size_t>(before));
        } else {
            EXPECT_TRUE(fx.messages->shown.empty());
            EXPECT_EQ(noteRows().size(), static_cast<size_t>(before + 1));
            // Stored notes take part in the next test; take it out again.
            sql(u"delete from UserNote where UserNoteId = %1"_s.arg(dialog.NewID));
        }
    }
}

TEST_F(FrmUserNoteTest, TheRefusedNoteStaysInTheDialogAndAStoredOneMayBeEdited) {
    addNote(4, dec(10), dec(12), QVariant()); // a note without text is named by nothing
    dialog.RecordID = 0;
    show(dialog, [&](QDialog& d) {
        fill(d, dec(12), dec(14), u"Cold"_s);
        click(d, u"btnOK"_s);
        expectMessage(u"Intersection"_s, intersection(QString()), MessageIcon::Exclamation);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(note(d)->text(), u"Cold"_s);
        to(d)->setDate(dec(13));
        from(d)->setDate(dec(13));
        click(d, u"btnOK"_s);
        EXPECT_FALSE(d.isVisible());
    });
    // The refused attempt used identifier 1.
    EXPECT_EQ(dialog.NewID, 2);

    // Editing without moving the dates does not meet the note itself.
    fx.messages->shown.clear();
    dialog.RecordID = 2;
    show(dialog, [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"User Note"_s);
        EXPECT_EQ(from(d)->date(), dec(13));
        EXPECT_EQ(to(d)->date(), dec(13));
        EXPECT_EQ(note(d)->text(), u"Cold"_s);
        type(d, u"txtNote"_s, u"Cold, stayed in"_s);
        click(d, u"btnOK"_s);
    });
    EXPECT_TRUE(fx.messages->shown.empty());
    EXPECT_EQ(dialog.NewID, 2);
    EXPECT_EQ(noteRows(),
              (std::vector<NoteRow>{{4, dec(10), dec(12), {}}, {2, dec(13), dec(13), u"Cold, stayed in"_s}}));
    EXPECT_EQ(scalar(u"select NextUserNoteID from Common"_s).toInt(), 2);
}

TEST_F(FrmUserNoteTest, ChecksTheDatesBeforeTheText) {
    struct Case {
        QDate first, last;
        QString text;
        QString message;
        QString focus;
    };
    const Case cases[] = {
        {dec(6), dec(5), u"   "_s, u"The Date To is less than Date From"_s, u"dtpDateTo"_s},
        {dec(6), dec(5), u"Walks"_s, u"The Date To is less than Date From"_s, u"dtpDateTo"_s},
        {dec(5), dec(6), u" \t "_s, u"The Note text should be specified"_s, u"txtNote"_s},
        {dec(5), dec(6), {}, u"The Note text should be specified"_s, u"txtNote"_s},
    };
    for (const Case& c : cases) {
        fx.messages->shown.clear();
        dialog.RecordID = 0;
        show(dialog, [&](QDialog& d) {
            fill(d, c.first, c.last, c.text);
            click(d, u"btnOK"_s);
            EXPECT_TRUE(d.isVisible());
            ASSERT_EQ(fx.messages->shown.size(), 1u);
            expectError(c.message);
            EXPECT_EQ(d.focusWidget(), child<QWidget>(d, c.focus)) << c.message.toStdString();
        });
        EXPECT_FALSE(dialog.Saved);
    }
    EXPECT_TRUE(noteRows().empty());
    EXPECT_EQ(scalar(u"select NextUserNoteID from Common"_s).toInt(), 0);
}

TEST_F(FrmUserNoteTest, StoresTheTextAsTypedUpTo255Characters) {
    dialog.RecordID = 0;
    show(dialog, [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"User Note - New"_s);
        EXPECT_EQ(from(d)->date(), dec(6));
        EXPECT_EQ(to(d)->date(), dec(6));
        EXPECT_TRUE(from(d)->calendarPopup());
        EXPECT_EQ(note(d)->text(), QString());
        type(d, u"txtNote"_s, u"  Single day, blanks kept  "_s);
        click(d, u"btnOK"_s);
    });
    EXPECT_EQ(dialog.NewID, 1);

    const QString longText = QString(254, u'a') + u"bc"_s;
    EXPECT_TRUE(store(0, dec(7), dec(8), longText));
    EXPECT_EQ(noteRows(), (std::vector<NoteRow>{{1, dec(6), dec(6), u"  Single day, blanks kept  "_s},
                                                {2, dec(7), dec(8), longText.left(255)}}));

    // A new showing after an edit starts empty again.
    dialog.RecordID = 0;
    show(dialog, [&](QDialog& d) { EXPECT_EQ(note(d)->text(), QString()); });
}

TEST_F(FrmUserNoteTest, AFailedStoreIsReportedAndTheInputKept) {
    sql(u"create trigger refuse before insert on UserNote begin select raise(abort, 'refused'); end"_s);
    dialog.RecordID = 0;
    show(dialog, [&](QDialog& d) {
        fill(d, dec(1), dec(2), u"Trip"_s);
        click(d, u"btnOK"_s);
        expectError(StoreFailed);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(note(d)->text(), u"Trip"_s);
        sql(u"drop trigger refuse"_s);
        click(d, u"btnOK"_s);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_TRUE(dialog.Saved);
    EXPECT_EQ(noteRows(), (std::vector<NoteRow>{{2, dec(1), dec(2), u"Trip"_s}}));
}

} // namespace
} // namespace kelvora::test
