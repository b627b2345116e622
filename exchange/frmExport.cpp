#include "frmExport.h"

#include "App.h"
#include "CsvExport.h"
#include "DateFields.h"
#include "DiaryCommands.h"
#include "ExportFiles.h"
#include "ExportPeriod.h"
#include "FileSaving.h"
#include "HelpContext.h"
#include "PdfReport.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString shortDate(const QDate& date) {
    return QLocale().toString(date, shortDateFormat());
}

// The pointer says "busy" while a long period is read or written, and nothing else shows it.
class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

ExportPeriod periodOf(const QDate& from, const QDate& to) {
    const BusyCursor busy;
    return readPeriod(app().de(), app().state(), from, to);
}

// "a", "a and b", "a, b and c".
QString listed(const QStringList& names) {
    if (names.size() < 2)
        return names.join(QString());
    return names.mid(0, names.size() - 1).join(u", "_s) + u" and "_s + names.back();
}

} // namespace

frmExport::frmExport(QWidget* parent) : KelvoraDialog(parent, HelpContext::frmExport) {
    setObjectName(u"frmExport"_s);
    setWindowTitle(u"Export"_s);

    dtpFrom = makeDatePicker(this, u"dtpFrom"_s);
    dtpTo = makeDatePicker(this, u"dtpTo"_s);
    cbxFormat = new QComboBox(this);
    cbxFormat->setObjectName(u"cbxFormat"_s);
    cbxFormat->addItems({u"Report for a dietitian (PDF)"_s, u"Spreadsheet (CSV files)"_s});

    const EditorButtons buttons = makeEditorButtons();
    btnOK = buttons.ok;
    btnCancel = buttons.cancel;
    btnHelp = buttons.help;

    auto* fields = new QGridLayout;
    const auto addField = [&](int row, const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        field->setAccessibleName(QString(caption).remove(u'&'));
        fields->addWidget(label, row, 0);
        fields->addWidget(field, row, 1);
    };
    addField(0, u"F&rom"_s, dtpFrom);
    addField(1, u"&To"_s, dtpTo);
    addField(2, u"&Format"_s, cbxFormat);
    fields->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons.row);
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    connect(btnOK, &QPushButton::clicked, this, &frmExport::btnOK_Click);
}

void frmExport::load() {
    Exported = false;
    Destination.clear();
    const DateValue today = app().state().currentDate;
    dtpFrom->setDate(today.addMonths(-1).toQDate());
    dtpTo->setDate(today.toQDate());
}

void frmExport::btnOK_Click() {
    const QDate from = dtpFrom->date();
    const QDate to = dtpTo->date();
    if (from > to) {
        refuse(dtpFrom,
               u"The date From is after the date To. Please choose a From date on or before the To date."_s);
        return;
    }
    const ExportPeriod period = periodOf(from, to);
    if (period.isEmpty()) {
        refuse(dtpFrom,
               u"Nothing was recorded from %1 to %2: there is no meal, activity or body measurement to "
               "export. Please choose another period."_s.arg(shortDate(from), shortDate(to)));
        return;
    }
    const bool written =
        cbxFormat->currentIndex() == Spreadsheet ? exportSpreadsheet(period) : exportReport(period);
    if (!written)
        return;
    Exported = true;
    accept();
}

bool frmExport::exportReport(const ExportPeriod& period) {
    const QString proposed = QDir(documentsFolder())
                                 .filePath(u"Kelvora-%1-to-%2.pdf"_s.arg(period.from.toString(Qt::ISODate),
                                                                         period.to.toString(Qt::ISODate)));
    QString path = app().files().saveFile(this, u"Export"_s, proposed, {u"PDF document (*.pdf)"_s});
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += u".pdf"_s;
    if (isOpenDiary(path)) {
        app().messages().error(this, native(path) +
                                         u" is the diary itself. Please choose another file for the "
                                         "report."_s);
        return false;
    }
    if (!confirmReplace(this, path))
        return false;
    const QString failed = [&] {
        const BusyCursor busy;
        return writeFilesTogether({{path, pdfReport(period, app().state())}});
    }();
    if (!failed.isEmpty()) {
        app().messages().error(this, writeFailureText(failed));
        return false;
    }
    Destination = path;
    app().messages().information(this, programTitle(), u"The report was written to "_s + native(path) + u'.');
    return true;
}

bool frmExport::exportSpreadsheet(const ExportPeriod& period) {
    const QString folder = app().files().folder(this, u"Export"_s, documentsFolder());
    if (folder.isEmpty())
        return false;
    const QStringList names = csvFileNames();
    if (!confirmReplaceAll(folder, names))
        return false;
    const QString failed = [&] {
        const BusyCursor busy;
        std::vector<FileContent> files;
        for (CsvFile& file : csvFiles(period))
            files.push_back({QDir(folder).filePath(file.name), std::move(file.content)});
        return writeFilesTogether(files);
    }();
    if (!failed.isEmpty()) {
        app().messages().error(this, writeFailureText(failed));
        return false;
    }
    Destination = folder;
    app().messages().information(this, programTitle(),
                                 u"The spreadsheet files "_s + listed(names) + u" were written to "_s +
                                     native(folder) + u'.');
    return true;
}

// One question for all the files of the set that are in the way: the set is replaced as a whole or
// not at all.
bool frmExport::confirmReplaceAll(const QString& folder, const QStringList& names) {
    const QDir dir(folder);
    QStringList existing;
    for (const QString& name : names) {
        if (QFileInfo::exists(dir.filePath(name)))
            existing << name;
    }
    if (existing.isEmpty())
        return true;
    if (existing.size() == 1)
        return confirmReplace(this, dir.filePath(existing.front()));
    return app().messages().ask(
        this, programTitle(), native(folder) + u" already holds "_s + listed(existing) + u". Replace them?"_s,
        MessageButton::No);
}

} // namespace kelvora
