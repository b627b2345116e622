#include "MeasurementList.h"

#include "JournalListActions.h"
#include "ReportList.h"
#include "deData.h"

#include <QDateEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace kelvora {

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
    if (const qint64 tag = selectedRecordOrSay(m_window, *m_list))
        openEditor(static_cast<qint32>(tag));
}

void MeasurementList::openEditor(qint32 recordId) {
    if (const auto stored = m_definition.editor(recordId))
        Refresh(*stored);
    m_list->setFocus();
}

void MeasurementList::Delete() {
    const qint64 tag = selectedRecordOrSay(m_window, *m_list);
    Recordset& record = app().de().rs(m_definition.recordCommand);
    const auto remove = [&] {
        app().de().run(m_definition.recordCommand, {tag});
        record.deleteCurrent();
        record.close();
    };
    const auto recover = [&] {
        if (record.isOpen()) {
            if (record.hasPendingChange())
                record.cancelUpdate();
            record.close();
        }
    };
    confirmAndDelete(
        m_window, *m_list, tag, remove, [this] { Refresh(0); }, recover);
    m_list->setFocus();
}

} // namespace kelvora
