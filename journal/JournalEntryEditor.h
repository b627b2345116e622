#pragma once

#include "KelvoraDialog.h"
#include "QuickFindPopup.h"

#include <QString>
#include <QTime>

#include <functional>
#include <vector>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kelvora {

class UpDown;
class deData;

// What every journal editor says when the database refuses to store its row.
QString journalStoreFailure();

// The base of the editors of the day journal (meals eaten, activities performed): the members their
// openers set and read, and the OK path they share. In adding mode (Mode 1) the editor stays open
// after each stored row, clears itself for the next one and has the main window redraw the day.
class JournalEntryEditor : public KelvoraDialog {
    Q_OBJECT
public:
    bool Saved = false;  // out: a row was stored since the dialog loaded
    qint32 NewID = 0;    // out: the identifier of the row stored last
    qint32 RecordID = 0; // in: the row to edit, 0 for a new one
    qint32 Mode = 0;     // in: 1 = adding mode, 0 = one row

    // The redraw of the main window after each row stored in adding mode; by default the main
    // window's RePaintGraph, when there is a main window.
    std::function<void()> repaintMainWindow;

protected:
    // `command` is the single-row command of the table, `keyColumn` its identifier column.
    JournalEntryEditor(QWidget* parent, int helpContextId, QString command, QString keyColumn);

    virtual bool Validate() = 0;
    // Whether OK stores a new row rather than changing the row being edited.
    virtual bool appendsRow() const { return RecordID == 0; }
    // Sets the columns of the current row of the command's recordset; a new row takes its identifier here.
    virtual void Gather() = 0;
    // The start of every showing: the caption (with " - New" for a new row or adding mode), the
    // results reset, and OK and Cancel captioned and pictured for one row or for adding mode.
    void startLoad(const QString& caption);
    // A sunken, right-aligned box for a computed figure.
    QLabel* makeValueLabel(const QString& name);

    // The time of day of the stored row, which the next editor proposes.
    virtual QTime storedTime() const = 0;
    // Empties the fields for the next row of adding mode.
    virtual void clearForNextRow() = 0;

    void btnOK_Click();

    // Find: the button btnFind (for the subclass to place), Ctrl+F from anywhere in the window, and
    // the drop-down that opens under `anchor` over what `entries` reads from the diary at that moment.
    // The entry chosen goes to findChosen().
    void makeFind(const QString& toolTip, const QuickFindPopup::Texts& texts, QWidget* anchor,
                  std::function<std::vector<QuickFindEntry>(deData&)> entries);
    virtual void findChosen(const QuickFindEntry& entry) = 0;
    void btnFind_Click();
    QPushButton* btnFind = nullptr;
    QuickFindPopup* findPopup = nullptr;

    // The controls both editors have, made here: the quantity with its spin buttons and unit, the
    // total kilocalories, and the OK/Cancel/Help row for the subclass's layout.
    QLineEdit* txtQty;
    UpDown* updSpin;
    QLabel* lblUnit;
    QLabel* lblCalories;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QPushButton* btnHelp;
    QHBoxLayout* buttonRow;

private:
    QString m_command;
    QString m_keyColumn;
    QWidget* m_findAnchor = nullptr;
    std::function<std::vector<QuickFindEntry>(deData&)> m_findEntries;
};

} // namespace kelvora
