#include "JournalEntryEditor.h"

#include "App.h"
#include "DayView.h"
#include "DbError.h"
#include "DiaryMessages.h"
#include "UpDown.h"
#include "ValueBox.h"
#include "deData.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {
constexpr int MaxQuantityLength = 50;
}

QString journalStoreFailure() {
    return u"Can't store this record in database. Please check whether all data are valid"_s;
}

JournalEntryEditor::JournalEntryEditor(QWidget* parent, int helpContextId, QString command, QString keyColumn)
    : KelvoraDialog(parent, helpContextId), m_command(std::move(command)), m_keyColumn(std::move(keyColumn)) {
    txtQty = new QLineEdit(this);
    txtQty->setObjectName(u"txtQty"_s);
    txtQty->setMaxLength(MaxQuantityLength);
    updSpin = new UpDown(this, u"updSpin"_s);
    lblUnit = new QLabel(this);
    lblUnit->setObjectName(u"lblUnit"_s);
    lblCalories = makeValueLabel(u"lblCalories"_s);
    const EditorButtons buttons = makeEditorButtons();
    btnOK = buttons.ok;
    btnCancel = buttons.cancel;
    btnHelp = buttons.help;
    buttonRow = buttons.row;
    connect(btnOK, &QPushButton::clicked, this, &JournalEntryEditor::btnOK_Click);
}

QLabel* JournalEntryEditor::makeValueLabel(const QString& name) {
    auto* box = new ValueBox(this, name);
    box->setMinimumWidth(60);
    return box;
}

void JournalEntryEditor::startLoad(const QString& caption) {
    const bool adding = Mode == 1;
    setWindowTitle(RecordID == 0 || adding ? caption + u" - New"_s : caption);
    Saved = false;
    NewID = 0;
    const QIcon none;
    const DayView* main = app().dayView();
    btnOK->setText(adding ? u"&Add"_s : u"&OK"_s);
    btnOK->setIcon(adding && main ? main->image(u"Plus"_s) : none);
    btnCancel->setText(adding ? u"&Close"_s : u"&Cancel"_s);
    btnCancel->setIcon(adding && main ? main->image(u"Exit"_s) : none);
}

void JournalEntryEditor::btnOK_Click() {
    if (!Validate())
        return;
    Recordset& record = app().de().rs(m_command);
    try {
        if (appendsRow())
            record.addNew();
        Gather();
        record.update();
    } catch (const DbError& error) {
        if (record.isOpen() && record.hasPendingChange())
            record.cancelUpdate();
        app().messages().error(this, storeFailureText(error, journalStoreFailure()));
        return;
    }
    Saved = true;
    NewID = record.field(m_keyColumn).toInt();
    app().state().currentTime = DateValue::fromQTime(storedTime());
    if (Mode != 1) {
        accept();
        return;
    }
    clearForNextRow();
    if (repaintMainWindow)
        repaintMainWindow();
    else if (DayView* main = app().dayView())
        main->RePaintGraph();
}

void JournalEntryEditor::makeFind(const QString& toolTip, const QuickFindPopup::Texts& texts, QWidget* anchor,
                                  std::function<std::vector<QuickFindEntry>(deData&)> entries) {
    btnFind = makeButton(QStringLiteral("btnFind"), QStringLiteral("&Find…"));
    btnFind->setToolTip(toolTip);
    findPopup = new QuickFindPopup(this, texts);
    m_findAnchor = anchor;
    m_findEntries = std::move(entries);
    connect(btnFind, &QPushButton::clicked, this, &JournalEntryEditor::btnFind_Click);
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this,
            &JournalEntryEditor::btnFind_Click);
    connect(findPopup, &QuickFindPopup::chosen, this, &JournalEntryEditor::findChosen);
}

void JournalEntryEditor::btnFind_Click() {
    findPopup->open(m_findAnchor, m_findEntries(app().de()));
}

} // namespace kelvora
