#pragma once

#include "ProgressPainter.h"

#include <QImage>
#include <QWidget>

#include <optional>

class QLocale;

namespace kelvora {

class ProgressModel;

// The period in words, as screen readers hear the progress chart: its first and last day, on how
// many days calories were recorded and their average balance, the first and the last measured
// weight, and the number of notes.
QString describePeriod(const ProgressModel& model, bool metric, const QLocale& locale);

// The picture of the progress chart. It draws the model into a backing image whenever its size
// changes (or the model does); painting only copies that image to the screen.
class ProgressChart : public QWidget {
    Q_OBJECT
public:
    explicit ProgressChart(QWidget* parent = nullptr);

    // The model stays owned by the caller and must outlive its use here; nullptr clears the chart.
    void setModel(const ProgressModel* model, bool metric);
    void redraw();
    // Paints the chart as the screen shows it onto any painter: the same picture at the widget's
    // size, scaled to the largest size of its proportions that fits `target` and centred in it, its
    // text and lines drawn as such (vectors on paper and in PDF or SVG files). The picture on the
    // screen and its record stay as they are.
    void renderChart(QPainter& painter, const QRectF& target) const;

    const QImage& image() const { return m_image; }
    // The geometry of the last drawing; empty before a model is drawn or for a one-day period.
    const std::optional<ProgressLayout>& layout() const { return m_layout; }
    const ProgressDrawing& drawing() const { return m_drawing; }
    // The whole text of the note whose label or range is at `pos`, shown as the tooltip there: the
    // way to read a note whose label the lane had to shorten. Empty elsewhere.
    QString noteTextAt(QPoint pos) const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    const ProgressModel* m_model = nullptr;
    bool m_metric = false;
    QImage m_image;
    std::optional<ProgressLayout> m_layout;
    ProgressDrawing m_drawing;
};

} // namespace kelvora
