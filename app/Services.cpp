#include "Services.h"

using namespace Qt::StringLiterals;

namespace kelvora {

void MessageService::error(QWidget* parent, const QString& text) {
    exclamation(parent, u"Error"_s, text);
}

void MessageService::exclamation(QWidget* parent, const QString& title, const QString& text) {
    show(parent, {title, text, MessageIcon::Exclamation, {MessageButton::Ok}, MessageButton::Ok});
}

void MessageService::information(QWidget* parent, const QString& title, const QString& text) {
    show(parent, {title, text, MessageIcon::Information, {MessageButton::Ok}, MessageButton::Ok});
}

bool MessageService::ask(QWidget* parent, const QString& title, const QString& text,
                         MessageButton defaultButton) {
    return show(parent, {title,
                         text,
                         MessageIcon::Question,
                         {MessageButton::Yes, MessageButton::No},
                         defaultButton}) == MessageButton::Yes;
}

void MessageService::critical(QWidget* parent, const QString& title, const QString& text) {
    show(parent, {title, text, MessageIcon::Critical, {MessageButton::Ok}, MessageButton::Ok});
}

} // namespace kelvora
