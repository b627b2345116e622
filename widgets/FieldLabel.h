#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace kelvora {

// A caption that names the field beside it: the label gives the field its access key (when the
// caption has one) and a screen reader calls the field by the caption. Every field a user can
// reach is named this way, or through nameField when its label stands for several fields.
QLabel* fieldLabel(const QString& caption, QWidget* field, QWidget* parent);

// Names a field for screen readers without a label of its own (the label above a group of fields,
// a field whose meaning its heading gives). `name` is spoken as written.
void nameField(QWidget* field, const QString& name);

// A caption as it is spoken: without the ampersand that marks its access key.
QString spokenCaption(const QString& caption);

} // namespace kelvora
