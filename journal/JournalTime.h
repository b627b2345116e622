#pragma once

#include "DateFields.h"

#include <QString>
#include <QVariant>

namespace kelvora {

// A stored time of day as the day lists show it, in the application's timeDisplayFormat ("Hh:Nn"
// gives 08:05, "h:Nn am/pm" gives 8:05 pm). The empty text for null.
QString displayTime(const QVariant& serial);

// The application's timePickerFormat ("H:mm" or "h:mm tt") as a time editor's display format.
QString pickerDisplayFormat(const QString& timePickerFormat);

} // namespace kelvora
