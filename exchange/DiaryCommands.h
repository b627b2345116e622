#pragma once

#include <QDate>
#include <QString>

class QWidget;

namespace kelvora {

struct DiarySummary;

// The main window's commands on the diary as a whole. Both choose their file through the file
// dialogs and speak through the messages, over `parent`.

// Back Up Diary: a consistent copy of the open diary (SQLite's online backup, so the program keeps
// running), to a file the user chooses, owner-only, checked with integrity_check before it is
// announced.
void backUpDiary(QWidget* parent);

// Restore Diary: a file the user chooses replaces the open diary, once it has proved to be a sound
// Kelvora diary and the user has confirmed what it holds. The diary it replaces is copied into the
// safety copies first; the replacement is one transaction, so whatever fails before the end leaves
// the diary exactly as it was. Afterwards the data environment holds no rows of the old diary and
// the application state holds the restored parameters. True when the diary was replaced: the caller
// then redraws the day.
bool restoreDiary(QWidget* parent);

// The question before a restore, naming what the file holds.
QString restoreQuestion(const QString& path, const DiarySummary& summary);

// The file name the backup proposes for a copy made on `day`.
QString proposedBackupName(const QDate& day);

// Whether `path` names the open diary, by whatever path (links included): no command may write
// over it.
bool isOpenDiary(const QString& path);

// The user's documents folder, where the file dialogs of these commands start (the home folder
// when the system names none).
QString documentsFolder();

} // namespace kelvora
