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
    CatalogEditor(QWidget* parent, int helpContextId, QString caption, QString command, QString storeFailure);

    // Fills the controls from the record (only called for an existing record).
    virtual void Populate(const Recordset& rs) = 0;
    // Anything else to reset at each showing, after Populate.
    virtual void afterLoad() {}

    // Appends a row for a new record, lets `gather` write the controls into it and stores it. A
    // failure cancels the change and shows the store-failure message; the dialog then stays open.
    // On success Saved and SavedName are set and the dialog closes.
    void store(const std::function<void(Recordset&)>& gather, const QString& savedName);

    void load() final;
    void unload() final;

private:
    QString m_caption;
    QString m_command;
    QString m_storeFailure;
};

} // namespace kelvora
