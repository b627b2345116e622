#pragma once

class QWidget;

namespace kelvora {

// Asks whether to remove the sample journal rows that ship with the database (those with negative
// identifiers) and removes them on Yes, all four tables or none. True when it removed them, so the
// caller redraws; false when the user said No. A database failure rolls the removal back and
// propagates as DbError to the application's handler.
bool DeleteTrialData(QWidget* parent);

} // namespace kelvora
