#include "CatalogList.h"

#include "App.h"
#include "CatalogEditor.h"
#include "DbError.h"
#include "DiaryMessages.h"
#include "FieldLabel.h"
#include "ReportList.h"
#include "deData.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kelvora {

CatalogList::CatalogList(QWidget* parent, Config config, CatalogEditor& editor)
    : KelvoraDialog(parent, config.helpContextId), m_config(std::move(config)), m_editor(editor) {
    setObjectName(m_config.objectName);
    setWindowTitle(m_config.caption);

    lvwList = new ReportList(this);
    lvwList->setObjectName(u"lvwList"_s);
    lvwList->setColumns(m_config.headers);
    lvwList->setNumericColumns(m_config.numericColumns);
    nameField(lvwList, m_config.caption);

    btnNew = makeButton(u"btnNew"_s, u"&New"_s);
    btnNew->setToolTip(u"New record"_s);
    btnEdit = makeButton(u"btnEdit"_s, u"&Edit"_s);
    btnEdit->setToolTip(u"Apply changes"_s);
    btnDelete = makeButton(u"btnDelete"_s, u"&Delete"_s);
    btnDelete->setToolTip(u"Delete record"_s);
    btnHelp = makeButton(u"btnHelp"_s, u"&Help"_s);
    btnHelp->setToolTip(u"Help"_s);
    makeHelpButton(btnHelp);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {btnNew, btnEdit, btnDelete, btnHelp}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    m_top = new QVBoxLayout;
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_top);
    layout->addWidget(lvwList);
    layout->addLayout(buttons);
    resize(420, 360);

    connect(btnNew, &QPushButton::clicked, this, &CatalogList::onNew);
    connect(btnEdit, &QPushButton::clicked, this, &CatalogList::onEdit);
    connect(lvwList, &QTreeWidget::itemDoubleClicked, this, &CatalogList::onEdit);
    connect(btnDelete, &QPushButton::clicked, this, &CatalogList::onDelete);
}

void CatalogList::load() {
    RefreshList(QString());
}

void CatalogList::addItem(const Recordset& rs) {
    lvwList->addRow(rs.field(u"Name"_s).toString(), rs.field(m_config.singleCommand + u"ID"_s).toLongLong());
}

void CatalogList::RefreshList(const QString& name) {
    lvwList->clearRows();
    if (!canList())
        return;
    Recordset& rs = app().de().run(m_config.listCommand, listParams());
    while (!rs.eof()) {
        addItem(rs);
        rs.moveNext();
    }
    rs.close();
    if (!name.isEmpty())
        lvwList->selectByText(name);
}

bool CatalogList::refuses(Refusal refusal) const {
    // A list with items but none selected is refused too: the editor and the delete need a record.
    return refusal == Refusal::ListEmpty ? lvwList->rowCount() == 0 || lvwList->selectedTag() == 0
                                         : lvwList->selectedTag() == 0;
}

void CatalogList::onNew() {
    QString savedName;
    if (runEditor(0, savedName))
        RefreshList(savedName);
    lvwList->setFocus();
}

void CatalogList::onEdit() {
    if (refuses(m_config.editRefusal)) {
        app().messages().error(this, u"Nothing to edit"_s);
        return;
    }
    QString savedName;
    if (runEditor(static_cast<qint32>(lvwList->selectedTag()), savedName))
        RefreshList(savedName);
    lvwList->setFocus();
}

void CatalogList::onDelete() {
    if (refuses(m_config.deleteRefusal)) {
        app().messages().error(this, u"Nothing to delete"_s);
    } else if (app().messages().ask(this, u"Are you sure"_s,
                                    u"Are you sure you want to delete the selected record?"_s,
                                    MessageButton::Yes)) {
        int position = lvwList->selectedPosition();
        const qint64 id = lvwList->selectedTag();
        Recordset& rs = app().de().rs(m_config.singleCommand);
        try {
            if (rs.isOpen())
                rs.close();
            rs.open({id});
            rs.deleteCurrent();
            rs.close();
        } catch (const DbError& error) {
            if (rs.hasPendingChange())
                rs.cancelUpdate();
            if (rs.isOpen())
                rs.close();
            app().messages().error(
                this,
                storeFailureText(error, u"This record can't be deleted because there are records in the "
                                        "database, which refer to it"_s));
            lvwList->setFocus();
            return;
        }
        RefreshList(QString());
        lvwList->reselectPosition(position);
    }
    lvwList->setFocus();
}

bool CatalogList::runEditor(qint32 recordId, QString& savedName) {
    m_editor.RecordID = recordId;
    app().modal().exec(m_editor);
    if (!m_editor.Saved)
        return false;
    savedName = m_editor.SavedName;
    return true;
}

} // namespace kelvora
