#include "UnattendedStart.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

// Often enough that a start is not slowed down, seldom enough not to keep a core busy.
constexpr int PollMs = 20;

void report(const QString& what) {
    std::fputs(qPrintable(u"Kelvora: "_s + what + u'\n'), stderr);
    std::fflush(stderr);
}

} // namespace

bool quitAfterStartRequested(const QStringList& arguments) {
    return arguments.contains(QString::fromLatin1(QuitAfterStartOption));
}

UnattendedStart::UnattendedStart() {
    // The timer fires inside the event loop of whatever modal window start-up is waiting on.
    connect(&m_poll, &QTimer::timeout, this, &UnattendedStart::answerTheOpenWindow);
    m_poll.start(PollMs);
}

void UnattendedStart::answerTheOpenWindow() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible())
        return;
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
        report(box->windowTitle() + u": "_s + box->text());
        QAbstractButton* answer = box->defaultButton();
        if (!answer && !box->buttons().isEmpty())
            answer = box->buttons().constFirst();
        if (answer)
            answer->click();
        else
            box->reject();
        return;
    }
    report(u"answered "_s + dialog->objectName());
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->isDefault() && button->isEnabled()) {
            button->click();
            return;
        }
    }
    dialog->accept();
}

} // namespace kelvora
