#pragma once

#include "ChartPainter.h"
#include "ChartRecords.h"
#include "ChartScale.h"
#include "DayModel.h"
#include "ZelmarControlsExport.h"

#include <QImage>
#include <QWidget>

#include <span>
#include <vector>

// The chart of one day: stacked bars for the meals above a time axis, triangles for the activities
// below it, the running calorie balance as a line, and the day's nutrient proportions with its final
// balance. The host resets it, sets metabolicKoef, adds the day's meals and activities in time
// order and calls PaintGraph; double clicks and right-button releases on the chart come back as the
// four signals, each with the whole minute of the day under the pointer.
//
// Times are day serials. Only the time of day places an item on the chart; a date part, if the host
// passes one, still counts in the 15 minutes within which meals merge into one bar, so meals on
// different days never merge.
//
// An activity that begins and ends within one minute has no burn rate: the balance line drops by its
// kcal at once. A control too narrow for one hour label shows none; one without area has no picture.
//
// Failures are results, never exceptions: addMeal and addExercise return false and leave the control
// exactly as it was when a time is not a finite serial within the calendar, when merging would take
// a bar's nutrient outside 16 bits, or when a day sum would leave 32 bits. PaintGraph returns false
// when a coordinate does not fit the 16-bit fields of the records (a control or a bar tens of
// thousands of pixels tall) or when the metabolic rate makes the balance infinite; painting stops
// there, what was drawn stays, and the next PaintGraph starts afresh.
class ZELMARCONTROLS_EXPORT ZelmarGraph : public QWidget {
    Q_OBJECT
    Q_PROPERTY(double metabolicKoef READ metabolicKoef WRITE setMetabolicKoef)
    Q_PROPERTY(bool time24 READ time24 WRITE setTime24)

public:
    static constexpr int MealCapacity = zelmar::MealCapacity;
    static constexpr int ExerciseCapacity = zelmar::ExerciseCapacity;

    explicit ZelmarGraph(QWidget* parent = nullptr);

    // Basal burn in kcal per minute.
    double metabolicKoef() const { return m_metabolicKoef; }
    void setMetabolicKoef(double kcalPerMinute) { m_metabolicKoef = kcalPerMinute; }
    // Hour labels 0-23 instead of 1-12.
    bool time24() const { return m_time24; }
    void setTime24(bool on) { m_time24 = on; }

    // Draws the whole chart from the stored data into the backing image.
    bool PaintGraph();
    // Paints the chart as the screen shows it onto any painter: the same picture at the control's
    // size, scaled to the largest size of its proportions that fits `target` and centred in it, its
    // text and lines drawn as such (vectors on paper and in PDF or SVG files). The control's state,
    // its records and its picture on the screen stay as they are.
    void renderChart(QPainter& painter, const QRectF& target) const;
    // Forgets the day: no meals or activities, axis 06:00-22:00, sums zero.
    void Reset();
    // Stores one consumed meal; a meal within 15 minutes of the last bar's first meal joins that bar.
    // Beyond the 110th bar a meal counts in the sums only.
    bool addMeal(qint32 id, double tm, qint16 carbohydrate, qint16 fat, qint16 protein);
    // Stores one performed activity; beyond the 100th it counts in the day's balance only.
    bool addExercise(qint32 id, double tmBeg, double tmEnd, qint16 calories);

    std::span<const MealStruct> meals() const { return m_day.meals(); }
    std::span<const ExerciseStruct> exercises() const { return m_day.exercises(); }
    double chartBegin() const { return m_day.beginHour() / 24.0; }
    double chartEnd() const { return m_day.endHour() / 24.0; }
    qint32 dayBalance() const { return m_day.dayBalance(); }
    qint32 carbohydrateTotal() const { return m_day.carbohydrateTotal(); }
    qint32 fatTotal() const { return m_day.fatTotal(); }
    qint32 proteinTotal() const { return m_day.proteinTotal(); }
    // The number the "Balance: " caption states for the stored day and the present metabolicKoef:
    // intake minus activities minus a whole day of basal burn, to the nearest kcal.
    double balance() const;
    float pixelsPerMinute() const { return m_scale.pixelsPerMinute; }
    float pixelsPerKcal() const { return m_scale.pixelsPerKcal; }
    int baselineY() const { return m_scale.baselineY; }

    // The picture of the last PaintGraph and a model of what it holds.
    const QImage& image() const { return m_image; }
    const std::vector<BalanceVertex>& balanceVertices() const { return m_painter.balanceVertices(); }
    const std::vector<ChartLabel>& hourLabels() const { return m_painter.hourLabels(); }
    const std::vector<ChartLabel>& kcalLabels() const { return m_painter.kcalLabels(); }
    const ChartLabel& caption() const { return m_painter.caption(); }

Q_SIGNALS:
    void NewMeal(double tm);
    void NewExercise(double tm);
    void EditMeal(qint32 id, bool definite, double tm);
    void EditExercise(qint32 id, bool definite, double tm);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    double timeAtX(float x) const;

    zelmar::DayModel m_day;
    zelmar::ChartScale m_scale;
    zelmar::ChartPainter m_painter;
    QImage m_image;
    double m_metabolicKoef = 0;
    bool m_time24 = false;
    float m_lastX = 0; // where a mouse button was last released
    float m_lastY = 0;
};
