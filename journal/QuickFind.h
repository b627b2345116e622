#pragma once

#include <QString>
#include <QStringView>
#include <QVariant>

#include <vector>

namespace kelvora {

class deData;

// One catalogue entry the journal editors' search can offer: a meal with its category, or an
// activity (no category).
struct QuickFindEntry {
    QVariant id;
    QString name;
    QVariant categoryId;
    QString category;
};

// The search behind Find in the journal editors. It keeps the entries in the order they are offered
// (the most recently used first, then by name) together with each name folded once, so that a
// keystroke costs one scan of short texts and no folding but the typed text's.
class QuickFind {
public:
    QuickFind() = default;
    explicit QuickFind(std::vector<QuickFindEntry> entries);

    const std::vector<QuickFindEntry>& entries() const { return m_entries; }

    // The positions in entries() of the names that hold `typed` anywhere, whatever the letter case
    // and the accents, in the order of entries(). Blank text matches every entry.
    void match(QStringView typed, std::vector<int>& positions) const;

    // A text as the search compares it: folded like catalogue names, then stripped of accents and of
    // the marks a letter may carry, so "Crème brûlée", "CREME BRULEE" and "creme brulee" are one.
    static QString searchKey(QStringView text);

private:
    std::vector<QuickFindEntry> m_entries;
    std::vector<QString> m_keys;
};

// Every meal with its category, the most recently eaten first (by the date and time it was last
// eaten), then by name; meals never eaten come last.
std::vector<QuickFindEntry> mealsToFind(deData& de);
// Every activity, the most recently performed first, then by name.
std::vector<QuickFindEntry> activitiesToFind(deData& de);

} // namespace kelvora
