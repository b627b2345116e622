#pragma once

#include "AppFixture.h"
#include "deData.h"

#include <QDate>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace kelvora::test {

// A body row as stored.
struct BodyRow {
    int id;
    QDate date;
    double weight, breast, waist, hips;
    QString system;
    bool operator==(const BodyRow&) const = default;
};

struct NoteRow {
    int id;
    QDate from, to;
    QString text;
    bool operator==(const NoteRow&) const = default;
};

inline void PrintTo(const BodyRow& r, std::ostream* os) {
    *os << "{" << r.id << ", " << r.date.toString(Qt::ISODate).toStdString() << ", " << r.weight << ", "
        << r.breast << ", " << r.waist << ", " << r.hips << ", " << r.system.toStdString() << "}";
}

inline void PrintTo(const NoteRow& r, std::ostream* os) {
    *os << "{" << r.id << ", " << r.from.toString(Qt::ISODate).toStdString() << ", "
        << r.to.toString(Qt::ISODate).toStdString() << ", \"" << r.text.toStdString() << "\"}";
}

// A diary with the settings row and nothing else, on 6 December 2026, imperial, for the windows of
// body measurements and notes.
class JournalTest : public ::testing::Test {
protected:
    JournalTest() : fx(SeedContents::SchemaOnly) {}

    static double serial(QDate day) { return DateValue::fromQDate(day).serial(); }
    static QDate dec(int day) { return QDate(2026, 12, day); }

    void sql(const QString& text) { fx.app->de().Con.execute(text); }
    QVariant scalar(const QString& text) { return fx.app->de().Con.scalar(text); }

    void addBody(const BodyRow& r) {
        Statement insert(fx.app->de().Con, QStringLiteral("insert into Body (BodyId, DateMeasured, Weight, "
                                                          "Breast, Waist, Hips, Measurement) "
                                                          "values (?1, ?2, ?3, ?4, ?5, ?6, ?7)"));
        const QVariantList values{r.id, serial(r.date), r.weight, r.breast, r.waist, r.hips, r.system};
        for (int i = 0; i < values.size(); ++i)
            insert.bind(i + 1, values[i]);
        insert.step();
    }
    void addNote(int id, QDate from, QDate to, const QVariant& text) {
        Statement insert(fx.app->de().Con,
                         QStringLiteral("insert into UserNote (UserNoteId, DateFrom, DateTo, NoteText) "
                                        "values (?1, ?2, ?3, ?4)"));
        const QVariantList values{id, serial(from), serial(to), text};
        for (int i = 0; i < values.size(); ++i)
            insert.bind(i + 1, values[i]);
        insert.step();
    }

    std::vector<BodyRow> bodyRows() {
        Statement select(
            fx.app->de().Con,
            QStringLiteral("select BodyId, DateMeasured, Weight, Breast, Waist, Hips, Measurement "
                           "from Body order by DateMeasured"));
        std::vector<BodyRow> rows;
        while (select.step())
            rows.push_back({select.value(0).toInt(), DateValue(select.value(1).toDouble()).toQDate(),
                            select.value(2).toDouble(), select.value(3).toDouble(),
                            select.value(4).toDouble(), select.value(5).toDouble(),
                            select.value(6).toString()});
        return rows;
    }
    std::vector<NoteRow> noteRows() {
        Statement select(fx.app->de().Con, QStringLiteral("select UserNoteId, DateFrom, DateTo, NoteText "
                                                          "from UserNote order by DateFrom"));
        std::vector<NoteRow> rows;
        while (select.step())
            rows.push_back({select.value(0).toInt(), DateValue(select.value(1).toDouble()).toQDate(),
                            DateValue(select.value(2).toDouble()).toQDate(), select.value(3).toString()});
        return rows;
    }

    // Shows the dialog through the modal fake and runs `handler` while it is open.
    int show(QDialog& dialog, FakeModal::Handler handler) {
        fx.modal->expect(std::move(handler));
        return fx.app->modal().exec(dialog);
    }

    template <typename T> static T* child(QWidget& d, const QString& name) {
        T* found = d.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    // What a label or a text field of the window shows.
    static QString text(QWidget& d, const QString& name) {
        if (auto* label = d.findChild<QLabel*>(name))
            return label->text();
        return child<QLineEdit>(d, name)->text();
    }
    static void click(QWidget& d, const QString& name) {
        QTest::mouseClick(child<QPushButton>(d, name), Qt::LeftButton);
    }
    static void type(QWidget& d, const QString& name, const QString& text) {
        QLineEdit* field = child<QLineEdit>(d, name);
        field->clear();
        QTest::keyClicks(field, text);
    }

    void expectMessage(const QString& title, const QString& text, MessageIcon icon) {
        ASSERT_FALSE(fx.messages->shown.empty());
        const Message& m = fx.messages->last();
        EXPECT_EQ(m.title, title);
        EXPECT_EQ(m.text, text);
        EXPECT_EQ(m.icon, icon);
    }
    void expectError(const QString& text) {
        expectMessage(QStringLiteral("Error"), text, MessageIcon::Exclamation);
    }

    AppFixture fx;
};

} // namespace kelvora::test
