#pragma once

#include <QString>

class QWidget;

namespace kelvora {

// What every command that writes a file of the user's choosing shares, so that all of them ask
// and report alike.

// Asks before an existing file is replaced, No being the default. True when no file is in the way
// or the user answered Yes.
bool confirmReplace(QWidget* parent, const QString& path);

// The "Error" text for a file that could not be written; `path` is named as the user knows it.
QString writeFailureText(const QString& path);

} // namespace kelvora
