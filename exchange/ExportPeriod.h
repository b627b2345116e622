#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

#include <optional>
#include <vector>

namespace kelvora {

class deData;
struct AppState;

// A period of the diary as the export writes it. Every figure is the one the program shows for its
// day: the rows and totals of the day lists (which read the same named commands) and the balance
// of the daily chart (computed by the chart control itself, fed as the main window feeds it).

struct ExportedMeal {
    QVariant time; // a day serial
    QString name;
    QString category;
    QVariant quantity;
    QString unit;
    qint32 kcal = 0;
    qint32 fat = 0; // kcal from fat, as the list rounds them
    qint32 carbohydrate = 0;
    qint32 protein = 0;
};

struct ExportedActivity {
    QVariant begin; // day serials
    QVariant end;
    QString name;
    QVariant quantity;
    QString unit;
    qint32 kcal = 0;
};

struct ExportedBody {
    QVariant weight; // as stored, in the units of `system`; null when not measured
    QVariant breast;
    QVariant waist;
    QVariant hips;
    QString system; // "I" or "M"
};

struct ExportedNote {
    QDate from;
    QDate to;
    QString text;
};

struct ExportedDay {
    QDate date;
    std::vector<ExportedMeal> meals;
    std::vector<ExportedActivity> activities;
    std::optional<ExportedBody> body;

    // The sums of the day lists' totals rows.
    qint32 eaten = 0;
    qint32 fat = 0;
    qint32 carbohydrate = 0;
    qint32 protein = 0;
    qint32 burned = 0; // by the activities
    // A whole day of the background burn, and the number of the chart's "Balance: " caption.
    double backgroundBurn = 0;
    double balance = 0;

    bool hasCalories() const { return !meals.empty() || !activities.empty(); }
};

struct PeriodAverages {
    int days = 0; // the days with meals or activities, over which the averages are taken
    double eaten = 0;
    double fat = 0;
    double carbohydrate = 0;
    double protein = 0;
    double burned = 0;
    double backgroundBurn = 0;
    double balance = 0;
};

struct ExportPeriod {
    QDate from;
    QDate to;
    double metabolicRate = 0; // background burn, kcal per hour
    // The goals in force when the period was read: a target weight in the units of `system`, a
    // budget of kcal eaten a day; none when not set.
    std::optional<double> targetWeight;
    std::optional<double> dailyCalorieBudget;
    QString system; // "I" or "M"
    // The days with a meal, an activity or a body measurement, in order.
    std::vector<ExportedDay> days;
    // The notes that touch the period, by first day.
    std::vector<ExportedNote> notes;

    bool isEmpty() const { return days.empty(); }
    std::vector<const ExportedNote*> notesOn(const QDate& day) const;
    // Nothing when no day of the period has meals or activities.
    std::optional<PeriodAverages> averages() const;
};

// Reads the days from..to (both included) for the unit system and background burn of `state`.
ExportPeriod readPeriod(deData& de, const AppState& state, const QDate& from, const QDate& to);

// The units of a body measurement's weight and of its girths in the unit system "I" or "M", as the
// measurements window names them.
QString weightUnit(const QString& system);
QString girthUnit(const QString& system);

} // namespace kelvora
