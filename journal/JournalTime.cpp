#include "JournalTime.h"

#include "App.h"

using namespace Qt::StringLiterals;

namespace kelvora {

QString displayTime(const QVariant& serial) {
    return displayTime(serial, app().state().timeDisplayFormat);
}

QString pickerDisplayFormat(const QString& timePickerFormat) {
    QString pattern = timePickerFormat;
    pattern.replace(u"tt"_s, u"AP"_s);
    return pattern;
}

} // namespace kelvora
