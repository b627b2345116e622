#pragma once

#include <QString>
#include <QStringView>

struct sqlite3;

namespace kelvora {

// Catalogue names as their users read them: in the order of the user's language, and one name
// whatever its letter case or however an accented letter was typed.

// What two names have in common when they differ only in letter case or in how an accented letter
// is composed: "Äpfel", "ÄPFEL" and "A" + combining diaeresis + "pfel" fold to one text.
QString foldedName(QStringView name);

// Registers on a connection the collation KelvoraName, the order of the language of QLocale() with
// letter case deciding only between names that are otherwise equal, and the function
// FoldedName(text). Only the commands' queries use them, never the schema: the diary stays a file
// any SQLite tool reads and writes.
void registerNameFunctions(sqlite3* db);

} // namespace kelvora
