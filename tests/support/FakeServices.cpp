#include "FakeServices.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>

#include <gtest/gtest.h>

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

bool FakePrinter::printLandscape(QWidget& widget) {
    ++calls;
    if (whilePrinting)
        whilePrinting(widget);
    return succeeds;
}

} // namespace kelvora::test
