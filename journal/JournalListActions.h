#pragma once

#include <QtGlobal>

#include <functional>

class QWidget;

namespace kelvora {

class ReportList;

// What the journal's lists share around Edit and Delete, with their texts.

// The tag of the selected record of `list`, or 0 after telling the user that none is selected; a
// blank or totals row is no record.
qint64 selectedRecordOrSay(QWidget* window, const ReportList& list);

// Asks whether to delete the record `tag`; on Yes runs `remove`, then `refill`, and selects the row
// at the deleted one's position. When the database refuses, `recover` undoes what `remove` left open
// and the user is told.
void confirmAndDelete(QWidget* window, ReportList& list, qint64 tag, const std::function<void()>& remove,
                      const std::function<void()>& refill, const std::function<void()>& recover);

} // namespace kelvora
