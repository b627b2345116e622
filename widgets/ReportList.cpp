#include "ReportList.h"

#include <QHeaderView>

#include <algorithm>

namespace kelvora {

namespace {
constexpr int TagRole = Qt::UserRole;
}

ReportList::ReportList(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The last column takes the width left over, so a one-column list spans the whole view.
    header()->setStretchLastSection(true);
}

void ReportList::setColumns(const QStringList& headers) {
    setColumnCount(static_cast<int>(headers.size()));
    setHeaderLabels(headers);
}

void ReportList::setNumericColumns(const QList<int>& columns) {
    m_numericColumns = columns;
    for (const int column : columns)
        headerItem()->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
}

QTreeWidgetItem* ReportList::addRow(const QString& text, qint64 tag, const QStringList& subItems) {
    auto* item = new QTreeWidgetItem(this);
    item->setText(0, text);
    item->setData(0, TagRole, tag);
    for (int i = 0; i < subItems.size(); ++i)
        item->setText(i + 1, subItems[i]);
    for (const int column : std::as_const(m_numericColumns))
        item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    // A list is filled row by row; its columns are fitted to the texts once the filling is over.
    if (!m_fitPending) {
        m_fitPending = true;
        QMetaObject::invokeMethod(this, &ReportList::fitColumns, Qt::QueuedConnection);
    }
    return item;
}

void ReportList::fitColumns() {
    m_fitPending = false;
    for (int column = 0; column < columnCount(); ++column)
        resizeColumnToContents(column);
}

void ReportList::clearRows() {
    clear();
}

int ReportList::rowCount() const {
    return topLevelItemCount();
}

QTreeWidgetItem* ReportList::row(int position) const {
    return position >= 1 && position <= rowCount() ? topLevelItem(position - 1) : nullptr;
}

qint64 ReportList::tagOf(const QTreeWidgetItem* item) {
    return item ? item->data(0, TagRole).toLongLong() : 0;
}

QTreeWidgetItem* ReportList::selectedRow() const {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

int ReportList::selectedPosition() const {
    QTreeWidgetItem* item = selectedRow();
    return item ? indexOfTopLevelItem(item) + 1 : 0;
}

qint64 ReportList::selectedTag() const {
    return tagOf(selectedRow());
}

bool ReportList::selectByTag(qint64 tag) {
    for (int i = 0; i < rowCount(); ++i) {
        if (tagOf(topLevelItem(i)) == tag) {
            selectAndShow(topLevelItem(i));
            return true;
        }
    }
    return false;
}

bool ReportList::selectByText(const QString& text) {
    for (int i = 0; i < rowCount(); ++i) {
        if (topLevelItem(i)->text(0) == text) {
            selectAndShow(topLevelItem(i));
            return true;
        }
    }
    return false;
}

void ReportList::reselectPosition(int position) {
    position = std::min(position, rowCount());
    if (position <= 0)
        return;
    // A visible view scrolls to every new current item while auto-scroll is on; after a delete the
    // refilled list is meant to stay where it is.
    const bool autoScrolled = hasAutoScroll();
    setAutoScroll(false);
    setCurrentItem(row(position));
    setAutoScroll(autoScrolled);
}

void ReportList::selectAndShow(QTreeWidgetItem* item) {
    setCurrentItem(item);
    scrollToItem(item);
}

} // namespace kelvora
