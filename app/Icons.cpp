#include "Icons.h"

#include <QApplication>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <array>
#include <utility>

using namespace Qt::StringLiterals;

// The program icon is a resource of a static library: naming its initialiser keeps the linker from
// dropping it. The macro declares a global function, so it cannot be used inside a namespace.
static void initProgramIconResource() {
    Q_INIT_RESOURCE(kelvora_icons);
}

namespace kelvora {

namespace {

// The sizes the program icon is shipped in (desktop/icons), the ones desktops ask for most.
constexpr std::array<int, 8> ProgramIconSizes{16, 22, 24, 32, 48, 64, 128, 256};

// Every pictogram is drawn on a 24 x 24 grid and scaled to the sizes the toolbar and buttons ask for.
constexpr double Grid = 24.0;

const QColor Outline(0x40, 0x40, 0x40);
const QColor PlateWhite(0xfa, 0xfa, 0xfa);
const QColor PlateRim(0xc8, 0xd2, 0xdc);
const QColor Cutlery(0x70, 0x78, 0x80);
const QColor RunnerBlue(0x1f, 0x5f, 0xbf);
const QColor RulerYellow(0xf2, 0xc0, 0x2c);
const QColor NoteYellow(0xff, 0xf0, 0x8a);
const QColor PlusGreen(0x2e, 0x9e, 0x3e);
const QColor AlertRed(0xd0, 0x38, 0x2c);
const QColor HelpBlue(0x2a, 0x6c, 0xd6);
const QColor PrinterGrey(0x9a, 0xa0, 0xa8);
const QColor DoorBrown(0x9c, 0x66, 0x30);

QPen pen(const QColor& colour, double width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void plate(QPainter& p, QPointF centre, double radius) {
    p.setPen(pen(Outline, 1.0));
    p.setBrush(PlateWhite);
    p.drawEllipse(centre, radius, radius);
    p.setPen(pen(PlateRim, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, radius * 0.62, radius * 0.62);
}

void fork(QPainter& p, double x, double top, double bottom) {
    p.setPen(pen(Cutlery, 1.4));
    p.drawLine(QPointF(x, top + 5), QPointF(x, bottom));
    p.setPen(pen(Cutlery, 1.0));
    for (const double dx : {-1.5, 0.0, 1.5})
        p.drawLine(QPointF(x + dx, top), QPointF(x + dx, top + 4));
    p.drawLine(QPointF(x - 1.5, top + 4), QPointF(x + 1.5, top + 4));
}

void knife(QPainter& p, double x, double top, double bottom) {
    p.setPen(pen(Cutlery, 1.4));
    p.drawLine(QPointF(x, top), QPointF(x, bottom));
    p.setPen(Qt::NoPen);
    p.setBrush(Cutlery);
    p.drawPie(QRectF(x - 2.2, top, 4.4, 12), 90 * 16, 180 * 16);
}

// A small green disc with a white plus in the lower right corner: "add one".
void plusBadge(QPainter& p) {
    p.setPen(pen(Qt::white, 1.0));
    p.setBrush(PlusGreen);
    p.drawEllipse(QPointF(18, 18), 5.5, 5.5);
    p.setPen(pen(Qt::white, 2.0));
    p.drawLine(QPointF(18, 15), QPointF(18, 21));
    p.drawLine(QPointF(15, 18), QPointF(21, 18));
}

void runner(QPainter& p, double scale) {
    p.save();
    p.scale(scale, scale);
    p.setPen(Qt::NoPen);
    p.setBrush(RunnerBlue);
    p.drawEllipse(QPointF(15.5, 4), 2.6, 2.6);
    p.setPen(pen(RunnerBlue, 2.4));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(14.5, 8), QPointF(11.5, 14.5));                            // body
    p.drawPolyline(QPolygonF({{8, 11}, {11, 9}, {14.5, 8}, {17, 11}, {20, 11}})); // arms
    p.drawPolyline(QPolygonF({{11.5, 14.5}, {15.5, 17.5}, {14.5, 22}}));          // front leg
    p.drawPolyline(QPolygonF({{11.5, 14.5}, {8.5, 18.5}, {4, 19.5}}));            // back leg
    p.restore();
}

void ruler(QPainter& p, double top) {
    p.setPen(pen(Outline, 1.0));
    p.setBrush(RulerYellow);
    p.drawRect(QRectF(1.5, top, 21, 7));
    p.setPen(pen(Outline, 1.0));
    for (int i = 0; i < 10; ++i) {
        const double x = 3.5 + 2.0 * i;
        p.drawLine(QPointF(x, top), QPointF(x, top + (i % 2 == 0 ? 3.5 : 2.0)));
    }
}

void note(QPainter& p) {
    QPolygonF sheet({{4, 2.5}, {16, 2.5}, {20.5, 7}, {20.5, 21.5}, {4, 21.5}});
    p.setPen(pen(Outline, 1.0));
    p.setBrush(NoteYellow);
    p.drawPolygon(sheet);
    p.drawPolyline(QPolygonF({{16, 2.5}, {16, 7}, {20.5, 7}}));
    p.setPen(pen(Outline.lighter(180), 1.0));
    for (const double y : {9.5, 12.5, 15.5})
        p.drawLine(QPointF(7, y), QPointF(17.5, y));
}

void questionMark(QPainter& p, const QColor& colour, double width) {
    QPainterPath hook;
    hook.moveTo(8.5, 9);
    hook.cubicTo(8.5, 4.5, 15.5, 4.5, 15.5, 9);
    hook.cubicTo(15.5, 12, 12, 12, 12, 15);
    p.setPen(pen(colour, width));
    p.setBrush(Qt::NoBrush);
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QPointF(12, 19), width * 0.7, width * 0.7);
}

void arrow(QPainter& p, bool pointsRight) {
    QPolygonF shape({{3, 9}, {12, 9}, {12, 3.5}, {21, 12}, {12, 20.5}, {12, 15}, {3, 15}});
    if (!pointsRight) {
        for (QPointF& point : shape)
            point.setX(Grid - point.x());
    }
    p.setPen(pen(RunnerBlue.darker(130), 1.0));
    p.setBrush(RunnerBlue);
    p.drawPolygon(shape);
}

void drawMealConsume(QPainter& p) {
    plate(p, {13.5, 12}, 8);
    fork(p, 3, 3, 21);
    knife(p, 23, 3, 21);
}

void drawAddMeal(QPainter& p) {
    plate(p, {11, 10}, 7.5);
    fork(p, 1.8, 2, 17);
    plusBadge(p);
}

void drawExercisePerformed(QPainter& p) {
    runner(p, 1.0);
}

void drawAddExercise(QPainter& p) {
    runner(p, 0.85);
    plusBadge(p);
}

void drawMeasurement(QPainter& p) {
    ruler(p, 3.5);
    p.setPen(pen(Outline, 1.0));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5, 13.5, 14, 8));
    p.setPen(pen(Outline.lighter(180), 1.0));
    p.drawLine(QPointF(7, 16.5), QPointF(17, 16.5));
    p.drawLine(QPointF(7, 19), QPointF(14, 19));
}

void drawAddMeasurement(QPainter& p) {
    ruler(p, 4);
    plusBadge(p);
}

void drawAddNote(QPainter& p) {
    note(p);
    plusBadge(p);
}

void drawPrintChart(QPainter& p) {
    p.setPen(pen(Outline, 1.0));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 2.5, 11, 7));
    p.setBrush(PrinterGrey);
    p.drawRoundedRect(QRectF(2.5, 8.5, 19, 9), 1.5, 1.5);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 14.5, 11, 7.5));
    p.setPen(pen(AlertRed, 1.2));
    p.drawPolyline(QPolygonF({{8, 20.5}, {10.5, 17.5}, {13, 19}, {16, 16}}));
    p.setPen(Qt::NoPen);
    p.setBrush(PlusGreen);
    p.drawEllipse(QPointF(18.5, 11), 1, 1);
}

void drawGeneralProgress(QPainter& p) {
    p.setPen(pen(Outline, 1.2));
    p.drawPolyline(QPolygonF({{3, 2.5}, {3, 21}, {22, 21}}));
    p.setPen(Qt::NoPen);
    p.setBrush(PlateRim);
    for (const auto& [x, h] :
         std::array<std::pair<double, double>, 4>{{{5.5, 5}, {9.5, 8}, {13.5, 6}, {17.5, 10}}})
        p.drawRect(QRectF(x, 21 - h, 3, h));
    p.setPen(pen(AlertRed, 2.0));
    p.drawPolyline(QPolygonF({{5, 16}, {9.5, 12}, {13.5, 13.5}, {20.5, 5}}));
}

void drawMealCategories(QPainter& p) {
    const std::array<QColor, 3> bullets{AlertRed, PlusGreen, RulerYellow};
    for (int row = 0; row < 3; ++row) {
        const double y = 5.5 + 6.5 * row;
        p.setPen(pen(Outline, 0.8));
        p.setBrush(bullets[static_cast<std::size_t>(row)]);
        p.drawRect(QRectF(2.5, y - 2.5, 5, 5));
        p.setPen(pen(Outline, 1.6));
        p.drawLine(QPointF(10.5, y), QPointF(21.5, y));
    }
}

void drawMeal(QPainter& p) {
    p.setPen(pen(AlertRed.darker(140), 1.0));
    p.setBrush(AlertRed);
    QPainterPath apple;
    apple.moveTo(12, 8);
    apple.cubicTo(17, 4.5, 23, 8, 20.5, 15.5);
    apple.cubicTo(19, 20.5, 15, 22.5, 12, 20.5);
    apple.cubicTo(9, 22.5, 5, 20.5, 3.5, 15.5);
    apple.cubicTo(1, 8, 7, 4.5, 12, 8);
    p.drawPath(apple);
    p.setPen(pen(DoorBrown, 1.4));
    p.drawLine(QPointF(12, 8), QPointF(13, 3));
    p.setPen(Qt::NoPen);
    p.setBrush(PlusGreen);
    p.drawEllipse(QRectF(13.5, 2, 5, 3));
}

void drawExercises(QPainter& p) {
    p.setPen(pen(Outline, 2.0));
    p.drawLine(QPointF(5, 12), QPointF(19, 12));
    p.setPen(pen(Outline, 1.0));
    p.setBrush(PrinterGrey.darker(120));
    // Two weights on each end of the bar, the inner ones larger.
    for (const QRectF& weight :
         {QRectF(2, 8, 3, 8), QRectF(5.5, 5, 3, 14), QRectF(15.5, 5, 3, 14), QRectF(19, 8, 3, 8)})
        p.drawRoundedRect(weight, 1, 1);
}

void drawHelpAbout(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(HelpBlue);
    p.drawEllipse(QPointF(12, 12), 10.5, 10.5);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(12, 6.8), 1.8, 1.8);
    p.drawRoundedRect(QRectF(10.3, 10, 3.4, 9), 1, 1);
}

void drawHelpContents(QPainter& p) {
    p.setPen(pen(Outline, 1.0));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5.5, 3.5, 16, 18.5));
    p.setBrush(HelpBlue);
    p.drawRect(QRectF(3, 2, 15.5, 18.5));
    p.save();
    p.translate(-1.2, -0.8);
    p.scale(0.92, 0.92);
    questionMark(p, Qt::white, 2.6);
    p.restore();
}

void drawPlus(QPainter& p) {
    p.setPen(pen(PlusGreen, 4.5));
    p.drawLine(QPointF(12, 3.5), QPointF(12, 20.5));
    p.drawLine(QPointF(3.5, 12), QPointF(20.5, 12));
}

void drawExit(QPainter& p) {
    p.setPen(pen(Outline, 1.0));
    p.setBrush(DoorBrown);
    p.drawRect(QRectF(3, 2.5, 10, 19));
    p.setBrush(RulerYellow);
    p.drawEllipse(QPointF(11, 12), 1, 1);
    p.setPen(pen(AlertRed, 2.4));
    p.drawLine(QPointF(14, 12), QPointF(21.5, 12));
    p.drawPolyline(QPolygonF({{18.5, 8.5}, {22, 12}, {18.5, 15.5}}));
}

void drawPrevious(QPainter& p) {
    arrow(p, false);
}
void drawNext(QPainter& p) {
    arrow(p, true);
}

void drawHelp(QPainter& p) {
    p.setPen(pen(HelpBlue.darker(130), 1.0));
    p.setBrush(HelpBlue);
    p.drawEllipse(QPointF(12, 12), 10.5, 10.5);
    questionMark(p, Qt::white, 2.6);
}

// The toolbar's overflow button: two chevrons pointing where the hidden keys are.
void chevrons(QPainter& p, bool down) {
    p.setPen(pen(Outline, 1.8));
    p.setBrush(Qt::NoBrush);
    for (const double at : {7.0, 13.0}) {
        const QPolygonF chevron{{QPointF(at, 7), QPointF(at + 5, 12), QPointF(at, 17)}};
        p.drawPolyline(down ? QTransform(0, 1, 1, 0, 0, 0).map(chevron) : chevron);
    }
}
void drawMoreRight(QPainter& p) {
    chevrons(p, false);
}
void drawMoreDown(QPainter& p) {
    chevrons(p, true);
}

using Painter = void (*)(QPainter&);

struct Entry {
    QStringView key;
    Painter paint;
};

constexpr std::array<Entry, 21> Pictograms{{
    {u"mnuMealConsume", drawMealConsume},
    {u"mnuAddMeal", drawAddMeal},
    {u"mnuExercisePerformed", drawExercisePerformed},
    {u"mnuAddExercise", drawAddExercise},
    {u"mnuMeasurement", drawMeasurement},
    {u"mnuAddMeasurement", drawAddMeasurement},
    {u"mnuAddNote", drawAddNote},
    {u"mnuPrintChart", drawPrintChart},
    {u"mnuGeneralProgress", drawGeneralProgress},
    {u"mnuMealCategories", drawMealCategories},
    {u"mnuMeal", drawMeal},
    {u"mnuExercises", drawExercises},
    {u"mnuHelpAbout", drawHelpAbout},
    {u"mnuHelpContents", drawHelpContents},
    {u"Plus", drawPlus},
    {u"Exit", drawExit},
    {u"Previous", drawPrevious},
    {u"Next", drawNext},
    {u"Help", drawHelp},
    {u"MoreRight", drawMoreRight},
    {u"MoreDown", drawMoreDown},
}};

QPixmap render(Painter paint, QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const double side = std::min(size.width(), size.height());
    painter.translate((size.width() - side) / 2, (size.height() - side) / 2);
    painter.scale(side / Grid, side / Grid);
    paint(painter);
    return pixmap;
}

// An icon whose pictures are made at the size asked for, when it is asked for: a window shows a few
// sizes of a few pictures, and making only those keeps them sharp and the start quick.
class OnDemandIconEngine : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap picture = pixmap(rect.size() * ratio, mode, state);
        picture.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, picture);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        if (size.isEmpty())
            return {};
        const QString cacheKey = u"kelvora-icon-%1-%2x%3-%4"_s.arg(name())
                                     .arg(size.width())
                                     .arg(size.height())
                                     .arg(static_cast<int>(mode));
        QPixmap picture;
        if (QPixmapCache::find(cacheKey, &picture))
            return picture;
        picture = make(size);
        // Disabled and selected pictures are derived from the normal one, as the style does for any icon.
        if (mode != QIcon::Normal) {
            QStyleOption option;
            option.palette = QApplication::palette();
            picture = QApplication::style()->generatedIconPixmap(mode, picture, &option);
        }
        QPixmapCache::insert(cacheKey, picture);
        return picture;
    }

protected:
    // Names the picture in the pixmap cache.
    virtual QString name() const = 0;
    virtual QPixmap make(const QSize& size) const = 0;
};

// A pictogram drawn from its drawing on the 24 x 24 grid.
class PictogramEngine final : public OnDemandIconEngine {
public:
    PictogramEngine(QStringView key, Painter paint) : m_key(key.toString()), m_paint(paint) {}

    QIconEngine* clone() const override { return new PictogramEngine(*this); }
    QString key() const override { return u"KelvoraPictogram"_s; }

protected:
    QString name() const override { return m_key; }
    QPixmap make(const QSize& size) const override { return render(m_paint, size); }

private:
    QString m_key;
    Painter m_paint;
};

// The icon the desktop shows for the program, rendered from one drawing at every size it comes in.
// A size is read from its file only when a window system asks for it.
class ProgramIconEngine final : public OnDemandIconEngine {
public:
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (const int side : ProgramIconSizes)
            sizes.append(QSize(side, side));
        return sizes;
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min({size.width(), size.height(), ProgramIconSizes.back()});
        return {side, side};
    }

    QIconEngine* clone() const override { return new ProgramIconEngine(*this); }
    QString key() const override { return u"KelvoraProgramIcon"_s; }

protected:
    QString name() const override { return u"Program"_s; }
    QPixmap make(const QSize& size) const override {
        // The smallest shipped size that covers the request, scaled down if it is larger; never
        // scaled up beyond the largest.
        const int wanted = std::min(size.width(), size.height());
        const auto shipped = std::find_if(ProgramIconSizes.begin(), ProgramIconSizes.end(),
                                          [wanted](int side) { return side >= wanted; });
        const int side = shipped == ProgramIconSizes.end() ? ProgramIconSizes.back() : *shipped;
        // Naming the format keeps the reader from loading every image plugin to ask whether it
        // knows the file better.
        QImageReader reader(u":/kelvora/icons/kelvora-%1.png"_s.arg(side), "png");
        reader.setAutoDetectImageFormat(false);
        QImage image = reader.read();
        if (side > wanted)
            image = image.scaled(wanted, wanted, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        return QPixmap::fromImage(std::move(image));
    }
};

QIcon programIcon() {
    initProgramIconResource();
    return QIcon(new ProgramIconEngine); // the icon owns its engine
}

} // namespace

QIcon pictogram(QStringView key) {
    if (key == u"Program")
        return programIcon();
    for (const Entry& entry : Pictograms) {
        if (entry.key == key)
            return QIcon(new PictogramEngine(entry.key, entry.paint)); // the icon owns its engine
    }
    return {};
}

} // namespace kelvora
