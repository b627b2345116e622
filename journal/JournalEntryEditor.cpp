#include "JournalEntryEditor.h"

#include "App.h"
#include "DbError.h"
#include "deData.h"
#include "frmMain.h"

using namespace Qt::StringLiterals;

namespace kelvora {

QString journalStoreFailure() {
    return u"Can't store this record in database. Please check whether all data are valid"_s;
}

JournalEntryEditor::JournalEntryEditor(QWidget* parent, int helpContextId, QString command, QString keyColumn)
    : KelvoraDialog(parent, helpContextId), m_command(std::move(command)), m_keyColumn(std::move(keyColumn)) {
}

void JournalEntryEditor::btnOK_Click() {
    if (!Validate())
        return;
    Recordset& record = app().de().rs(m_command);
    try {
        // Adding mode appends a row at every OK, whatever row it may have stored before.
        if (RecordID == 0 || Mode == 1)
            record.addNew();
        Gather();
        record.update();
    } catch (const DbError&) {
        if (record.isOpen() && record.hasPendingChange())
            record.cancelUpdate();
        app().messages().error(this, journalStoreFailure());
        return;
    }
    Saved = true;
    NewID = record.field(m_keyColumn).toInt();
    app().state().currentTime = DateValue::fromQTime(storedTime());
    if (Mode != 1) {
        accept();
        return;
    }
    clearForNextRow();
    if (repaintMainWindow)
        repaintMainWindow();
    else if (frmMain* main = app().mainWindow())
        main->RePaintGraph();
}

} // namespace kelvora
