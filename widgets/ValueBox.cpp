#include "ValueBox.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace kelvora {

ValueBox::ValueBox(QWidget* parent, const QString& name) : QLabel(parent) {
    setObjectName(name);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setMargin(2);
    // The dialog's own ground with the palette's text colour: greyed as a figure nobody types
    // into, and readable in a light palette as in a dark one.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    setForegroundRole(QPalette::WindowText);
}

QSize ValueBox::minimumSizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    const int chrome = 2 * (frameWidth() + margin());
    return QSize(metrics.horizontalAdvance(u"-00000"_s), metrics.height()) + QSize(chrome, chrome);
}

QSize ValueBox::sizeHint() const {
    return QLabel::sizeHint().expandedTo(minimumSizeHint());
}

} // namespace kelvora
