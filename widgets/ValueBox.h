#pragma once

#include <QLabel>

namespace kelvora {

// A read-only, bordered box for a computed figure, right-aligned. It keeps the height of one line
// of text and the width of a few digits even while it is empty, so a dialog sized before its
// figures are known still has room for them, whatever the font.
class ValueBox : public QLabel {
    Q_OBJECT
public:
    explicit ValueBox(QWidget* parent = nullptr, const QString& name = QString());

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};

} // namespace kelvora
