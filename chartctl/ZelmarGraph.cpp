#include "ZelmarGraph.h"

#include "ChartHitTest.h"

#include <QFontInfo>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <memory>

ZelmarGraph::ZelmarGraph(QWidget* parent) : QWidget(parent) {
    // What the backing image does not cover yet (before the first paint, or after the control grew)
    // shows the chart's background.
    QPalette background = palette();
    background.setColor(QPalette::Window, Qt::white);
    setPalette(background);
    setAutoFillBackground(true);
    m_scale.fitHeight(height());
}

bool ZelmarGraph::PaintGraph() {
    // A hidden control gets its resize events only when shown; the picture must fit the size it has.
    m_scale.fitHeight(height());
    if (width() <= 0 || height() <= 0) {
        m_image = QImage(); // nothing to show, nothing to hit
        return true;
    }
    if (m_image.size() != size())
        m_image = QImage(size(), QImage::Format_RGB32);
    QPainter painter(&m_image);
    const bool complete =
        m_painter.paint(painter, size(), font(), m_day, m_scale, {m_metabolicKoef, m_time24});
    painter.end();
    update();
    return complete;
}

void ZelmarGraph::renderChart(QPainter& painter, const QRectF& target) const {
    if (width() <= 0 || height() <= 0 || target.isEmpty())
        return;
    const double scale = std::min(target.width() / width(), target.height() / height());
    QRectF area(QPointF(), QSizeF(size()) * scale);
    area.moveCenter(target.center());

    // The font as it measures on the backing image; a point size would otherwise be resolved at the
    // device's own resolution and then scaled once more. Named by the family it resolves to, which
    // other programs reading an SVG file can find, rather than by an alias of this system.
    QFont deviceFont = font();
    deviceFont.setFamily(QFontInfo(deviceFont).family());
    const int deviceDpi = painter.device() ? painter.device()->logicalDpiY() : 0;
    if (deviceFont.pointSizeF() > 0 && deviceDpi > 0)
        deviceFont.setPointSizeF(deviceFont.pointSizeF() * QImage(1, 1, QImage::Format_RGB32).logicalDpiY() /
                                 deviceDpi);

    // Painting stores the geometry of the bars into the records. It paints copies here, so that the
    // control's own records keep the geometry of the screen, which hit-testing reads.
    auto day = std::make_unique<zelmar::DayModel>(m_day);
    zelmar::ChartScale scales = m_scale;
    scales.fitHeight(height());
    auto chart = std::make_unique<zelmar::ChartPainter>();
    painter.save();
    painter.translate(area.topLeft());
    painter.scale(scale, scale);
    painter.setClipRect(QRect(QPoint(), size()), Qt::IntersectClip);
    chart->paint(painter, size(), deviceFont, *day, scales, {m_metabolicKoef, m_time24});
    painter.restore();
}

void ZelmarGraph::Reset() {
    m_day.reset();
}

bool ZelmarGraph::addMeal(qint32 id, double tm, qint16 carbohydrate, qint16 fat, qint16 protein) {
    return m_day.addMeal(id, tm, carbohydrate, fat, protein);
}

bool ZelmarGraph::addExercise(qint32 id, double tmBeg, double tmEnd, qint16 calories) {
    return m_day.addExercise(id, tmBeg, tmEnd, calories);
}

double ZelmarGraph::balance() const {
    return m_day.finalBalance(m_metabolicKoef);
}

void ZelmarGraph::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
}

void ZelmarGraph::resizeEvent(QResizeEvent* event) {
    m_scale.fitHeight(event->size().height());
}

void ZelmarGraph::mouseReleaseEvent(QMouseEvent* event) {
    m_lastX = static_cast<float>(event->position().x());
    m_lastY = static_cast<float>(event->position().y());
    if (event->button() != Qt::RightButton)
        return;
    // The right button asks for the day's list; it never picks a single record.
    const double tm = timeAtX(m_lastX);
    if (m_lastY > m_scale.baselineY)
        Q_EMIT EditExercise(0, false, tm);
    else
        Q_EMIT EditMeal(0, false, tm);
}

void ZelmarGraph::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    // The hit-test uses the position of the most recent release, that of the first click, which
    // the event order delivers before the double click.
    const double tm = timeAtX(m_lastX);
    if (m_lastY > m_scale.baselineY) {
        const zelmar::Hit hit = zelmar::hitExercise(m_day.exercises(), m_scale.baselineY, m_lastX, m_lastY);
        if (hit.found)
            Q_EMIT EditExercise(hit.id, hit.definite, tm);
        else
            Q_EMIT NewExercise(tm);
        return;
    }
    const zelmar::Hit hit = zelmar::hitMeal(m_day.meals(), m_lastX, m_lastY);
    if (hit.found)
        Q_EMIT EditMeal(hit.id, hit.definite, tm);
    else
        Q_EMIT NewMeal(tm);
}

double ZelmarGraph::timeAtX(float x) const {
    return zelmar::timeAtX(x, m_scale.pixelsPerMinute, m_day.beginHour(), m_day.endHour());
}
