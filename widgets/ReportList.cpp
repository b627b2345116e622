#include "ReportList.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>

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
    // Columns are as wide as their texts; the name column, not the last one, takes what is left
    // over, so the figures stay beside each other.
    header()->setStretchLastSection(false);
}

void ReportList::setStretchColumn(int column) {
    m_stretchColumn = column;
    giveSpareWidth();
}

void ReportList::setColumns(const QStringList& headers) {
    setColumnCount(static_cast<int>(headers.size()));
    setHeaderLabels(headers);
    scheduleFit();
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
    scheduleFit();
    return item;
}

void ReportList::scheduleFit() {
    // A list is filled row by row; its columns are fitted to the texts once the filling is over.
    if (!m_fitPending) {
        m_fitPending = true;
        QMetaObject::invokeMethod(this, &ReportList::fitColumns, Qt::QueuedConnection);
    }
}

void ReportList::fitColumns() {
    m_fitPending = false;
    for (int column = 0; column < columnCount(); ++column)
        setColumnWidth(column, contentWidth(column));
    giveSpareWidth();
}

int ReportList::contentWidth(int column) const {
    return std::max(header()->sectionSizeHint(column), sizeHintForColumn(column));
}

void ReportList::giveSpareWidth() {
    if (m_stretchColumn < 0 || m_stretchColumn >= columnCount())
        return;
    int others = 0;
    for (int column = 0; column < columnCount(); ++column) {
        if (column != m_stretchColumn)
            others += columnWidth(column);
    }
    setColumnWidth(m_stretchColumn, std::max(contentWidth(m_stretchColumn), viewport()->width() - others));
}

QSize ReportList::sizeHint() const {
    int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < columnCount(); ++column)
        width += contentWidth(column);
    return {std::max(width, QTreeWidget::sizeHint().width()), QTreeWidget::sizeHint().height()};
}

bool ReportList::viewportEvent(QEvent* event) {
    const bool handled = QTreeWidget::viewportEvent(event);
    // The view's width changes with the window and with its vertical scroll bar coming and going.
    if (event->type() == QEvent::Resize)
        giveSpareWidth();
    return handled;
}

void ReportList::clearRows() {
    clear();
    // A list left empty fits its headers.
    scheduleFit();
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
