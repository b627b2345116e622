#pragma once

#include "DateValue.h"

namespace kelvora {

class deData;

// The span of days that holds any diary data within a period, as the coverage check finds it.
struct DataRange {
    DateValue minDt;
    DateValue maxDt;
};

// True when the data of dateFrom..dateTo span at least 30% of the period. `range` receives the
// span of the data, or the period itself when it holds none.
bool coverageCheck(deData& de, DateValue dateFrom, DateValue dateTo, DataRange& range);

// True when every day of the range has meals or activities and no body measurement of the range
// stands more than three days from another one.
bool contiguityCheck(deData& de, const DataRange& range);

} // namespace kelvora
