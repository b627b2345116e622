#pragma once

#include "Services.h"

#include <QDateTime>
#include <QString>

#include <deque>
#include <functional>
#include <vector>

class QDialog;

namespace kelvora::test {

// Records every message and answers from a queue; with the queue empty it answers with the
// message's default button, as a user pressing Enter would.
class FakeMessages final : public MessageService {
public:
    struct Shown {
        Message message;
        QString parentName; // objectName of the window the message was shown over
    };
    MessageButton show(QWidget* parent, const Message& message) override;

    void answer(MessageButton button) { answers.push_back(button); }
    // The texts of all messages shown so far, in order.
    std::vector<QString> texts() const;
    const Message& last() const;

    std::vector<Shown> shown;
    std::deque<MessageButton> answers;
};

// Runs scripted handlers instead of a modal event loop: exec() shows the dialog (so it loads),
// hands it to the next handler, which fills controls and clicks buttons, then closes it if the
// handler left it open. A dialog opened with no handler queued is a test failure.
class FakeModal final : public ModalService {
public:
    using Handler = std::function<void(QDialog&)>;
    int exec(QDialog& dialog) override;

    void expect(Handler handler) { handlers.push_back(std::move(handler)); }
    std::vector<QString> opened; // objectNames of the dialogs shown, in order
    std::deque<Handler> handlers;
};

class FakeClock final : public ClockService {
public:
    QDateTime now() const override { return current; }
    QDateTime current{QDate(2026, 12, 6), QTime(14, 37, 45)};
};

// Prints nowhere unless a test names a PDF file: then the page goes into it through the program's own
// landscape printing, on a PDF printer at printer resolution.
class FakePrinter final : public PrinterService {
public:
    bool printLandscape(const Printout& printout) override;

    bool succeeds = true;
    int calls = 0;
    QString pdfPath;
    std::function<void(const Printout&)> whilePrinting; // lets a test look at the window mid-print
};

// Answers each file dialog from a queue of paths (an empty path is a cancel) and records what was
// asked. A dialog asked for with the queue empty is a test failure, and is cancelled.
class FakeFileDialogs final : public FileDialogService {
public:
    struct Request {
        QString kind; // "save", "open" or "folder"
        QString caption;
        QString proposed;
        QStringList filters;
    };
    QString saveFile(QWidget* parent, const QString& caption, const QString& proposed,
                     const QStringList& filters, QString* chosenFilter) override;
    QString openFile(QWidget* parent, const QString& caption, const QString& proposed,
                     const QStringList& filters) override;
    QString folder(QWidget* parent, const QString& caption, const QString& proposed) override;

    // The next dialog's answer; for a save dialog, the filter chosen with it (by default the one
    // the path's suffix matches, or the first).
    void answer(const QString& path, const QString& filter = {}) { answers.push_back({path, filter}); }

    std::vector<Request> requests;
    std::deque<std::pair<QString, QString>> answers;

private:
    std::pair<QString, QString> next(Request request);
};

class FakeHelp final : public HelpService {
public:
    void showTopic(int contextNumber) override { topics.push_back(contextNumber); }
    void showContents() override { ++contentsShown; }

    std::vector<int> topics;
    int contentsShown = 0;
};

} // namespace kelvora::test
