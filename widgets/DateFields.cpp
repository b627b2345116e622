#include "DateFields.h"

#include "DateValue.h"

#include <QDateEdit>
#include <QLocale>
#include <QTime>

using namespace Qt::StringLiterals;

namespace kelvora {

QString longDateText(const QDate& day, const QLocale& locale) {
    return locale.toString(day, QLocale::LongFormat);
}

QString longDateText(const QDate& day) {
    return longDateText(day, QLocale());
}

QString shortDateFormat() {
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(u"yyyy"_s))
        format.replace(u"yy"_s, u"yyyy"_s);
    return format;
}

QDateEdit* makeDatePicker(QWidget* parent, const QString& name) {
    auto* picker = new QDateEdit(parent);
    picker->setObjectName(name);
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(shortDateFormat());
    return picker;
}

QString shortDateText(const QVariant& serial) {
    if (serial.isNull())
        return {};
    return QLocale().toString(DateValue(serial.toDouble()).toQDate(), shortDateFormat());
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

} // namespace kelvora
