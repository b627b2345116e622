#pragma once

#include "Services.h"

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
    bool printLandscape(QWidget& widget) override;
};

class QtFileDialogService final : public FileDialogService {
public:
    QString saveFile(QWidget* parent, const QString& caption, const QString& proposed,
                     const QStringList& filters, QString* chosenFilter) override;
    QString openFile(QWidget* parent, const QString& caption, const QString& proposed,
                     const QStringList& filters) override;
    QString folder(QWidget* parent, const QString& caption, const QString& proposed) override;
};

} // namespace kelvora
