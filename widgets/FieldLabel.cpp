#include "FieldLabel.h"

#include <QLabel>

using namespace Qt::StringLiterals;

namespace kelvora {

QString spokenCaption(const QString& caption) {
    QString spoken;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        // "&&" stands for an ampersand of its own.
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        spoken += caption[i];
    }
    return spoken;
}

QLabel* fieldLabel(const QString& caption, QWidget* field, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setBuddy(field);
    nameField(field, spokenCaption(caption));
    return label;
}

void nameField(QWidget* field, const QString& name) {
    // Set on the field itself: a combo box would otherwise be called by the value it shows.
    field->setAccessibleName(name);
}

} // namespace kelvora
