#pragma once

#include "Services.h"

class QPrinter;

namespace kelvora {

// The services as the running program provides them.

class QtMessageService final : public MessageService {
public:
    MessageButton show(QWidget* parent, const Message& message) override;
};

class QtModalService final : public ModalService {
public:
    int exec(QDialog& dialog) override;
};

class SystemClock final : public ClockService {
public:
    QDateTime now() const override;
};

class QtPrinterService final : public PrinterService {
public:
    bool printLandscape(const Printout& printout) override;
};

// Turns `printer` to landscape and prints one page painted by `printout`; false when the printer
// refuses. The default printer and a PDF printer of the tests go through the same steps.
bool printLandscapeOn(QPrinter& printer, const Printout& printout);

class QtFileDialogService final : public FileDialogService {
public:
    QString saveFile(QWidget* parent, const QString& caption, const QString& proposed,
                     const QStringList& filters, QString* chosenFilter) override;
    QString openFile(QWidget* parent, const QString& caption, const QString& proposed,
                     const QStringList& filters) override;
    QString folder(QWidget* parent, const QString& caption, const QString& proposed) override;
};

} // namespace kelvora
