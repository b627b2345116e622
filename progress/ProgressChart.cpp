#include "ProgressChart.h"

#include "Accessibility.h"
#include "ChartOutput.h"
#include "DateFields.h"
#include "ProgressModel.h"

#include <QHelpEvent>
#include <QLocale>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

namespace kelvora {

ProgressChart::ProgressChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ProgressChart"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A small face leaves the labels of the narrow margin left of the value axis and the notes room.
    QFont small = font();
    small.setPointSizeF(8);
    setFont(small);
    presentAsChart(*this, QStringLiteral("Progress chart"));
}

QString describePeriod(const ProgressModel& model, bool metric, const QLocale& locale) {
    int daysWithCalories = 0;
    qint64 balanceSum = 0;
    const ProgressDay* firstBody = nullptr;
    const ProgressDay* lastBody = nullptr;
    int firstBodyDay = 0, lastBodyDay = 0;
    for (int k = 1; k <= model.nDays(); ++k) {
        const ProgressDay& day = model.day(k);
        if (day.HasCalories) {
            ++daysWithCalories;
            balanceSum += day.Calories;
        }
        if (day.hasBody()) {
            if (!firstBody) {
                firstBody = &day;
                firstBodyDay = k;
            }
            lastBody = &day;
            lastBodyDay = k;
        }
    }
    const auto date = [&](int dayNumber) {
        return longDateText(model.dateFrom().addDays(dayNumber - 1).toQDate(), locale);
    };
    QString text = QStringLiteral("%1 to %2: ").arg(date(1), date(model.nDays()));
    if (daysWithCalories == 0)
        text += QStringLiteral("no meals or activities recorded");
    else
        text += QStringLiteral("calories recorded on %1 of %2 days, average balance %3 kcal")
                    .arg(locale.toString(daysWithCalories), locale.toString(model.nDays()),
                         locale.toString(qRound64(static_cast<double>(balanceSum) / daysWithCalories)));
    const QString unit = metric ? QStringLiteral("kg") : QStringLiteral("lb");
    const auto weight = [&](const ProgressDay& day) {
        return locale.toString(day.Weight, 'f', 1) + QLatin1Char(' ') + unit;
    };
    if (!firstBody)
        text += QStringLiteral("; no body measurements");
    else if (firstBodyDay == lastBodyDay)
        text += QStringLiteral("; weight %1 on %2").arg(weight(*firstBody), date(firstBodyDay));
    else
        text += QStringLiteral("; weight %1 on %2, %3 on %4")
                    .arg(weight(*firstBody), date(firstBodyDay), weight(*lastBody), date(lastBodyDay));
    const auto notes = static_cast<int>(model.notes().size());
    if (notes > 0)
        text += notes == 1 ? QStringLiteral("; 1 note")
                           : QStringLiteral("; %1 notes").arg(locale.toString(notes));
    return text;
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
        m_drawing = drawProgress(painter, *m_layout, *m_model, font(), m_metric);
    }
    // What a screen reader says of the chart: the period in words, then the summary line it shows.
    QString words = m_model ? describePeriod(*m_model, m_metric, QLocale()) : QString();
    if (!m_drawing.summary.text.isEmpty())
        words += QStringLiteral(". ") + m_drawing.summary.text;
    describeChart(*this, words);
    update();
}

void ProgressChart::renderChart(QPainter& painter, const QRectF& target) const {
    if (width() <= 0 || height() <= 0)
        return;
    painter.save();
    mapPicture(painter, size(), target);
    painter.setClipRect(rect(), Qt::IntersectClip);
    painter.fillRect(rect(), Qt::white);
    if (m_model && m_model->nDays() > 1) {
        const ProgressLayout layout(width(), height(), *m_model, m_metric);
        drawProgress(painter, layout, *m_model,
                     fontForDevice(font(), m_image.logicalDpiY(), *painter.device()), m_metric);
    }
    painter.restore();
}

QString ProgressChart::noteTextAt(QPoint pos) const {
    if (!m_layout)
        return {};
    const int rangeY = m_layout->notesTop;
    for (const NoteGeometry& note : m_drawing.notes) {
        const QRect range(QPoint(note.x1, rangeY - 5), QPoint(note.x2, rangeY + 5));
        if (range.contains(pos) || note.box.adjusted(0, 0, 1, 1).contains(pos))
            return note.text;
    }
    return {};
}

bool ProgressChart::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString text = noteTextAt(help->pos());
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, this);
    return true;
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
