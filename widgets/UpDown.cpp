#include "UpDown.h"

#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

QToolButton* makeArrow(QWidget* parent, const QString& name, Qt::ArrowType arrow) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    // Stepping must not pull the focus away from the text box the user is typing in.
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    return button;
}

} // namespace

UpDown::UpDown(QWidget* parent, const QString& name) : QWidget(parent) {
    setObjectName(name);
    m_up = makeArrow(this, u"up"_s, Qt::UpArrow);
    m_down = makeArrow(this, u"down"_s, Qt::DownArrow);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    connect(m_up, &QToolButton::clicked, this, &UpDown::up);
    connect(m_down, &QToolButton::clicked, this, &UpDown::down);
    setFieldName(QString());
}

void UpDown::setFieldName(const QString& field) {
    const QString suffix = field.isEmpty() ? QString() : u" "_s + field;
    m_up->setAccessibleName(u"Increase"_s + suffix);
    m_down->setAccessibleName(u"Decrease"_s + suffix);
}

} // namespace kelvora
