#pragma once

#include "KelvoraDialog.h"

#include <functional>

namespace kelvora {

class Recordset;

// The editor half of the catalogue windows: one record of a table, opened for RecordID (0 for a new
// record). Callers set RecordID, show the dialog modally, then read Saved and, when it is true,
// SavedName, which keep their values after the dialog has closed.
class CatalogEditor : public KelvoraDialog {
    Q_OBJECT
public:
    bool Saved = false;
    QString SavedName;
    qint32 RecordID = 0;

protected:
    // `command` reads the one record of the table; `nameCheck` finds the other records whose name is
    // this one in another letter case or another composition of its accents.
    CatalogEditor(QWidget* parent, int helpContextId, QString caption, QString command, QString nameCheck,
                  QString storeFailure);

    // Fills the controls from the record (only called for an existing record).
    virtual void Populate(const Recordset& rs) = 0;
    // Anything else to reset at each showing, after Populate.
    virtual void afterLoad() {}

    // Appends a row for a new record, lets `gather` write the controls into it and stores it, unless
    // another record already has that name. A refusal or a failure cancels the change and shows the
    // store-failure message; the dialog then stays open. On success Saved and SavedName are set and
    // the dialog closes.
    void store(const std::function<void(Recordset&)>& gather, const QString& savedName);

    void load() final;
    void unload() final;

private:
    // Stores the gathered row in one transaction with the test of its name; false when the name is
    // taken, in which case nothing is stored and the change is cancelled.
    bool storeUnlessNameTaken(Recordset& rs, const std::function<void(Recordset&)>& gather);
    bool nameTaken(const QVariant& name);

    QString m_caption;
    QString m_command;
    QString m_nameCheck;
    QString m_storeFailure;
};

} // namespace kelvora
