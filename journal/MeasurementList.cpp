#include "MeasurementList.h"

#include "ReportList.h"
#include "deData.h"

#include <QDateEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

const QString NothingSelected = u"No record selected"_s;
const QString ConfirmDelete = u"Are you sure you want to delete the selected record?"_s;
const QString DeleteFailed = u"This record can't be deleted from database"_s;

} // namespace

MeasurementList::MeasurementList(QWidget* window, ReportList* list, const QDateEdit* firstDate,
                                 Definition definition)
    : QObject(window), m_window(window), m_list(list), m_firstDate(firstDate),
      m_definition(std::move(definition)) {
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &MeasurementList::Edit);
}

void MeasurementList::connectButtons(QPushButton* newButton, QPushButton* editButton,
                                     QPushButton* deleteButton) {
    connect(newButton, &QPushButton::clicked, this, &MeasurementList::New);
    connect(editButton, &QPushButton::clicked, this, &MeasurementList::Edit);
    connect(deleteButton, &QPushButton::clicked, this, &MeasurementList::Delete);
}

void MeasurementList::Refresh(qint32 id) {
    m_list->clearRows();
    const QDate firstDate = m_firstDate->date();
    if (!firstDate.isValid())
        return;
    Recordset& rows = app().de().run(m_definition.sortedCommand, {firstDate});
    for (; !rows.eof(); rows.moveNext()) {
        const QStringList texts = m_definition.rowTexts(rows);
        m_list->addRow(texts.value(0), rows.field(m_definition.keyColumn).toLongLong(), texts.mid(1));
    }
    rows.close();
    if (id != 0)
        m_list->selectByTag(id);
}

void MeasurementList::closeRecordsets() {
    app().de().closeIfOpen(m_definition.sortedCommand);
}

void MeasurementList::New() {
    openEditor(0);
}

void MeasurementList::Edit() {
    if (!m_list->selectedRow()) {
        app().messages().error(m_window, NothingSelected);
        return;
    }
    openEditor(static_cast<qint32>(m_list->selectedTag()));
}

void MeasurementList::openEditor(qint32 recordId) {
    if (const auto stored = m_definition.editor(recordId))
        Refresh(*stored);
    m_list->setFocus();
}

void MeasurementList::Delete() {
    if (!m_list->selectedRow())
        app().messages().error(m_window, NothingSelected);
    else if (app().messages().ask(m_window, u"Are you sure"_s, ConfirmDelete, MessageButton::Yes))
        deleteSelected();
    m_list->setFocus();
}

void MeasurementList::deleteSelected() {
    const int position = m_list->selectedPosition();
    Recordset& record = app().de().rs(m_definition.recordCommand);
    try {
        app().de().run(m_definition.recordCommand, {m_list->selectedTag()});
        record.deleteCurrent();
        record.close();
        Refresh(0);
        m_list->reselectPosition(position);
    } catch (const DbError&) {
        if (record.isOpen()) {
            if (record.hasPendingChange())
                record.cancelUpdate();
            record.close();
        }
        app().messages().error(m_window, DeleteFailed);
    }
}

} // namespace kelvora
