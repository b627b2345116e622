#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QDialog;
class QPainter;
class QRectF;
class QWidget;

namespace kelvora {

// The seams between the windows and the platform. Every message box, every modal showing, the
// clock, the printer, the help and the file dialogs go through these, so tests can drive windows without a
// screen and read back exactly what the user would have seen.

enum class MessageIcon { Critical, Exclamation, Question, Information };
enum class MessageButton { Ok, Yes, No };

struct Message {
    QString title;
    QString text;
    MessageIcon icon = MessageIcon::Information;
    std::vector<MessageButton> buttons{MessageButton::Ok};
    MessageButton defaultButton = MessageButton::Ok;
};

class MessageService {
public:
    virtual ~MessageService() = default;
    // Shows the message modally over `parent` and returns the button the user chose.
    virtual MessageButton show(QWidget* parent, const Message& message) = 0;

    // An input error: exclamation icon, title "Error", OK.
    void error(QWidget* parent, const QString& text);
    // Exclamation icon and OK under a title of the caller's choosing.
    void exclamation(QWidget* parent, const QString& title, const QString& text);
    // Information icon, OK.
    void information(QWidget* parent, const QString& title, const QString& text);
    // Question icon, Yes and No; true for Yes.
    bool ask(QWidget* parent, const QString& title, const QString& text, MessageButton defaultButton);
    // Critical (stop) icon, OK.
    void critical(QWidget* parent, const QString& title, const QString& text);
};

class ModalService {
public:
    virtual ~ModalService() = default;
    // Shows the dialog modally and returns when it has closed, with its result code.
    virtual int exec(QDialog& dialog) = 0;
};

class ClockService {
public:
    virtual ~ClockService() = default;
    virtual QDateTime now() const = 0;
};

// Paints a picture into `page`, in the painter's coordinates, at whatever resolution the painter's
// device has: how a window hands its chart to a printer or a file.
using Printout = std::function<void(QPainter& painter, const QRectF& page)>;

class PrinterService {
public:
    virtual ~PrinterService() = default;
    // Prints one landscape page on the default printer, painted by `printout` into the page's
    // printable area at the printer's resolution; false on any failure.
    virtual bool printLandscape(const Printout& printout) = 0;
};

// The file dialogs. Each returns the path the user chose, or an empty text when the user cancelled.
// The save dialog never asks about replacing an existing file itself: the program asks, through
// the messages, once it knows what it is about to write (confirmReplace).
class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    // A file to write, starting at `proposed` (a folder, or a full path with a proposed name).
    // `filters` are Qt name filters ("PDF document (*.pdf)"); the one chosen is written to
    // `chosenFilter` when given.
    virtual QString saveFile(QWidget* parent, const QString& caption, const QString& proposed,
                             const QStringList& filters, QString* chosenFilter = nullptr) = 0;
    // An existing file to read, starting in the folder or at the file `proposed`.
    virtual QString openFile(QWidget* parent, const QString& caption, const QString& proposed,
                             const QStringList& filters) = 0;
    // An existing folder, starting at `proposed`.
    virtual QString folder(QWidget* parent, const QString& caption, const QString& proposed) = 0;
};

class HelpService {
public:
    virtual ~HelpService() = default;
    virtual void showTopic(int contextNumber) = 0;
    virtual void showContents() = 0;
};

} // namespace kelvora
