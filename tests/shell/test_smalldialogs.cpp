#include "AppFixture.h"
#include "TrialData.h"
#include "deData.h"
#include "frmAbout.h"
#include "frmDate.h"

#include <QDateEdit>
#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <array>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

class SmallDialogsTest : public ::testing::Test {
protected:
    int show(QDialog& dialog, FakeModal::Handler handler) {
        fx.modal->expect(std::move(handler));
        return fx.app->modal().exec(dialog);
    }
    static void click(QDialog& d, const QString& name) {
        QTest::mouseClick(d.findChild<QPushButton*>(name), Qt::LeftButton);
    }
    int count(const QString& sql) {
        Statement statement(fx.app->de().Con, sql);
        return statement.step() ? statement.value(0).toInt() : -1;
    }

    AppFixture fx;
};

TEST_F(SmallDialogsTest, SetDateShowsTheCurrentDateAndOKTakesThePickedOne) {
    struct Case {
        QDate picked;
        QString button;
        QDate expected;
    };
    const QDate shown(2001, 2, 3);
    const Case cases[] = {
        {QDate(1950, 3, 15), u"btnOK"_s, QDate(1950, 3, 15)},
        {QDate(2040, 12, 31), u"btnOK"_s, QDate(2040, 12, 31)},
        {QDate(1950, 3, 15), u"btnCancel"_s, shown},
    };
    frmDate dialog;
    for (const Case& c : cases) {
        fx.app->state().currentDate = DateValue::fromQDate(shown);
        const int result = show(dialog, [&](QDialog& d) {
            auto* picker = d.findChild<QDateEdit*>(u"dtpDate"_s);
            EXPECT_EQ(picker->date(), shown);
            EXPECT_TRUE(picker->calendarPopup());
            picker->setDate(c.picked);
            click(d, c.button);
            EXPECT_FALSE(d.isVisible());
        });
        EXPECT_EQ(result, c.button == u"btnOK"_s ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_EQ(fx.app->state().currentDate, DateValue::fromQDate(c.expected)) << c.button.toStdString();
    }
    EXPECT_EQ(dialog.windowTitle(), u"Set Current Date"_s);
    EXPECT_EQ(dialog.objectName(), u"frmDate"_s);
}

TEST_F(SmallDialogsTest, AboutShowsTheProgramVersionAndTheMainWindowsPicture) {
    QPixmap picture(64, 64);
    picture.fill(Qt::red);
    QWidget mainWindow;
    mainWindow.setWindowIcon(QIcon(picture));
    fx.app->setMainWindow(nullptr, &mainWindow);

    frmAbout dialog;
    const int result = show(dialog, [&](QDialog& d) {
        EXPECT_EQ(d.findChild<QLabel*>(u"lblProgramName"_s)->text(), u"Kelvora. Version 1.1.0"_s);
        const QPixmap shown = d.findChild<QLabel*>(u"Picture1"_s)->pixmap();
        EXPECT_EQ(shown.size(), QSize(64, 64));
        EXPECT_EQ(shown.toImage().pixelColor(32, 32), QColor(Qt::red));
        EXPECT_FALSE(d.windowIcon().isNull());
        click(d, u"btnOK"_s);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(dialog.windowTitle(), u"About"_s);
    fx.app->setMainWindow(nullptr, nullptr);
}

// Where the diary is depends on how Kelvora was installed; the box names the file in use, in a
// text that can be selected and copied, and still opens on OK.
TEST_F(SmallDialogsTest, AboutNamesTheDiaryInUse) {
    frmAbout dialog;
    show(dialog, [&](QDialog& d) {
        const auto* path = d.findChild<QLabel*>(u"lblDiaryPath"_s);
        ASSERT_NE(path, nullptr);
        EXPECT_EQ(path->text(), QDir::toNativeSeparators(fx.app->de().Con.path()));
        EXPECT_TRUE(path->textInteractionFlags().testFlag(Qt::TextSelectableByMouse));
        EXPECT_TRUE(path->textInteractionFlags().testFlag(Qt::TextSelectableByKeyboard));
        EXPECT_EQ(path->accessibleName(), u"Your diary:"_s);
        EXPECT_EQ(d.focusWidget(), d.findChild<QPushButton*>(u"btnOK"_s));
        click(d, u"btnOK"_s);
    });
}

TEST_F(SmallDialogsTest, F1OpensEachDialogsOwnTopic) {
    frmDate date;
    frmAbout about;
    struct Case {
        QDialog* dialog;
        std::vector<int> topics;
    };
    const Case cases[] = {{&date, {32, 32}}, {&about, {}}};
    for (const Case& c : cases) {
        fx.help->topics.clear();
        show(*c.dialog, [&](QDialog& d) {
            QTest::keyClick(&d, Qt::Key_F1);
            if (auto* help = d.findChild<QPushButton*>(u"btnHelp"_s))
                QTest::mouseClick(help, Qt::LeftButton);
        });
        EXPECT_EQ(fx.help->topics, c.topics) << c.dialog->objectName().toStdString();
    }
}

// The four journal tables, each with its key; the sample rows are those with negative keys.
constexpr std::array<std::pair<const char*, const char*>, 4> JournalTables{{
    {"Body", "BodyId"},
    {"ExercisePerform", "ExercisePerformID"},
    {"MealConsume", "MealConsumeID"},
    {"UserNote", "UserNoteId"},
}};

class TrialDataTest : public SmallDialogsTest {
protected:
    int samples(const char* table, const char* key) {
        return count(
            u"select count(*) from %1 where %2 < 0"_s.arg(QLatin1StringView(table), QLatin1StringView(key)));
    }
    int ownRows(const char* table, const char* key) {
        return count(
            u"select count(*) from %1 where %2 > 0"_s.arg(QLatin1StringView(table), QLatin1StringView(key)));
    }
    int catalogueRows() {
        return count(u"select (select count(*) from Meal) + (select count(*) from Exercise) + "
                     "(select count(*) from MealCategory) + (select count(*) from Common)"_s);
    }

    // Rows of the user's own, on the days of the first sample rows (a body measurement is one per
    // day, so the user's is on a day of its own).
    void addOwnRows() {
        fx.app->de().Con.execute(
            u"insert into MealConsume (MealConsumeID, MealID, ConsumeDate, ConsumeTime, Qty) "
            "select 1, MealID, ConsumeDate, ConsumeTime, 1 from MealConsume where MealConsumeID = -1;"
            "insert into ExercisePerform (ExercisePerformID, ExerciseID, PerformDate, timeBeg, timeEnd, Qty) "
            "select 1, ExerciseID, PerformDate, timeBeg, timeEnd, 1 from ExercisePerform where "
            "ExercisePerformID = -1;"
            "insert into UserNote (UserNoteId, DateFrom, DateTo, NoteText) "
            "select 1, DateFrom, DateTo, 'mine' from UserNote where UserNoteId = -1;"
            "insert into Body (BodyId, DateMeasured, Weight, Measurement) values (1, 47119, 150, 'I');"_s);
    }
};

TEST_F(TrialDataTest, AsksFirstWithNoAsTheDefault) {
    fx.messages->answer(MessageButton::No);
    EXPECT_FALSE(DeleteTrialData(nullptr));
    ASSERT_EQ(fx.messages->shown.size(), 1u);
    const Message& question = fx.messages->last();
    EXPECT_EQ(question.title, u"Are you sure?"_s);
    EXPECT_EQ(question.text,
              u"This will delete trial data supplied with the program as the sample.\n"
              "It refers to Meal Consumed, Exercise Performed, Body Measurement and User Notes.\n"
              "Neither Meal Description, Exercise Description nor any data you've entered yourself will be "
              "deleted.\n"
              "\n"
              "Are you sure you want to delete trial data now?"_s);
    EXPECT_EQ(question.icon, MessageIcon::Question);
    EXPECT_EQ(question.buttons, (std::vector<MessageButton>{MessageButton::Yes, MessageButton::No}));
    EXPECT_EQ(question.defaultButton, MessageButton::No);
}

TEST_F(TrialDataTest, YesRemovesEverySampleRowAndNoneOfTheUsersOwn) {
    struct Case {
        MessageButton answer;
        bool removed;
    };
    const Case cases[] = {{MessageButton::No, false}, {MessageButton::Yes, true}};
    addOwnRows();
    const int catalogue = catalogueRows();
    std::vector<int> samplesBefore;
    for (const auto& [table, key] : JournalTables) {
        samplesBefore.push_back(samples(table, key));
        ASSERT_GT(samplesBefore.back(), 0) << table;
    }
    for (const Case& c : cases) {
        fx.messages->answer(c.answer);
        EXPECT_EQ(DeleteTrialData(nullptr), c.removed);
        for (std::size_t i = 0; i < JournalTables.size(); ++i) {
            const auto& [table, key] = JournalTables[i];
            EXPECT_EQ(samples(table, key), c.removed ? 0 : samplesBefore[i]) << table;
            EXPECT_EQ(ownRows(table, key), 1) << table;
        }
        EXPECT_EQ(catalogueRows(), catalogue);
    }
}

TEST_F(TrialDataTest, AFailedDeletionRemovesNothing) {
    fx.app->de().Con.execute(u"create trigger refuse before delete on UserNote "
                             "begin select raise(abort, 'refused'); end"_s);
    std::vector<int> samplesBefore;
    for (const auto& [table, key] : JournalTables)
        samplesBefore.push_back(samples(table, key));

    fx.messages->answer(MessageButton::Yes);
    EXPECT_THROW(DeleteTrialData(nullptr), DbError);
    for (std::size_t i = 0; i < JournalTables.size(); ++i)
        EXPECT_EQ(samples(JournalTables[i].first, JournalTables[i].second), samplesBefore[i])
            << JournalTables[i].first;
    EXPECT_FALSE(fx.app->de().Con.inTransaction());
}

} // namespace
} // namespace kelvora::test
