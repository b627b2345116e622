#include "DayList.h"

#include "DateFields.h"
#include "FieldLabel.h"
#include "JournalListActions.h"
#include "ReportList.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kelvora {

DayList::DayList(EditorCall editor, QWidget* parent, int helpContextId, const QString& dateLabel,
                 const QStringList& columns, const QList<int>& numericColumns)
    : KelvoraDialog(parent, helpContextId), m_editor(std::move(editor)) {
    dtpDate = makeDatePicker(this, u"dtpDate"_s);
    lvwList = new ReportList(this);
    lvwList->setObjectName(u"lvwList"_s);
    lvwList->setColumns(columns);
    lvwList->setNumericColumns(numericColumns);
    const auto listButton = [this](const QString& name, const QString& caption, const QString& tooltip) {
        QPushButton* button = makeButton(name, caption);
        button->setToolTip(tooltip);
        button->setAutoDefault(false);
        return button;
    };
    btnNew = listButton(u"btnNew"_s, u"&New"_s, u"New record"_s);
    btnEdit = listButton(u"btnEdit"_s, u"&Edit"_s, u"Apply changes"_s);
    btnDelete = listButton(u"btnDelete"_s, u"&Delete"_s, u"Delete record"_s);
    btnHelp = makeButton(u"btnHelp"_s, u"&Help"_s);
    btnHelp->setAutoDefault(false);
    makeHelpButton(btnHelp);

    auto* dateRow = new QHBoxLayout;
    auto* label = fieldLabel(dateLabel, dtpDate, this);
    dateRow->addWidget(label);
    dateRow->addWidget(dtpDate);
    dateRow->addStretch();
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {btnNew, btnEdit, btnDelete})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(btnHelp);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(dateRow);
    layout->addWidget(lvwList, 1);
    layout->addLayout(buttons);
    resize(620, 420);

    connect(dtpDate, &QDateEdit::dateChanged, this, &DayList::dtpDate_Change);
    connect(btnNew, &QPushButton::clicked, this, &DayList::btnNew_Click);
    connect(btnEdit, &QPushButton::clicked, this, &DayList::btnEdit_Click);
    connect(lvwList, &QTreeWidget::itemDoubleClicked, this, &DayList::btnEdit_Click);
    connect(btnDelete, &QPushButton::clicked, this, &DayList::btnDelete_Click);
}

void DayList::RefreshList(qint32 id) {
    lvwList->clearRows();
    const QDate day = dtpDate->date();
    if (!day.isValid())
        return;
    fillRows(day);
    if (id != 0)
        lvwList->selectByTag(id);
}

void DayList::addTotals(int count, const QStringList& texts) {
    if (count <= 1)
        return;
    lvwList->addRow(QString(), 0);
    lvwList->addRow(QString(), 0, texts);
}

void DayList::dtpDate_Change() {
    app().state().currentDate = DateValue::fromQDate(dtpDate->date());
    RefreshList(0);
}

void DayList::btnNew_Click() {
    edit(0);
}

void DayList::btnEdit_Click() {
    if (const qint64 tag = selectedRecordOrSay(this, *lvwList))
        edit(static_cast<qint32>(tag));
    else
        lvwList->setFocus();
}

void DayList::edit(qint32 recordId) {
    if (const auto stored = m_editor(recordId))
        RefreshList(*stored);
    lvwList->setFocus();
}

void DayList::btnDelete_Click() {
    const qint64 tag = selectedRecordOrSay(this, *lvwList);
    confirmAndDelete(
        this, *lvwList, tag, [&] { deleteRecord(tag); }, [&] { RefreshList(0); },
        [&] { recoverFromDelete(); });
    lvwList->setFocus();
}

} // namespace kelvora
