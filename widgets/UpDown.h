#pragma once

#include <QWidget>

class QToolButton;

namespace kelvora {

// A pair of spin buttons, up above down, standing beside a text box without being linked to it: the
// owner decides what a step means for the text (a quantity may step by a meal's increment, or by
// one, or not at all when the text is no number). Holding a button repeats its step.
class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent = nullptr, const QString& name = QString());

    // Names the buttons after the field they step, for screen readers: "Increase Quantity".
    void setFieldName(const QString& field);

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

Q_SIGNALS:
    void up();
    void down();

private:
    QToolButton* m_up;
    QToolButton* m_down;
};

} // namespace kelvora
