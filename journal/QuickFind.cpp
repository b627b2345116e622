#include "QuickFind.h"

#include "CatalogueNames.h"
#include "deData.h"

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

// Letters that Unicode does not decompose into a base letter and a mark, but that a user typing
// without them writes as these.
QStringView plainLetters(QChar letter) {
    switch (letter.unicode()) {
    case u'ø':
        return u"o";
    case u'æ':
        return u"ae";
    case u'œ':
        return u"oe";
    case u'ł':
        return u"l";
    case u'đ':
    case u'ð':
        return u"d";
    case u'ı':
        return u"i";
    case u'þ':
        return u"th";
    default:
        return {};
    }
}

} // namespace

QuickFind::QuickFind(std::vector<QuickFindEntry> entries) : m_entries(std::move(entries)) {
    m_keys.reserve(m_entries.size());
    for (const QuickFindEntry& entry : m_entries)
        m_keys.push_back(searchKey(entry.name));
}

QString QuickFind::searchKey(QStringView text) {
    const QString decomposed = foldedName(text).normalized(QString::NormalizationForm_D);
    QString key;
    key.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.isMark())
            continue;
        if (const QStringView plain = plainLetters(c); !plain.isEmpty())
            key += plain;
        else
            key += c;
    }
    return key;
}

void QuickFind::match(QStringView typed, std::vector<int>& positions) const {
    positions.clear();
    const QString wanted = searchKey(typed.trimmed());
    for (std::size_t i = 0; i < m_keys.size(); ++i) {
        if (wanted.isEmpty() || m_keys[i].contains(wanted))
            positions.push_back(static_cast<int>(i));
    }
}

std::vector<QuickFindEntry> mealsToFind(deData& de) {
    std::vector<QuickFindEntry> entries;
    Recordset& rows = de.run(u"MealFindList"_s);
    for (; !rows.eof(); rows.moveNext())
        entries.push_back({rows.field(u"MealID"_s), rows.field(u"Name"_s).toString(),
                           rows.field(u"MealCategoryID"_s), rows.field(u"CategoryName"_s).toString()});
    rows.close();
    return entries;
}

std::vector<QuickFindEntry> activitiesToFind(deData& de) {
    std::vector<QuickFindEntry> entries;
    Recordset& rows = de.run(u"ExerciseFindList"_s);
    for (; !rows.eof(); rows.moveNext())
        entries.push_back(
            {rows.field(u"ExerciseID"_s), rows.field(u"Name"_s).toString(), QVariant(), QString()});
    rows.close();
    return entries;
}

} // namespace kelvora
