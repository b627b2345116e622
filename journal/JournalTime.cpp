#include "JournalTime.h"

#include "App.h"
#include "DateValue.h"

#include <QLocale>
#include <QTime>

using namespace Qt::StringLiterals;

namespace kelvora {

QString displayTime(const QVariant& serial) {
    return displayTime(serial, app().state().timeDisplayFormat);
}

QString displayTime(const QVariant& serial, const QString& timeDisplayFormat) {
    if (serial.isNull())
        return {};
    // The display pattern ignores letter case and writes am/pm in lower case; the C locale keeps
    // the designators "am" and "pm" whatever the user's language.
    QString pattern = timeDisplayFormat.toLower();
    pattern.replace(u"am/pm"_s, u"ap"_s);
    pattern.replace(u"n"_s, u"m"_s);
    const QTime time = DateValue(serial.toDouble()).toQTime();
    return QLocale::c().toString(time, pattern);
}

QString pickerDisplayFormat(const QString& timePickerFormat) {
    QString pattern = timePickerFormat;
    pattern.replace(u"tt"_s, u"AP"_s);
    return pattern;
}

} // namespace kelvora
