#include "CatalogEditor.h"

#include "App.h"
#include "DbError.h"
#include "DiaryMessages.h"
#include "deData.h"

using namespace Qt::StringLiterals;

namespace kelvora {

CatalogEditor::CatalogEditor(QWidget* parent, int helpContextId, QString caption, QString command,
                             QString storeFailure)
    : KelvoraDialog(parent, helpContextId), m_caption(std::move(caption)), m_command(std::move(command)),
      m_storeFailure(std::move(storeFailure)) {
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
        if (!rs.isOpen())
            rs.open({RecordID});
        if (RecordID == 0)
            rs.addNew();
        gather(rs);
        rs.update();
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

} // namespace kelvora
