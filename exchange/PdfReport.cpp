#include "PdfReport.h"

#include "AppState.h"
#include "Common.h"
#include "DateFields.h"
#include "ExportPeriod.h"
#include "Numeric.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QTextDocument>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

constexpr int PointSize = 9;
constexpr double LigatureBreakingSpacing = 0.05; // device pixels (1/1200 inch), too little to see

struct Cell {
    QString text;
    bool number = false;
};
using Row = std::vector<Cell>;

QString escaped(const QString& text) {
    QString html = text.toHtmlEscaped();
    html.replace(u'\n', u"<br>"_s);
    return html;
}

QString whole(double kcal) {
    return formatNumber(nearest(kcal));
}

QString longDate(const QDate& date) {
    return QLocale().toString(date, QLocale::LongFormat);
}

QString shortDate(const QDate& date) {
    return QLocale().toString(date, shortDateFormat());
}

QString tableHtml(const QStringList& header, const std::vector<Row>& rows, const Row& totals = {}) {
    QString html = u"<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\"><tr>"_s;
    for (const QString& title : header)
        html += u"<th>"_s + escaped(title) + u"</th>"_s;
    html += u"</tr>"_s;
    const auto addRow = [&html](const Row& row, bool bold) {
        html += u"<tr>"_s;
        for (const Cell& cell : row) {
            const QString text =
                bold && !cell.text.isEmpty() ? u"<b>"_s + escaped(cell.text) + u"</b>"_s : escaped(cell.text);
            // A number is never broken over two lines.
            html += (cell.number ? u"<td align=\"right\" style=\"white-space: nowrap\">"_s : u"<td>"_s) +
                    text + u"</td>"_s;
        }
        html += u"</tr>"_s;
    };
    for (const Row& row : rows)
        addRow(row, false);
    if (!totals.empty())
        addRow(totals, true);
    return html + u"</table>"_s;
}

QString mealsHtml(const ExportedDay& day, const AppState& state) {
    std::vector<Row> rows;
    for (const ExportedMeal& meal : day.meals)
        rows.push_back({{displayTime(meal.time, state.timeDisplayFormat)},
                        {meal.name},
                        {meal.category},
                        {NullToText(meal.quantity), true},
                        {meal.unit},
                        {whole(meal.kcal), true},
                        {whole(meal.fat), true},
                        {whole(meal.carbohydrate), true},
                        {whole(meal.protein), true}});
    const Row totals{{},
                     {u"Total (%1 items)"_s.arg(day.meals.size())},
                     {},
                     {},
                     {},
                     {whole(day.eaten), true},
                     {whole(day.fat), true},
                     {whole(day.carbohydrate), true},
                     {whole(day.protein), true}};
    return u"<h3>Meals</h3>"_s + tableHtml({u"Time"_s, u"Meal"_s, u"Category"_s, u"Qty"_s, u"Unit"_s,
                                            u"kcal"_s, u"Fat"_s, u"Carboh."_s, u"Protein"_s},
                                           rows, totals);
}

QString activitiesHtml(const ExportedDay& day, const AppState& state) {
    std::vector<Row> rows;
    for (const ExportedActivity& activity : day.activities)
        rows.push_back({{displayTime(activity.begin, state.timeDisplayFormat)},
                        {displayTime(activity.end, state.timeDisplayFormat)},
                        {activity.name},
                        {NullToText(activity.quantity), true},
                        {activity.unit},
                        {whole(activity.kcal), true}});
    const Row totals{{}, {}, {u"Total (%1 items)"_s.arg(day.activities.size())},
                     {}, {}, {whole(day.burned), true}};
    return u"<h3>Activities</h3>"_s +
           tableHtml({u"Begin"_s, u"End"_s, u"Activity"_s, u"Qty"_s, u"Unit"_s, u"kcal"_s}, rows, totals);
}

const QStringList FigureTitles{u"Eaten"_s,   u"Fat"_s,        u"Carbohydrate"_s,
                               u"Protein"_s, u"Activities"_s, u"Background burn"_s,
                               u"Balance"_s};

Row figuresRow(const std::array<double, 7>& figures) {
    Row row;
    for (const double figure : figures)
        row.push_back({whole(figure), true});
    return row;
}

QString dayTotalsHtml(const ExportedDay& day) {
    return u"<h3>Day totals (kcal)</h3>"_s +
           tableHtml(FigureTitles, {figuresRow({double(day.eaten), double(day.fat), double(day.carbohydrate),
                                                double(day.protein), double(day.burned), day.backgroundBurn,
                                                day.balance})});
}

QString measurementText(const QString& name, const QVariant& value, const QString& unit) {
    return value.isNull() ? QString() : name + u' ' + NullToText(value) + u' ' + unit;
}

QString bodyHtml(const ExportedBody& body) {
    QStringList parts;
    for (const QString& part : {measurementText(u"weight"_s, body.weight, weightUnit(body.system)),
                                measurementText(u"breast"_s, body.breast, girthUnit(body.system)),
                                measurementText(u"waist"_s, body.waist, girthUnit(body.system)),
                                measurementText(u"hips"_s, body.hips, girthUnit(body.system))}) {
        if (!part.isEmpty())
            parts << part;
    }
    return u"<p><b>Body measurement:</b> "_s + escaped(parts.join(u", "_s)) + u"</p>"_s;
}

QString notesHtml(const std::vector<const ExportedNote*>& notes) {
    QString html;
    for (const ExportedNote* note : notes)
        html += u"<p><b>Note, %1 to %2:</b> %3</p>"_s.arg(escaped(shortDate(note->from)),
                                                          escaped(shortDate(note->to)), escaped(note->text));
    return html;
}

QString dayHtml(const ExportPeriod& period, const ExportedDay& day, const AppState& state) {
    QString html = u"<h2>"_s + escaped(longDate(day.date)) + u"</h2>"_s;
    if (!day.meals.empty())
        html += mealsHtml(day, state);
    if (!day.activities.empty())
        html += activitiesHtml(day, state);
    html += dayTotalsHtml(day);
    if (day.body)
        html += bodyHtml(*day.body);
    return html + notesHtml(period.notesOn(day.date));
}

QString averagesHtml(const ExportPeriod& period) {
    const std::optional<PeriodAverages> averages = period.averages();
    if (!averages)
        return u"<h2>Averages</h2><p>No day of the period has meals or activities.</p>"_s;
    return u"<h2>Averages per day (kcal)</h2><p>Over the %1 days with meals or activities.</p>"_s.arg(
               averages->days) +
           tableHtml(FigureTitles,
                     {figuresRow({averages->eaten, averages->fat, averages->carbohydrate, averages->protein,
                                  averages->burned, averages->backgroundBurn, averages->balance})});
}

QString introductionHtml(const ExportPeriod& period) {
    return u"<h1>Kelvora diary</h1><p><b>%1 to %2</b></p>"_s.arg(escaped(longDate(period.from)),
                                                                 escaped(longDate(period.to))) +
           u"<p>Energy is in kilocalories (kcal). Fat, carbohydrate and protein are the kcal that come from "
           "each. The balance of a day is what was eaten, minus the activities, minus a whole day of "
           "background burn at %1 kcal per hour, as Kelvora's daily chart shows it.</p>"_s.arg(
               escaped(formatNumber(period.metabolicRate)));
}

} // namespace

QPageSize::PageSizeId paperSizeFor(const QLocale& locale) {
    // The territories whose paper is Letter; the rest of the world uses A4.
    static constexpr std::array LetterTerritories{
        QLocale::UnitedStates, QLocale::Canada,    QLocale::Mexico,    QLocale::Belize,
        QLocale::Chile,        QLocale::Colombia,  QLocale::CostaRica, QLocale::ElSalvador,
        QLocale::Guatemala,    QLocale::Nicaragua, QLocale::Panama,    QLocale::Philippines,
        QLocale::PuertoRico,   QLocale::Venezuela,
    };
    const bool letter = std::find(LetterTerritories.begin(), LetterTerritories.end(), locale.territory()) !=
                        LetterTerritories.end();
    return letter ? QPageSize::Letter : QPageSize::A4;
}

QString reportHtml(const ExportPeriod& period, const AppState& state) {
    QString html = u"<html><body>"_s + introductionHtml(period);
    for (const ExportedDay& day : period.days)
        html += dayHtml(period, day, state);
    return html + averagesHtml(period) + u"</body></html>"_s;
}

QByteArray pdfReport(const ExportPeriod& period, const AppState& state) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(u"Kelvora"_s);
        writer.setTitle(u"Kelvora diary, %1 to %2"_s.arg(shortDate(period.from), shortDate(period.to)));
        writer.setPageSize(QPageSize(paperSizeFor(QLocale())));
        // The document keeps margins of its own on each page, 2 cm, with the page number below.
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QTextDocument document;
        QFont font = document.defaultFont();
        font.setPointSize(PointSize);
        // Any letter spacing makes Qt leave ligatures out where a script does not need them, so that
        // "ff" stays two letters that a search for a word finds.
        font.setLetterSpacing(QFont::AbsoluteSpacing, LigatureBreakingSpacing);
        document.setDefaultFont(font);
        document.setHtml(reportHtml(period, state));
        document.print(&writer);
    }
    return bytes;
}

} // namespace kelvora
