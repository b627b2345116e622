// The export window: what it proposes, what it refuses, where it writes and what it asks before a
// file is replaced.
#include "AppFixture.h"
#include "DiaryCommands.h"
#include "ExchangeTest.h"
#include "FileSaving.h"
#include "HelpContext.h"
#include "KelvoraDialog.h"
#include "deData.h"
#include "frmExport.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

const QString Csv[] = {u"meals.csv"_s, u"activities.csv"_s, u"body.csv"_s, u"notes.csv"_s, u"days.csv"_s};

// The shipped diary, whose sample ends on 30 November 2026; the fixture's day is 6 December.
class ExportWindow : public ::testing::Test {
protected:
    AppFixture fx;
    frmExport window;
    QTemporaryDir out;

    QDateEdit* from() { return window.findChild<QDateEdit*>(u"dtpFrom"_s); }
    QDateEdit* to() { return window.findChild<QDateEdit*>(u"dtpTo"_s); }
    QComboBox* format() { return window.findChild<QComboBox*>(u"cbxFormat"_s); }
    QPushButton* ok() { return window.findChild<QPushButton*>(u"btnOK"_s); }

    // Shows the window, lets `fill` set it up, presses OK; true when the window closed.
    bool run(const std::function<void()>& fill) {
        bool closed = false;
        fx.modal->expect([&](QDialog&) {
            fill();
            ok()->click();
            closed = !window.isVisible();
            focusAfterOk = window.focusWidget();
        });
        fx.app->modal().exec(window);
        return closed;
    }
    QWidget* focusAfterOk = nullptr;
    void november(frmExport::Format chosen) {
        from()->setDate(QDate(2026, 11, 1));
        to()->setDate(QDate(2026, 11, 30));
        format()->setCurrentIndex(chosen);
    }
    QString csvPath(const QString& name) const { return QDir(out.path()).filePath(name); }
};

TEST_F(ExportWindow, ProposesTheMonthUpToTheCurrentDateWithTheFocusOnFrom) {
    fx.app->state().currentDate = DateValue::fromYmd(2027, 3, 31);
    fx.modal->expect([&](QDialog&) {
        EXPECT_EQ(from()->date(), QDate(2027, 2, 28));
        EXPECT_EQ(to()->date(), QDate(2027, 3, 31));
        EXPECT_EQ(window.focusWidget(), from());
        EXPECT_EQ(window.windowTitle(), u"Export"_s);
        EXPECT_EQ(format()->itemText(0), u"Report for a dietitian (PDF)"_s);
        EXPECT_EQ(format()->itemText(1), u"Spreadsheet (CSV files)"_s);
    });
    fx.app->modal().exec(window);
}

TEST_F(ExportWindow, EveryControlHasTheNameOfItsLabel) {
    const std::pair<QString, QString> controls[] = {{u"dtpFrom"_s, u"From"_s},     {u"dtpTo"_s, u"To"_s},
                                                    {u"cbxFormat"_s, u"Format"_s}, {u"btnOK"_s, u"OK"_s},
                                                    {u"btnCancel"_s, u"Cancel"_s}, {u"btnHelp"_s, u"Help"_s}};
    for (const auto& [name, accessible] : controls) {
        auto* widget = window.findChild<QWidget*>(name);
        ASSERT_NE(widget, nullptr) << name.toStdString();
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(face, nullptr);
        // On Linux a combo box is named by its text, and reached by the label it is the buddy of.
        if (face->role() == QAccessible::ComboBox) {
            EXPECT_EQ(widget->accessibleName(), accessible);
            const auto labels = face->relations(QAccessible::Label);
            ASSERT_EQ(labels.size(), 1);
            EXPECT_EQ(labels.front().first->text(QAccessible::Name), accessible);
        } else {
            EXPECT_EQ(face->text(QAccessible::Name), accessible) << name.toStdString();
        }
    }
}

TEST_F(ExportWindow, F1OpensItsTopic) {
    sendF1(&window);
    EXPECT_EQ(fx.help->topics, std::vector<int>{HelpContext::frmExport});
}

TEST_F(ExportWindow, RefusesAPeriodThatEndsBeforeItBeginsOrHoldsNothing) {
    struct Case {
        QDate from, to;
        QString text;
    };
    const Case cases[] = {
        {QDate(2026, 11, 30), QDate(2026, 11, 29),
         u"The date From is after the date To. Please choose a From date on or before the To date."_s},
        {QDate(2026, 12, 1), QDate(2026, 12, 6),
         u"Nothing was recorded from 12/1/2026 to 12/6/2026: there is no meal, activity or body measurement "
         u"to "
         "export. Please choose another period."_s},
    };
    for (const Case& c : cases) {
        fx.messages->shown.clear();
        const bool closed = run([&] {
            from()->setDate(c.from);
            to()->setDate(c.to);
            format()->setCurrentIndex(frmExport::Report);
            ok()->setFocus();
        });
        EXPECT_FALSE(closed) << c.text.toStdString();
        ASSERT_EQ(fx.messages->shown.size(), 1u);
        EXPECT_EQ(fx.messages->last().title, u"Error"_s);
        EXPECT_EQ(fx.messages->last().icon, MessageIcon::Exclamation);
        EXPECT_EQ(fx.messages->last().text, c.text);
        EXPECT_EQ(focusAfterOk, from());
        EXPECT_TRUE(fx.files->requests.empty()) << "a destination was asked for";
        EXPECT_FALSE(window.Exported);
    }
    EXPECT_TRUE(QDir(out.path()).isEmpty());
}

TEST_F(ExportWindow, WritesTheReportWhereTheFileDialogSays) {
    const QString path = out.filePath(u"november"_s); // without a suffix: .pdf is added
    fx.files->answer(path);
    EXPECT_TRUE(run([&] { november(frmExport::Report); }));
    ASSERT_EQ(fx.files->requests.size(), 1u);
    const auto& request = fx.files->requests.front();
    EXPECT_EQ(request.kind, u"save"_s);
    EXPECT_EQ(request.proposed, QDir(documentsFolder()).filePath(u"Kelvora-2026-11-01-to-2026-11-30.pdf"_s));
    EXPECT_EQ(request.filters, QStringList{u"PDF document (*.pdf)"_s});
    EXPECT_TRUE(contentsOf(path + u".pdf"_s).startsWith("%PDF-"));
    EXPECT_EQ(fx.messages->texts(),
              std::vector<QString>{u"The report was written to "_s + path + u".pdf."_s});
    EXPECT_EQ(fx.messages->last().title, u"Kelvora"_s);
    EXPECT_EQ(fx.messages->last().icon, MessageIcon::Information);
    EXPECT_TRUE(window.Exported);
    EXPECT_EQ(window.Destination, path + u".pdf"_s);
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"november.pdf"_s});
}

TEST_F(ExportWindow, WritesTheFiveSpreadsheetFilesIntoTheChosenFolder) {
    fx.files->answer(out.path());
    EXPECT_TRUE(run([&] { november(frmExport::Spreadsheet); }));
    ASSERT_EQ(fx.files->requests.size(), 1u);
    EXPECT_EQ(fx.files->requests.front().kind, u"folder"_s);
    EXPECT_EQ(fx.files->requests.front().proposed, documentsFolder());
    for (const QString& name : Csv)
        EXPECT_GT(parseCsv(contentsOf(csvPath(name))).size(), 1u) << name.toStdString();
    EXPECT_EQ(
        fx.messages->texts(),
        std::vector<QString>{u"The spreadsheet files meals.csv, activities.csv, body.csv, notes.csv and "
                             "days.csv were written to "_s +
                             out.path() + u'.'});
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden).size(), 5);
}

TEST_F(ExportWindow, ACancelledFileDialogWritesNothingAndKeepsTheWindowOpen) {
    for (const frmExport::Format chosen : {frmExport::Report, frmExport::Spreadsheet}) {
        fx.files->answer(QString());
        EXPECT_FALSE(run([&] { november(chosen); }));
    }
    EXPECT_TRUE(fx.messages->shown.empty());
    EXPECT_TRUE(QDir(out.path()).isEmpty());
}

TEST_F(ExportWindow, ReplacesAnExistingReportOnlyAfterAskingNoBeingTheDefault) {
    const QString path = out.filePath(u"report.pdf"_s);
    writeBytes(path, "the user's own file");
    const QString question = path + u" already exists. Replace it?"_s;

    fx.files->answer(path);
    EXPECT_FALSE(run([&] { november(frmExport::Report); })); // Enter answers No
    ASSERT_EQ(fx.messages->shown.size(), 1u);
    const Message& asked = fx.messages->last();
    EXPECT_EQ(asked.text, question);
    EXPECT_EQ(asked.icon, MessageIcon::Question);
    EXPECT_EQ(asked.defaultButton, MessageButton::No);
    EXPECT_EQ(contentsOf(path), "the user's own file");

    fx.files->answer(path);
    fx.messages->answer(MessageButton::Yes);
    EXPECT_TRUE(run([&] { november(frmExport::Report); }));
    EXPECT_TRUE(contentsOf(path).startsWith("%PDF-"));
}

TEST_F(ExportWindow, AsksOnceForTheSpreadsheetFilesInTheWayAndReplacesAllOrNone) {
    writeBytes(csvPath(u"meals.csv"_s), "mine");
    writeBytes(csvPath(u"days.csv"_s), "mine too");
    fx.files->answer(out.path());
    EXPECT_FALSE(run([&] { november(frmExport::Spreadsheet); }));
    EXPECT_EQ(fx.messages->texts(),
              std::vector<QString>{out.path() + u" already holds meals.csv and days.csv. Replace them?"_s});
    EXPECT_EQ(fx.messages->last().defaultButton, MessageButton::No);
    EXPECT_EQ(contentsOf(csvPath(u"meals.csv"_s)), "mine");
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden).size(), 2)
        << "a file of the set was written";

    fx.files->answer(out.path());
    fx.messages->answer(MessageButton::Yes);
    EXPECT_TRUE(run([&] { november(frmExport::Spreadsheet); }));
    EXPECT_TRUE(contentsOf(csvPath(u"meals.csv"_s)).startsWith("Date,Time,Meal"));
    EXPECT_TRUE(contentsOf(csvPath(u"days.csv"_s)).startsWith("Date,kcal eaten"));
}

TEST_F(ExportWindow, OneSpreadsheetFileInTheWayIsAskedAboutByItsPath) {
    writeBytes(csvPath(u"notes.csv"_s), "mine");
    fx.files->answer(out.path());
    EXPECT_FALSE(run([&] { november(frmExport::Spreadsheet); }));
    EXPECT_EQ(fx.messages->texts(),
              std::vector<QString>{csvPath(u"notes.csv"_s) + u" already exists. Replace it?"_s});
}

TEST_F(ExportWindow, AnUnwritableDestinationIsAnErrorAndLeavesNothingBehind) {
    // A folder under a file: no one may write there, not even root.
    writeBytes(out.filePath(u"plain"_s), "a file");
    const QString folder = out.filePath(u"plain/sub"_s);
    const QString report = folder + u"/report.pdf"_s;

    fx.files->answer(report);
    EXPECT_FALSE(run([&] { november(frmExport::Report); }));
    fx.files->answer(folder);
    EXPECT_FALSE(run([&] { november(frmExport::Spreadsheet); }));
    EXPECT_EQ(fx.messages->texts(),
              (std::vector<QString>{writeFailureText(report), writeFailureText(folder + u"/meals.csv"_s)}));
    EXPECT_EQ(fx.messages->last().title, u"Error"_s);
    EXPECT_EQ(QDir(out.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{u"plain"_s});
}

TEST_F(ExportWindow, NeverWritesOverTheDiary) {
    const QByteArray diary = contentsOf(fx.db.path());
    fx.files->answer(fx.db.path());
    EXPECT_FALSE(run([&] { november(frmExport::Report); }));
    EXPECT_EQ(fx.messages->texts(),
              std::vector<QString>{fx.db.path() +
                                   u" is the diary itself. Please choose another file for the report."_s});
    EXPECT_EQ(contentsOf(fx.db.path()), diary);
}

} // namespace
} // namespace kelvora::test
