#pragma once

#include "DateValue.h"

#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

namespace kelvora {

class Connection;
class deData;

// The first column of every row of `sql`.
std::vector<QVariant> column(Connection& con, const QString& sql);

// The long diaries the benchmarks measure against: the shipped catalogue with, in place of the
// sample, one day after another from `first` to `last` of about six meals and one activity, a body
// measurement every second day and a note a month. Every diary is filled by the same seeded
// sequence, so a short diary's days equal the last days of a long one ending on the same day.
void fillDiary(deData& de, DateValue first, DateValue last);

// Builds such a diary as the database file `path`, with the first start already behind it, and
// returns it open.
std::unique_ptr<deData> makeDiary(const QString& path, DateValue first, DateValue last);

} // namespace kelvora
