// The meal categories list and its editor: the list/editor pattern every catalogue follows.
#include "AppFixture.h"
#include "ReportList.h"
#include "deData.h"
#include "frmMealCategories.h"
#include "frmMealCategory.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

const QString NameMissing = u"The Name should be specified"_s;
const QString StoreFailed =
    u"Can't store this record in database. Please check whether there is already Meal "
    u"Category with the same name in the database"_s;
const QString DeleteFailed =
    u"This record can't be deleted because there are records in the database, which refer to it"_s;
const QString Confirm = u"Are you sure you want to delete the selected record?"_s;

class MealCategoriesTest : public ::testing::Test {
protected:
    AppFixture fx{SeedContents::SchemaOnly};
    frmMealCategory editor{nullptr};
    frmMealCategories list{nullptr, editor};

    void sql(const QString& text) { fx.app->de().Con.execute(text); }
    QVariant scalar(const QString& text) { return fx.app->de().Con.scalar(text); }
    QStringList names() {
        QStringList result;
        for (int i = 1; i <= list.lvwList->rowCount(); ++i)
            result << list.lvwList->row(i)->text(0);
        return result;
    }
    void addCategories(const QStringList& categories) {
        for (const QString& name : categories)
            sql(u"insert into MealCategory (Name) values ('%1')"_s.arg(name));
    }
    // Opens the list and runs `whileOpen` inside it.
    void openList(const std::function<void()>& whileOpen) {
        fx.modal->expect([&](QDialog&) { whileOpen(); });
        fx.app->modal().exec(list);
    }
    // The editor's next showing: types `name` and presses OK, then runs `after` while it is still up.
    void expectEditor(const QString& name, const std::function<void(QDialog&)>& after = {}) {
        fx.modal->expect([name, after](QDialog& d) {
            auto* txtName = d.findChild<QLineEdit*>(u"txtName"_s);
            txtName->clear();
            QTest::keyClicks(txtName, name);
            d.findChild<QPushButton*>(u"btnOK"_s)->click();
            if (after)
                after(d);
        });
    }
};

TEST_F(MealCategoriesTest, DesignedCaptionsAndHelpNumbers) {
    EXPECT_EQ(list.windowTitle(), u"Meal Categories"_s);
    EXPECT_EQ(list.lvwList->headerItem()->text(0), u"Meal Category Name"_s);
    EXPECT_EQ(list.btnEdit->toolTip(), u"Apply changes"_s);
    EXPECT_EQ(list.helpContextId(), 18);
    EXPECT_EQ(editor.helpContextId(), 34);
    EXPECT_EQ(editor.txtName->maxLength(), 20);
}

TEST_F(MealCategoriesTest, EditAndDeleteOnAnEmptyListTouchNothing) {
    int statements = 0;
    sqlite3* db = fx.app->de().Con.handle();
    openList([&] {
        sqlite3_trace_v2(
            db, SQLITE_TRACE_STMT,
            [](unsigned, void* counter, void*, void*) {
                ++*static_cast<int*>(counter);
                return 0;
            },
            &statements);
        list.btnEdit->click();
        list.btnDelete->click();
        sqlite3_trace_v2(db, 0, nullptr, nullptr);
    });
    EXPECT_EQ(statements, 0);
    EXPECT_EQ(fx.messages->texts(), (std::vector<QString>{u"Nothing to edit"_s, u"Nothing to delete"_s}));
    EXPECT_EQ(fx.messages->shown[0].message.title, u"Error"_s);
    EXPECT_EQ(fx.messages->shown[1].message.icon, MessageIcon::Exclamation);
    EXPECT_EQ(fx.modal->opened, std::vector<QString>{u"frmMealCategories"_s}); // no editor
}

TEST_F(MealCategoriesTest, NewStoresTheNameAsTypedAndSelectsIt) {
    addCategories({u"Breads"_s, u"Soups"_s});
    openList([&] {
        expectEditor(u"   "_s, [](QDialog& d) { EXPECT_TRUE(d.isVisible()); });
        list.btnNew->click();
        expectEditor(u" Apples "_s);
        list.btnNew->setFocus();
        list.btnNew->click();
        EXPECT_EQ(list.focusWidget(), list.lvwList); // back on the list, as after every New and Edit
        EXPECT_EQ(names(), (QStringList{u" Apples "_s, u"Breads"_s, u"Soups"_s}));
        EXPECT_EQ(list.lvwList->selectedTag(),
                  scalar(u"select MealCategoryID from MealCategory where Name = ' Apples '"_s).toLongLong());
    });
    EXPECT_EQ(fx.messages->texts(), std::vector<QString>{NameMissing});
    EXPECT_EQ(scalar(u"select count(*) from MealCategory"_s).toInt(), 3);
}

TEST_F(MealCategoriesTest, NewCaptionAndEditPopulates) {
    addCategories({u"Breads"_s});
    openList([&] {
        fx.modal->expect([](QDialog& d) { EXPECT_EQ(d.windowTitle(), u"Meal Category - New"_s); });
        list.btnNew->click();
        list.lvwList->selectByText(u"Breads"_s);
        fx.modal->expect([](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), u"Meal Category"_s);
            EXPECT_EQ(d.findChild<QLineEdit*>(u"txtName"_s)->text(), u"Breads"_s);
        });
        list.btnEdit->click();
    });
    EXPECT_FALSE(editor.Saved);
}

TEST_F(MealCategoriesTest, DuplicateIsRefusedAndCancelLeavesTheTableUnchanged) {
    addCategories({u"Breads"_s});
    openList([&] {
        expectEditor(u"breads"_s, [](QDialog& d) {
            EXPECT_TRUE(d.isVisible());
            d.findChild<QPushButton*>(u"btnCancel"_s)->click();
        });
        list.btnNew->click();
    });
    EXPECT_EQ(fx.messages->texts(), std::vector<QString>{StoreFailed});
    EXPECT_FALSE(editor.Saved);
    EXPECT_EQ(scalar(u"select count(*) from MealCategory"_s).toInt(), 1);
    EXPECT_FALSE(fx.app->de().rs(u"MealCategory"_s).isOpen());
}

TEST_F(MealCategoriesTest, EditSelectsTheRenamedItemWhereverItMoved) {
    QStringList many;
    for (int i = 0; i < 40; ++i)
        many << u"B%1"_s.arg(i, 2, 10, QChar(u'0'));
    addCategories(many);
    list.resize(300, 150);
    openList([&] {
        list.lvwList->selectByText(u"B00"_s);
        expectEditor(u"Z last"_s);
        list.btnEdit->setFocus();
        list.btnEdit->click();
        EXPECT_EQ(list.focusWidget(), list.lvwList);
        EXPECT_EQ(list.lvwList->selectedRow()->text(0), u"Z last"_s);
        EXPECT_EQ(list.lvwList->selectedPosition(), 40);
        const QRect shown = list.lvwList->visualItemRect(list.lvwList->selectedRow());
        EXPECT_TRUE(list.lvwList->viewport()->rect().contains(shown));
    });
}

TEST_F(MealCategoriesTest, DeleteReselectsByPosition) {
    addCategories({u"A"_s, u"B"_s, u"C"_s});
    openList([&] {
        list.lvwList->selectByText(u"B"_s);
        list.btnDelete->click();
        EXPECT_EQ(list.lvwList->selectedRow()->text(0), u"C"_s);
        list.btnDelete->click(); // the last item
        EXPECT_EQ(list.lvwList->selectedRow()->text(0), u"A"_s);
        fx.messages->answer(MessageButton::No);
        list.btnDelete->click();
        EXPECT_EQ(names(), QStringList{u"A"_s});
        list.btnDelete->click();
        EXPECT_EQ(list.lvwList->rowCount(), 0);
        EXPECT_EQ(list.lvwList->selectedPosition(), 0);
    });
    EXPECT_EQ(fx.messages->last().title, u"Are you sure"_s);
    EXPECT_EQ(fx.messages->last().defaultButton, MessageButton::Yes);
    EXPECT_EQ(fx.messages->texts(), std::vector<QString>(4, Confirm));
}

TEST_F(MealCategoriesTest, CategoryWithMealsIsNotDeleted) {
    addCategories({u"Breads"_s});
    sql(u"insert into Meal (MealCategoryID, Name) select MealCategoryID, 'Toast' from MealCategory"_s);
    openList([&] {
        list.lvwList->selectByText(u"Breads"_s);
        list.btnDelete->setFocus();
        list.btnDelete->click();
        EXPECT_EQ(list.focusWidget(), list.lvwList);
        EXPECT_EQ(names(), QStringList{u"Breads"_s});
        EXPECT_EQ(list.lvwList->selectedPosition(), 1);
    });
    EXPECT_EQ(fx.messages->texts(), (std::vector<QString>{Confirm, DeleteFailed}));
    EXPECT_FALSE(fx.app->de().rs(u"MealCategory"_s).isOpen());
}

} // namespace
} // namespace kelvora::test
