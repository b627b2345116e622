#include "CatalogEditor.h"

#include "App.h"
#include "DbError.h"
#include "DiaryMessages.h"
#include "deData.h"

using namespace Qt::StringLiterals;

namespace kelvora {

CatalogEditor::CatalogEditor(QWidget* parent, int helpContextId, QString caption, QString command,
                             QString nameCheck, QString storeFailure)
    : KelvoraDialog(parent, helpContextId), m_caption(std::move(caption)), m_command(std::move(command)),
      m_nameCheck(std::move(nameCheck)), m_storeFailure(std::move(storeFailure)) {
    setWindowTitle(m_caption);
}

void CatalogEditor::load() {
    Saved = false;
    SavedName.clear();
    setWindowTitle(RecordID == 0 ? m_caption + u" - New"_s : m_caption);
    Recordset& rs = app().de().run(m_command, {RecordID});
    if (RecordID != 0 && !rs.eof())
        Populate(rs);
    afterLoad();
}

void CatalogEditor::unload() {
    Recordset& rs = app().de().rs(m_command);
    if (rs.isOpen())
        rs.close();
}

void CatalogEditor::store(const std::function<void(Recordset&)>& gather, const QString& savedName) {
    Recordset& rs = app().de().rs(m_command);
    try {
        if (!storeUnlessNameTaken(rs, gather)) {
            app().messages().error(this, m_storeFailure);
            return;
        }
    } catch (const DbError& error) {
        if (rs.hasPendingChange())
            rs.cancelUpdate();
        app().messages().error(this, storeFailureText(error, m_storeFailure));
        return;
    }
    Saved = true;
    SavedName = savedName;
    accept();
}

bool CatalogEditor::storeUnlessNameTaken(Recordset& rs, const std::function<void(Recordset&)>& gather) {
    // The test and the store are one transaction, so that no other writer of the file can slip the
    // same name in between.
    Transaction transaction(app().de().Con);
    if (!rs.isOpen())
        rs.open({RecordID});
    if (RecordID == 0)
        rs.addNew();
    gather(rs);
    if (nameTaken(rs.field(u"Name"_s))) {
        rs.cancelUpdate();
        return false;
    }
    rs.update();
    transaction.commit();
    return true;
}

bool CatalogEditor::nameTaken(const QVariant& name) {
    Recordset& check = app().de().run(m_nameCheck, {name, RecordID});
    const bool taken = !check.eof();
    check.close();
    return taken;
}

} // namespace kelvora
