#include "FakeServices.h"

#include "QtServices.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QPrinter>
#include <QWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace kelvora::test {

MessageButton FakeMessages::show(QWidget* parent, const Message& message) {
    shown.push_back({message, parent ? parent->window()->objectName() : QString()});
    if (answers.empty())
        return message.defaultButton;
    const MessageButton answer = answers.front();
    answers.pop_front();
    return answer;
}

std::vector<QString> FakeMessages::texts() const {
    std::vector<QString> result;
    for (const Shown& s : shown)
        result.push_back(s.message.text);
    return result;
}

const Message& FakeMessages::last() const {
    static const Message none;
    return shown.empty() ? none : shown.back().message;
}

int FakeModal::exec(QDialog& dialog) {
    opened.push_back(dialog.objectName());
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    QApplication::processEvents();
    if (handlers.empty()) {
        ADD_FAILURE() << "no handler for the dialog " << dialog.objectName().toStdString();
    } else {
        Handler handler = std::move(handlers.front());
        handlers.pop_front();
        handler(dialog);
    }
    if (dialog.isVisible())
        dialog.reject();
    return dialog.result();
}

bool FakePrinter::printLandscape(const Printout& printout) {
    ++calls;
    if (whilePrinting)
        whilePrinting(printout);
    if (!pdfPath.isEmpty()) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
        if (!printLandscapeOn(printer, printout))
            return false;
    }
    return succeeds;
}

std::pair<QString, QString> FakeFileDialogs::next(Request request) {
    requests.push_back(std::move(request));
    if (answers.empty()) {
        ADD_FAILURE() << "no answer for the file dialog " << requests.back().caption.toStdString();
        return {};
    }
    auto answer = answers.front();
    answers.pop_front();
    return answer;
}

QString FakeFileDialogs::saveFile(QWidget*, const QString& caption, const QString& proposed,
                                  const QStringList& filters, QString* chosenFilter) {
    auto [path, filter] = next({u"save"_s, caption, proposed, filters});
    if (filter.isEmpty() && !filters.isEmpty()) {
        filter = filters.front();
        const QString suffix = u"*."_s + QFileInfo(path).suffix();
        for (const QString& f : filters) {
            if (!path.isEmpty() && f.contains(suffix, Qt::CaseInsensitive)) {
                filter = f;
                break;
            }
        }
    }
    if (chosenFilter)
        *chosenFilter = path.isEmpty() ? QString() : filter;
    return path;
}

QString FakeFileDialogs::openFile(QWidget*, const QString& caption, const QString& proposed,
                                  const QStringList& filters) {
    return next({u"open"_s, caption, proposed, filters}).first;
}

QString FakeFileDialogs::folder(QWidget*, const QString& caption, const QString& proposed) {
    return next({u"folder"_s, caption, proposed, {}}).first;
}

} // namespace kelvora::test
