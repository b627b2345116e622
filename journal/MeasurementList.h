#pragma once

#include "EditorCall.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QDateEdit;
class QPushButton;

namespace kelvora {

class Recordset;
class ReportList;

// One of the two lists of the measurements window: the records of one journal table from the
// window's date on, with New, Edit and Delete through the table's editor. Both lists behave alike
// and differ only in what this is made with.
class MeasurementList : public QObject {
    Q_OBJECT
public:
    // The texts of the item for the current row: the item's own text, then its further columns.
    using RowTexts = std::function<QStringList(const Recordset&)>;

    struct Definition {
        QString sortedCommand; // the rows from a first date on, in list order
        QString recordCommand; // one row by identifier, through which it is deleted
        QString keyColumn;
        RowTexts rowTexts;
        EditorCall editor;
    };

    // `window` is the window the list is shown in, the owner of this object and of the messages.
    MeasurementList(QWidget* window, ReportList* list, const QDateEdit* firstDate, Definition definition);

    // New, Edit and Delete run on these buttons' clicks; a double-click on an item edits it.
    void connectButtons(QPushButton* newButton, QPushButton* editButton, QPushButton* deleteButton);

    // Fills the list from the first date on and selects the item of `id` (0 selects nothing).
    void Refresh(qint32 id);
    void closeRecordsets();

    void New();
    void Edit();
    void Delete();

private:
    void openEditor(qint32 recordId);

    QWidget* m_window;
    ReportList* m_list;
    const QDateEdit* m_firstDate;
    Definition m_definition;
};

} // namespace kelvora
