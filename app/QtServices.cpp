#include "QtServices.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

namespace kelvora {

namespace {

QMessageBox::StandardButton standardButton(MessageButton button) {
    switch (button) {
    case MessageButton::Yes:
        return QMessageBox::Yes;
    case MessageButton::No:
        return QMessageBox::No;
    case MessageButton::Ok:
        break;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon standardIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Information:
        break;
    }
    return QMessageBox::Information;
}

} // namespace

MessageButton QtMessageService::show(QWidget* parent, const Message& message) {
    // Composed texts separate their lines with a line feed and a carriage return; shown as they
    // are, the pair would make every line break a double one.
    QString text = message.text;
    text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    QMessageBox box(standardIcon(message.icon), message.title, text, QMessageBox::NoButton, parent);
    for (const MessageButton button : message.buttons)
        box.addButton(standardButton(button));
    box.setDefaultButton(standardButton(message.defaultButton));
    if (message.buttons.size() > 1)
        box.setEscapeButton(standardButton(MessageButton::No));
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageButton::Yes;
    case QMessageBox::No:
        return MessageButton::No;
    default:
        return message.buttons.size() > 1 ? MessageButton::No : MessageButton::Ok;
    }
}

int QtModalService::exec(QDialog& dialog) {
    return dialog.exec();
}

QDateTime SystemClock::now() const {
    return QDateTime::currentDateTime();
}

bool printLandscapeOn(QPrinter& printer, const Printout& printout) {
    if (!printer.setPageOrientation(QPageLayout::Landscape))
        return false;
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // The painter's origin is the top-left corner of the printable area.
    printout(painter, QRectF(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size()));
    return painter.end();
}

bool QtPrinterService::printLandscape(const Printout& printout) {
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull())
        return false;
    QPrinter printer(defaultPrinter, QPrinter::HighResolution);
    return printLandscapeOn(printer, printout);
}

QString QtFileDialogService::saveFile(QWidget* parent, const QString& caption, const QString& proposed,
                                      const QStringList& filters, QString* chosenFilter) {
    return QFileDialog::getSaveFileName(parent, caption, proposed, filters.join(QStringLiteral(";;")),
                                        chosenFilter, QFileDialog::DontConfirmOverwrite);
}

QString QtFileDialogService::openFile(QWidget* parent, const QString& caption, const QString& proposed,
                                      const QStringList& filters) {
    return QFileDialog::getOpenFileName(parent, caption, proposed, filters.join(QStringLiteral(";;")));
}

QString QtFileDialogService::folder(QWidget* parent, const QString& caption, const QString& proposed) {
    return QFileDialog::getExistingDirectory(parent, caption, proposed);
}

} // namespace kelvora
