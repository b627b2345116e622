#include "CatalogueNames.h"

#include <QCollator>
#include <QLocale>

#include <sqlite3.h>

#include <memory>
#include <optional>

namespace kelvora {

namespace {

// The order of the language the program runs in. It follows QLocale() from one comparison to the
// next, so a locale set while the connection is open orders the next query; nothing keeps an order
// made under another locale (no index uses the collation).
class NameOrder {
public:
    int compare(QStringView a, QStringView b) {
        follow(QLocale());
        if (const int byLetters = m_ignoringCase.compare(a, b))
            return byLetters;
        return m_byCase.compare(a, b);
    }

private:
    void follow(const QLocale& locale) {
        if (m_locale == locale)
            return;
        m_locale = locale;
        m_ignoringCase = QCollator(locale);
        m_ignoringCase.setCaseSensitivity(Qt::CaseInsensitive);
        m_byCase = QCollator(locale);
    }

    std::optional<QLocale> m_locale;
    QCollator m_ignoringCase;
    QCollator m_byCase;
};

QStringView utf16(const void* text, int bytes) {
    return {static_cast<const char16_t*>(text), bytes / static_cast<int>(sizeof(char16_t))};
}

int compareNames(void* order, int bytesA, const void* a, int bytesB, const void* b) {
    return static_cast<NameOrder*>(order)->compare(utf16(a, bytesA), utf16(b, bytesB));
}

void forgetOrder(void* order) {
    delete static_cast<NameOrder*>(order);
}

void sqlFoldedName(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const void* text = sqlite3_value_text16(argv[0]);
    const QString folded = foldedName(utf16(text, sqlite3_value_bytes16(argv[0])));
    sqlite3_result_text16(context, folded.utf16(), static_cast<int>(folded.size() * sizeof(char16_t)),
                          SQLITE_TRANSIENT);
}

} // namespace

QString foldedName(QStringView name) {
    // Unicode's canonical caseless match: decomposed before folding, so that a letter typed as one
    // character folds like the same letter typed as a base and a combining mark.
    return name.toString()
        .normalized(QString::NormalizationForm_D)
        .toCaseFolded()
        .normalized(QString::NormalizationForm_C);
}

void registerNameFunctions(sqlite3* db) {
    // The connection owns the order from here on and forgets it when it closes; a registration that
    // fails leaves it to us.
    auto order = std::make_unique<NameOrder>();
    if (sqlite3_create_collation_v2(db, "KelvoraName", SQLITE_UTF16_ALIGNED, order.get(), compareNames,
                                    forgetOrder) == SQLITE_OK)
        order.release();
    sqlite3_create_function(db, "FoldedName", 1, SQLITE_UTF16 | SQLITE_DETERMINISTIC, nullptr, sqlFoldedName,
                            nullptr, nullptr);
}

} // namespace kelvora
