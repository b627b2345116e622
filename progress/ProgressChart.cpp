#include "ProgressChart.h"

#include "ProgressModel.h"

#include <QPaintEvent>
#include <QPainter>

namespace kelvora {

ProgressChart::ProgressChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ProgressChart"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The labels share a narrow margin left of the value axis; a small face keeps "-1500" inside it.
    QFont small = font();
    small.setPointSizeF(8);
    setFont(small);
}

void ProgressChart::setModel(const ProgressModel* model, bool metric) {
    m_model = model;
    m_metric = metric;
    redraw();
}

void ProgressChart::redraw() {
    m_layout.reset();
    m_drawing = {};
    m_image = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    m_image.fill(Qt::white);
    if (m_model && m_model->nDays() > 1) {
        m_layout.emplace(width(), height(), *m_model, m_metric);
        QPainter painter(&m_image);
        m_drawing = drawProgress(painter, *m_layout, *m_model, font());
    }
    update();
}

void ProgressChart::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), m_image, event->rect());
}

void ProgressChart::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    redraw();
}

} // namespace kelvora
