#pragma once

#include "QuickFind.h"

#include <QFrame>
#include <QPointer>
#include <QStringList>

#include <vector>

class QLabel;
class QLineEdit;
class QModelIndex;
class QTreeView;

namespace kelvora {

class QuickFindModel;

// The drop-down of Find in a journal editor: a text field and, under it, the entries whose names hold
// what is typed, each with its category when it has one. Up and Down move through the list while the
// cursor stays in the text; Enter or a click chooses, Esc closes it and changes nothing. Either way
// the focus goes back where it was, unless the owner moves it on after a choice.
class QuickFindPopup : public QFrame {
    Q_OBJECT
public:
    struct Texts {
        QString fieldCaption; // the caption of the text field, and its name for screen readers
        QString listName;     // the list's name for screen readers
        QStringList columns;  // the list's headings: the name, then the category when there is one
        QString noMatch;      // shown when nothing matches
    };
    QuickFindPopup(QWidget* owner, const Texts& texts);
    ~QuickFindPopup() override;

    // Opens under `anchor` over `entries`, with an empty text that lists them all.
    void open(QWidget* anchor, std::vector<QuickFindEntry> entries);

    // The entries listed for the text typed, in the order shown.
    const std::vector<int>& matches() const { return m_matches; }

Q_SIGNALS:
    // The entry chosen, after the drop-down has closed.
    void chosen(const QuickFindEntry& entry);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void txtFind_Change(const QString& text);
    void choose(const QModelIndex& index);
    void moveCurrent(int steps);
    void placeUnder(QWidget* anchor);

    QLineEdit* txtFind;
    QTreeView* lvwMatches;
    QLabel* lblNoMatch;
    QuickFindModel* m_model;
    QuickFind m_find;
    std::vector<int> m_matches;
    QPointer<QWidget> m_returnFocus;
};

} // namespace kelvora
