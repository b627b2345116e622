#pragma once

#include <QStringList>
#include <QTreeWidget>

namespace kelvora {

// A list view in report style: one row per record, the first column its text, the others its
// sub-items, and a tag on every row that links it to its record (0 marks rows that are no record,
// such as blank and totals rows). Selection helpers follow what the list windows need.
class ReportList : public QTreeWidget {
    Q_OBJECT
public:
    explicit ReportList(QWidget* parent = nullptr);

    void setColumns(const QStringList& headers);
    // The column that takes the width the others leave over (the name of what a row is); -1 for
    // none, the spare width then staying at the right.
    void setStretchColumn(int column);
    // Columns whose cells read as numbers are aligned right.
    void setNumericColumns(const QList<int>& columns);

    QTreeWidgetItem* addRow(const QString& text, qint64 tag, const QStringList& subItems = {});
    void clearRows();

    int rowCount() const;
    QTreeWidgetItem* row(int position) const; // 1-based; nullptr outside the list
    static qint64 tagOf(const QTreeWidgetItem* item);

    QTreeWidgetItem* selectedRow() const;
    // 1-based position of the selected row, 0 when none is selected.
    int selectedPosition() const;
    // The tag of the selected row, 0 when none is selected.
    qint64 selectedTag() const;

    // Select the first row with the tag or whole text and scroll it into view; false when none matches.
    bool selectByTag(qint64 tag);
    bool selectByText(const QString& text);
    // After a delete: select the row at `position`, or the last row when the list got shorter;
    // nothing is scrolled. A position of 0 or an empty list selects nothing.
    void reselectPosition(int position);

    // Sizes every column to its longest text, the stretch column taking what is left over; runs by
    // itself once the event loop follows a filling.
    void fitColumns();

    // As wide as every column at its longest text, so that a window can open showing them all.
    QSize sizeHint() const override;

protected:
    bool viewportEvent(QEvent* event) override;

private:
    void selectAndShow(QTreeWidgetItem* item);
    void scheduleFit();
    int contentWidth(int column) const;
    void giveSpareWidth();

    QList<int> m_numericColumns;
    int m_stretchColumn = 0;
    bool m_fitPending = false;
};

} // namespace kelvora
