// Start-up: opening the database, the application state, the first-run sequence and the date shift.
#include "AppFixture.h"
#include "DiaryMessages.h"
#include "FakeServices.h"
#include "Startup.h"
#include "TestDatabase.h"
#include "deData.h"
#include "frmMain.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

using namespace Qt::StringLiterals;
using namespace kelvora;
using namespace kelvora::test;

namespace {

// Fake services handed over to start-up, with pointers kept for the test to look at.
struct Fakes {
    FakeMessages* messages = new FakeMessages;
    FakeModal* modal = new FakeModal;
    FakeClock* clock = new FakeClock;
    FakePrinter* printer = new FakePrinter;
    FakeHelp* help = new FakeHelp;

    ServiceSet hand() {
        return {std::unique_ptr<MessageService>(messages), std::unique_ptr<ModalService>(modal),
                std::unique_ptr<ClockService>(clock),      std::unique_ptr<PrinterService>(printer),
                std::unique_ptr<HelpService>(help),        std::make_unique<FakeFileDialogs>()};
    }
};

qlonglong scalar(deData& de, const QString& sql) {
    Statement statement(de.Con, sql);
    return statement.step() ? statement.value(0).toLongLong() : -999999;
}

bool mainWindowShown() {
    const QList<QWidget*> shown = visibleWindows();
    return std::any_of(shown.begin(), shown.end(),
                       [](QWidget* widget) { return qobject_cast<frmMain*>(widget) != nullptr; });
}

// A missing diary keeps its own message; a file that is there but no database is named instead.
TEST(Startup, UnopenableDatabaseGivesTheSevereErrorAndNoWindow) {
    QTemporaryDir missing;
    QTemporaryDir corrupt;
    const QString corruptPath = deData::databasePathIn(corrupt.path());
    QFile file(corruptPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(8192, '\x5a'));
    file.close();

    const std::pair<QString, QString> cases[] = {
        {missing.path(),
         missingDiaryText(deData::databasePathIn(missing.path()), userDiaryPathIn(userDataFolder()))},
        {corrupt.path(), openFailureText(OpenFailure::NotADiary, corruptPath)},
    };
    for (const auto& [folder, text] : cases) {
        Fakes fakes;
        FakeMessages* messages = fakes.messages;
        ServiceSet services = fakes.hand();
        auto program = startKelvora(folder, std::move(services));
        EXPECT_FALSE(program.has_value());
        ASSERT_EQ(messages->shown.size(), 1u);
        EXPECT_EQ(messages->last().title, u"Severe Error"_s);
        EXPECT_EQ(messages->last().text, text);
        EXPECT_EQ(messages->last().icon, MessageIcon::Critical);
        EXPECT_TRUE(visibleWindows().isEmpty());
    }
}

TEST(Startup, ClockConventionFollowsTheLocale) {
    struct Case {
        QLocale locale;
        bool clock24;
        QString display, picker;
    };
    const Case cases[] = {
        {QLocale(QLocale::English, QLocale::UnitedStates), false, u"h:Nn am/pm"_s, u"h:mm tt"_s},
        {QLocale(QLocale::German, QLocale::Germany), true, u"Hh:Nn"_s, u"H:mm"_s},
        // Times written in the locale's own digits.
        {QLocale(QLocale::Persian, QLocale::Iran), true, u"Hh:Nn"_s, u"H:mm"_s},
        {QLocale(QLocale::Bengali, QLocale::Bangladesh), false, u"h:Nn am/pm"_s, u"h:mm tt"_s},
    };
    TestDatabase db;
    deData de(db.path());
    for (const Case& c : cases) {
        AppState state;
        initialiseState(state, de, QDateTime(QDate(2026, 12, 6), QTime(14, 37, 45)), c.locale);
        EXPECT_EQ(state.clock24, c.clock24);
        EXPECT_EQ(state.timeDisplayFormat, c.display);
        EXPECT_EQ(state.timePickerFormat, c.picker);
        // Seconds are cut, not rounded.
        EXPECT_EQ(state.currentTime.parts().hour, 14);
        EXPECT_EQ(state.currentTime.parts().minute, 37);
        EXPECT_EQ(state.currentTime.parts().second, 0);
        EXPECT_EQ(state.currentDate.toQDate(), QDate(2026, 12, 6));
        EXPECT_EQ(state.newLine, u"\n\r"_s);
        EXPECT_EQ(state.bodyWeight, 150);
        EXPECT_EQ(state.measurementSystem, u"I"_s);
        EXPECT_EQ(state.metabolicRate, 80.0);
    }
}

class FirstStartTest : public ::testing::Test {
protected:
    TestDatabase db;

    // Ends the dialog with OK, as the user must in first-start mode.
    static void confirmCommon(QDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), u"frmCommon"_s);
        auto* cancel = dialog.findChild<QPushButton*>(u"btnCancel"_s);
        ASSERT_NE(cancel, nullptr);
        EXPECT_FALSE(cancel->isEnabled());
        dialog.findChild<QPushButton*>(u"btnOK"_s)->click();
    }

    double installDate() {
        deData de(db.path());
        Statement statement(de.Con, u"select installDate from Common"_s);
        statement.step();
        return statement.value(0).toDouble();
    }
};

TEST_F(FirstStartTest, RunsOnceInTheDesignedOrder) {
    const double shippedInstall = installDate();
    {
        Fakes fakes;
        fakes.clock->current = QDateTime(DateValue(shippedInstall).toQDate().addDays(3), QTime(9, 0));
        FakeMessages* messages = fakes.messages;
        FakeModal* modal = fakes.modal;
        modal->expect([&](QDialog& dialog) {
            // The parameters are asked for after both welcomes, over the main window, and before
            // anything has been shifted.
            EXPECT_EQ(messages->shown.size(), 2u);
            EXPECT_TRUE(mainWindowShown());
            deData probe(db.path());
            EXPECT_EQ(scalar(probe, u"select FirstStart from Common"_s), 1);
            EXPECT_EQ(scalar(probe, u"select installDate from Common"_s), qlonglong(shippedInstall));
            confirmCommon(dialog);
        });
        auto program = startKelvora(db.folder(), fakes.hand());
        ASSERT_TRUE(program.has_value());
        ASSERT_EQ(messages->shown.size(), 2u);
        EXPECT_EQ(messages->shown[0].message.title, u"You are welcome!"_s);
        EXPECT_EQ(
            messages->shown[0].message.text,
            u"Welcome to the Kelvora program!\n\r\n\rThe program is equiped by comprehensive Help "
            u"description. "
            "Please read first Help chapters to find out about what is this program for and what technology it uses."_s);
        EXPECT_EQ(messages->shown[0].message.icon, MessageIcon::Information);
        EXPECT_EQ(messages->shown[1].message.title, u"Kelvora"_s);
        EXPECT_EQ(
            messages->shown[1].message.text,
            u"Because it is a very first start of this program, you will be prompted now to specify common parameters."_s);
        EXPECT_EQ(modal->opened, std::vector<QString>{u"frmCommon"_s});
        EXPECT_TRUE(program->mainWindow->isVisible());

        deData& de = program->app->de();
        EXPECT_EQ(scalar(de, u"select FirstStart from Common"_s), 0);
        EXPECT_EQ(scalar(de, u"select installDate from Common"_s), qlonglong(shippedInstall) + 3);
        EXPECT_EQ(scalar(de, u"select max(ConsumeDate) from MealConsume"_s), qlonglong(shippedInstall) + 3);
    }
    // A second start skips the sequence.
    Fakes again;
    FakeMessages* messages = again.messages;
    FakeModal* modal = again.modal;
    auto second = startKelvora(db.folder(), again.hand());
    ASSERT_TRUE(second.has_value());
    EXPECT_TRUE(messages->shown.empty());
    EXPECT_TRUE(modal->opened.empty());
}

TEST_F(FirstStartTest, TheMarkStaysWhenTheShiftFails) {
    {
        deData de(db.path());
        de.Con.execute(u"create trigger NoShift before update of DateMeasured on Body "
                       "begin select raise(abort, 'disk trouble'); end"_s);
    }
    Fakes fakes;
    fakes.modal->expect(confirmCommon);
    EXPECT_THROW(startKelvora(db.folder(), fakes.hand()), DbError);
    deData de(db.path());
    EXPECT_EQ(scalar(de, u"select FirstStart from Common"_s), 1);
    EXPECT_EQ(scalar(de, u"select installDate from Common"_s), qlonglong(installDate()));
}

class ShiftTest : public ::testing::Test {
protected:
    TestDatabase db{SeedContents::SchemaOnly};
    deData de{db.path()};
    const double install = DateValue::fromYmd(2026, 11, 30).serial();

    void SetUp() override {
        // Body rows on the install day and 44 days before it, the span the shipped diary keeps to.
        de.Con.execute(u"insert into MealCategory values (1, 'c'); insert into Meal (MealID, MealCategoryID, "
                       u"Name) values (1, 1, 'm');"
                       "insert into Exercise (ExerciseID, Name) values (1, 'e');"
                       "update Common set installDate = %1, FirstStart = 1;"
                       "insert into Body values (-1, %1, 1, 1, 1, 1, 'I'), (-2, %2, 1, 1, 1, 1, 'I'), (3, "
                       "%3, 1, 1, 1, 1, 'I');"
                       "insert into MealConsume values (-1, 1, %1, 0.5, 1), (2, 1, %1, 0.5, 1);"
                       "insert into ExercisePerform values (-1, 1, %1, 0.3, 0.4, 1);"
                       "insert into UserNote values (-1, %2, %1, 'n')"_s.arg(install)
                           .arg(install - 44)
                           .arg(install + 100));
    }

    std::vector<qlonglong> column(const QString& sql) {
        std::vector<qlonglong> values;
        Statement statement(de.Con, sql);
        while (statement.step())
            values.push_back(statement.value(0).toLongLong() - qlonglong(install));
        return values;
    }
};

TEST_F(ShiftTest, SampleRowsEndNDaysLaterAndUserRowsStay) {
    for (const int n : {0, -10, 400}) {
        de.Con.execute(u"update Common set installDate = %1, FirstStart = 1;"
                       "update Body set DateMeasured = %1 where BodyId = -1; update Body set DateMeasured = "
                       "%2 where BodyId = -2;"
                       "update MealConsume set ConsumeDate = %1; update ExercisePerform set PerformDate = %1;"
                       "update UserNote set DateFrom = %2, DateTo = %1"_s.arg(install)
                           .arg(install - 44));
        de.rs(u"Common"_s).close();
        shiftSampleData(de, DateValue(install).addDays(n));
        EXPECT_EQ(column(u"select DateMeasured from Body order by BodyId"_s),
                  (std::vector<qlonglong>{n - 44, n, 100}))
            << n;
        EXPECT_EQ(column(u"select ConsumeDate from MealConsume order by MealConsumeID"_s),
                  (std::vector<qlonglong>{n, 0}));
        EXPECT_EQ(column(u"select PerformDate from ExercisePerform"_s), std::vector<qlonglong>{n});
        EXPECT_EQ(column(u"select DateFrom from UserNote"_s), std::vector<qlonglong>{n - 44});
        EXPECT_EQ(column(u"select DateTo from UserNote"_s), std::vector<qlonglong>{n});
        EXPECT_EQ(column(u"select installDate from Common"_s), std::vector<qlonglong>{n});
        EXPECT_EQ(scalar(de, u"select FirstStart from Common"_s), 0);
    }
}

TEST_F(ShiftTest, BodyRowsNeverMeetOnTheWay) {
    // At most one measurement a day: moving these two rows by 10 days in one step would put the
    // earlier one on the later one's day while that one has not moved yet.
    de.Con.execute(u"update Body set DateMeasured = %1 where BodyId = -2"_s.arg(install - 10));
    shiftSampleData(de, DateValue(install).addDays(10));
    EXPECT_EQ(column(u"select DateMeasured from Body order by BodyId"_s),
              (std::vector<qlonglong>{0, 10, 100}));
}

} // namespace
