#include "DateFields.h"

#include "DateValue.h"

#include <QDateEdit>
#include <QLocale>

using namespace Qt::StringLiterals;

namespace kelvora {

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

} // namespace kelvora
