#include "QuickFindPopup.h"

#include "FieldLabel.h"
#include "KelvoraDialog.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {
constexpr int ListedRows = 12;
constexpr int MinimumWidth = 420;
} // namespace

// The matches as the list shows them; it reads the popup's index and match list, which it is told
// of whenever they change, so a keystroke costs one reset and no copying of names.
class QuickFindModel final : public QAbstractTableModel {
public:
    QuickFindModel(QObject* parent, QStringList columns)
        : QAbstractTableModel(parent), m_columns(std::move(columns)) {}

    void show(const QuickFind* find, const std::vector<int>* matches) {
        beginResetModel();
        m_find = find;
        m_matches = matches;
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() || !m_matches ? 0 : static_cast<int>(m_matches->size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || role != Qt::DisplayRole || !m_matches)
            return {};
        const QuickFindEntry& entry = m_find->entries()[static_cast<std::size_t>((*m_matches)[index.row()])];
        return index.column() == 0 ? entry.name : entry.category;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section >= m_columns.size())
            return {};
        return m_columns[section];
    }

private:
    QStringList m_columns;
    const QuickFind* m_find = nullptr;
    const std::vector<int>* m_matches = nullptr;
};

QuickFindPopup::QuickFindPopup(QWidget* owner, const Texts& texts) : QFrame(owner, Qt::Popup) {
    setObjectName(u"QuickFindPopup"_s);
    setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    txtFind = new QLineEdit(this);
    txtFind->setObjectName(u"txtFind"_s);
    txtFind->setClearButtonEnabled(true);
    m_model = new QuickFindModel(this, texts.columns);
    lvwMatches = new QTreeView(this);
    lvwMatches->setObjectName(u"lvwMatches"_s);
    lvwMatches->setModel(m_model);
    lvwMatches->setRootIsDecorated(false);
    lvwMatches->setItemsExpandable(false);
    lvwMatches->setUniformRowHeights(true);
    lvwMatches->setAllColumnsShowFocus(true);
    lvwMatches->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvwMatches->setSelectionMode(QAbstractItemView::SingleSelection);
    lvwMatches->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvwMatches->header()->setStretchLastSection(true);
    lvwMatches->header()->setSectionsMovable(false);
    nameField(lvwMatches, texts.listName);
    lblNoMatch = new QLabel(texts.noMatch, this);
    lblNoMatch->setObjectName(u"lblNoMatch"_s);
    lblNoMatch->hide();

    auto* field = new QHBoxLayout;
    field->addWidget(fieldLabel(texts.fieldCaption, txtFind, this));
    field->addWidget(txtFind, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(field);
    layout->addWidget(lvwMatches, 1);
    layout->addWidget(lblNoMatch);
    setFocusProxy(txtFind);

    txtFind->installEventFilter(this);
    connect(txtFind, &QLineEdit::textChanged, this, &QuickFindPopup::txtFind_Change);
    connect(lvwMatches, &QTreeView::clicked, this, &QuickFindPopup::choose);
    connect(lvwMatches, &QTreeView::activated, this, &QuickFindPopup::choose);
}

QuickFindPopup::~QuickFindPopup() = default;

void QuickFindPopup::open(QWidget* anchor, std::vector<QuickFindEntry> entries) {
    m_returnFocus = QApplication::focusWidget();
    m_find = QuickFind(std::move(entries));
    {
        const QSignalBlocker quiet(txtFind);
        txtFind->clear();
    }
    txtFind_Change(QString());
    placeUnder(anchor);
    show();
    txtFind->setFocus(Qt::PopupFocusReason);
}

void QuickFindPopup::placeUnder(QWidget* anchor) {
    const int rowHeight = std::max(lvwMatches->sizeHintForRow(0), fontMetrics().height() + 4);
    lvwMatches->setMinimumHeight(rowHeight * ListedRows + lvwMatches->header()->sizeHint().height());
    adjustSize();
    QSize size = sizeHint().expandedTo(QSize(std::max(MinimumWidth, anchor->width()), 0));
    QPoint at = anchor->mapToGlobal(QPoint(0, anchor->height()));
    if (const QScreen* screen = anchor->screen()) {
        const QRect free = screen->availableGeometry();
        size = size.boundedTo(free.size());
        // Above the anchor when there is no room below it; wholly on the screen either way.
        if (at.y() + size.height() > free.bottom() + 1)
            at.setY(anchor->mapToGlobal(QPoint(0, 0)).y() - size.height());
        at.setX(std::clamp(at.x(), free.left(), std::max(free.left(), free.right() + 1 - size.width())));
        at.setY(std::clamp(at.y(), free.top(), std::max(free.top(), free.bottom() + 1 - size.height())));
    }
    setGeometry(QRect(at, size));
    // The names take the larger share; sizing the columns to their contents would measure every
    // entry at each keystroke.
    if (m_model->columnCount() > 1)
        lvwMatches->setColumnWidth(0, size.width() * 3 / 5);
}

void QuickFindPopup::txtFind_Change(const QString& text) {
    m_find.match(text, m_matches);
    m_model->show(&m_find, &m_matches);
    const bool any = !m_matches.empty();
    lblNoMatch->setVisible(!any);
    // Where the typing goes on, a screen reader hears that nothing matched.
    txtFind->setAccessibleDescription(any ? QString() : lblNoMatch->text());
    if (any)
        lvwMatches->setCurrentIndex(m_model->index(0, 0));
}

void QuickFindPopup::moveCurrent(int steps) {
    const int rows = m_model->rowCount();
    if (rows == 0)
        return;
    const int row = std::clamp(lvwMatches->currentIndex().row() + steps, 0, rows - 1);
    lvwMatches->setCurrentIndex(m_model->index(row, 0));
}

void QuickFindPopup::choose(const QModelIndex& index) {
    if (!isVisible() || !index.isValid())
        return;
    const QuickFindEntry entry = m_find.entries()[static_cast<std::size_t>(m_matches[index.row()])];
    hide();
    Q_EMIT chosen(entry);
}

bool QuickFindPopup::eventFilter(QObject* watched, QEvent* event) {
    if (watched != txtFind || event->type() != QEvent::KeyPress)
        return QFrame::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const int page = ListedRows - 1;
    switch (key->key()) {
    case Qt::Key_Down:
        moveCurrent(1);
        return true;
    case Qt::Key_Up:
        moveCurrent(-1);
        return true;
    case Qt::Key_PageDown:
        moveCurrent(page);
        return true;
    case Qt::Key_PageUp:
        moveCurrent(-page);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        choose(lvwMatches->currentIndex());
        return true;
    default:
        return QFrame::eventFilter(watched, event);
    }
}

void QuickFindPopup::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        event->accept();
        return;
    }
    // The drop-down is a window of its own; its help is the help of the window it belongs to.
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        showHelpFor(parentWidget());
        event->accept();
        return;
    }
    QFrame::keyPressEvent(event);
}

void QuickFindPopup::hideEvent(QHideEvent* event) {
    QFrame::hideEvent(event);
    if (m_returnFocus)
        m_returnFocus->setFocus(Qt::PopupFocusReason);
}

} // namespace kelvora
