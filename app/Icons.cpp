#include "Icons.h"

#include "Contrast.h"

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
#include <initializer_list>
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

// The designed colours, as they stand on a light button face. Outlines are not among them: they take
// the palette's button text.
const QColor PaperWhite(0xfa, 0xfa, 0xfa);
const QColor RimBlue(0x3a, 0x7c, 0xc8);
const QColor FoodOrange(0xe8, 0x7a, 0x1e);
const QColor Cutlery(0x70, 0x78, 0x80);
const QColor RunnerBlue(0x1f, 0x5f, 0xbf);
const QColor RulerYellow(0xf2, 0xc0, 0x2c);
const QColor NoteYellow(0xff, 0xf0, 0x8a);
const QColor PlusGreen(0x2e, 0x9e, 0x3e);
const QColor AlertRed(0xd0, 0x38, 0x2c);
const QColor HelpBlue(0x2a, 0x6c, 0xd6);
const QColor BarBlue(0x5b, 0x8f, 0xd0);
const QColor PrinterGrey(0x9a, 0xa0, 0xa8);
const QColor IronGrey(0x6a, 0x70, 0x78);
const QColor DoorBrown(0x9c, 0x66, 0x30);

// A picture's shapes stand out from the button face by this much: the 3:1 that pictures want, with
// room for the edges that smoothing blends into the face.
constexpr double ShapeContrast = 3.5;
// What a detail drawn on a shape wants: the 3:1 of a picture's parts.
constexpr double MarkContrast = 3.0;
// Outlines are the button text, a little softened towards the face, as a drawn line is beside type.
constexpr double OutlineSoftening = 0.25;

// The colours of one drawing, taken from the palette when it is drawn: the same picture stands on a
// light button face and on a dark one.
class Inks {
public:
    explicit Inks(const QPalette& palette)
        : m_face(palette.color(QPalette::Button)),
          m_line(standingOut(mixed(palette.color(QPalette::ButtonText), m_face, OutlineSoftening), m_face,
                             ShapeContrast)) {}

    // Outlines and strokes.
    const QColor& line() const { return m_line; }
    // A designed colour as it shows on this face: itself where it stands out, else darker or lighter.
    QColor strong(const QColor& designed) const { return standingOut(designed, m_face, ShapeContrast); }
    // The mark on a filled shape of colour `fill`: white, as designed, while it stands out from the
    // fill as a picture's detail should; black on a fill a dark face has made too light for it.
    static QColor markOn(const QColor& fill) {
        return contrastRatio(Qt::white, fill) >= MarkContrast ? QColor(Qt::white) : QColor(Qt::black);
    }

private:
    QColor m_face;
    QColor m_line;
};

QPen pen(const QColor& colour, double width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A plate seen from above, with a helping on it.
void plate(QPainter& p, const Inks& ink, QPointF centre, double radius) {
    p.setPen(pen(ink.line(), 1.5));
    p.setBrush(PaperWhite);
    p.drawEllipse(centre, radius, radius);
    p.setPen(pen(ink.strong(RimBlue), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, radius * 0.68, radius * 0.68);
    p.setPen(Qt::NoPen);
    p.setBrush(ink.strong(FoodOrange));
    p.drawEllipse(centre + QPointF(-radius * 0.1, radius * 0.08), radius * 0.44, radius * 0.38);
    p.setBrush(ink.strong(PlusGreen));
    p.drawEllipse(centre + QPointF(radius * 0.26, -radius * 0.24), radius * 0.26, radius * 0.2);
}

void fork(QPainter& p, const Inks& ink, double x, double top, double bottom) {
    const QColor steel = ink.strong(Cutlery);
    p.setPen(pen(steel, 1.7));
    p.drawLine(QPointF(x, top + 5), QPointF(x, bottom));
    p.setPen(pen(steel, 1.1));
    for (const double dx : {-1.5, 0.0, 1.5})
        p.drawLine(QPointF(x + dx, top), QPointF(x + dx, top + 4));
    p.drawLine(QPointF(x - 1.5, top + 4), QPointF(x + 1.5, top + 4));
}

void knife(QPainter& p, const Inks& ink, double x, double top, double bottom) {
    const QColor steel = ink.strong(Cutlery);
    p.setPen(pen(steel, 1.7));
    p.drawLine(QPointF(x, top), QPointF(x, bottom));
    p.setPen(Qt::NoPen);
    p.setBrush(steel);
    p.drawPie(QRectF(x - 2.2, top, 4.4, 12), 90 * 16, 180 * 16);
}

// A small green disc with a plus in the lower right corner: "add one". Its ring parts it from the
// picture under it.
void plusBadge(QPainter& p, const Inks& ink) {
    const QColor green = ink.strong(PlusGreen);
    const QColor mark = Inks::markOn(green);
    p.setPen(pen(ink.line(), 1.0));
    p.setBrush(green);
    p.drawEllipse(QPointF(18, 18), 5.5, 5.5);
    p.setPen(pen(mark, 2.0));
    p.drawLine(QPointF(18, 15), QPointF(18, 21));
    p.drawLine(QPointF(15, 18), QPointF(21, 18));
}

void runner(QPainter& p, const Inks& ink, double scale) {
    const QColor blue = ink.strong(RunnerBlue);
    p.save();
    p.scale(scale, scale);
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawEllipse(QPointF(15.5, 4), 2.6, 2.6);
    p.setPen(pen(blue, 2.4));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(14.5, 8), QPointF(11.5, 14.5));                            // body
    p.drawPolyline(QPolygonF({{8, 11}, {11, 9}, {14.5, 8}, {17, 11}, {20, 11}})); // arms
    p.drawPolyline(QPolygonF({{11.5, 14.5}, {15.5, 17.5}, {14.5, 22}}));          // front leg
    p.drawPolyline(QPolygonF({{11.5, 14.5}, {8.5, 18.5}, {4, 19.5}}));            // back leg
    p.restore();
}

void ruler(QPainter& p, const Inks& ink, double top) {
    p.setPen(pen(ink.line(), 1.3));
    p.setBrush(RulerYellow);
    p.drawRect(QRectF(1.5, top, 21, 7));
    p.setPen(pen(ink.line(), 1.2));
    for (int i = 0; i < 10; ++i) {
        const double x = 3.5 + 2.0 * i;
        p.drawLine(QPointF(x, top), QPointF(x, top + (i % 2 == 0 ? 4.0 : 2.5)));
    }
}

// Lines of writing on a sheet.
void writing(QPainter& p, const Inks& ink, double left,
             std::initializer_list<std::pair<double, double>> lines) {
    p.setPen(pen(ink.strong(HelpBlue), 1.5));
    for (const auto& [y, right] : lines)
        p.drawLine(QPointF(left, y), QPointF(right, y));
}

void note(QPainter& p, const Inks& ink) {
    QPolygonF sheet({{4, 2.5}, {16, 2.5}, {20.5, 7}, {20.5, 21.5}, {4, 21.5}});
    p.setPen(pen(ink.line(), 1.3));
    p.setBrush(NoteYellow);
    p.drawPolygon(sheet);
    p.drawPolyline(QPolygonF({{16, 2.5}, {16, 7}, {20.5, 7}}));
    writing(p, ink, 7, {{9.5, 17.5}, {12.5, 17.5}, {15.5, 12}});
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

void arrow(QPainter& p, const Inks& ink, bool pointsRight) {
    QPolygonF shape({{3, 9}, {12, 9}, {12, 3.5}, {21, 12}, {12, 20.5}, {12, 15}, {3, 15}});
    if (!pointsRight) {
        for (QPointF& point : shape)
            point.setX(Grid - point.x());
    }
    const QColor blue = ink.strong(RunnerBlue);
    p.setPen(pen(blue, 1.0));
    p.setBrush(blue);
    p.drawPolygon(shape);
}

void drawMealConsume(QPainter& p, const Inks& ink) {
    plate(p, ink, {13.5, 12}, 8);
    fork(p, ink, 2.5, 3, 21);
    knife(p, ink, 23, 3, 21);
}

void drawAddMeal(QPainter& p, const Inks& ink) {
    plate(p, ink, {11, 10}, 7.5);
    fork(p, ink, 1.6, 2, 17);
    plusBadge(p, ink);
}

void drawExercisePerformed(QPainter& p, const Inks& ink) {
    runner(p, ink, 1.0);
}

void drawAddExercise(QPainter& p, const Inks& ink) {
    runner(p, ink, 0.85);
    plusBadge(p, ink);
}

void drawMeasurement(QPainter& p, const Inks& ink) {
    ruler(p, ink, 3.5);
    p.setPen(pen(ink.line(), 1.3));
    p.setBrush(PaperWhite);
    p.drawRect(QRectF(5, 13.5, 14, 8));
    writing(p, ink, 7.5, {{16.5, 16.5}, {19, 14}});
}

void drawAddMeasurement(QPainter& p, const Inks& ink) {
    ruler(p, ink, 4);
    plusBadge(p, ink);
}

void drawAddNote(QPainter& p, const Inks& ink) {
    note(p, ink);
    plusBadge(p, ink);
}

void drawPrintChart(QPainter& p, const Inks& ink) {
    p.setPen(pen(ink.line(), 1.2));
    p.setBrush(PaperWhite);
    p.drawRect(QRectF(6.5, 2.5, 11, 7));
    p.setBrush(ink.strong(PrinterGrey));
    p.drawRoundedRect(QRectF(2.5, 8.5, 19, 9), 1.5, 1.5);
    p.setBrush(PaperWhite);
    p.drawRect(QRectF(6.5, 14.5, 11, 7.5));
    p.setPen(pen(ink.strong(AlertRed), 1.4));
    p.drawPolyline(QPolygonF({{8, 20.5}, {10.5, 17.5}, {13, 19}, {16, 16}}));
    p.setPen(Qt::NoPen);
    p.setBrush(PlusGreen);
    p.drawEllipse(QPointF(18.5, 11), 1.1, 1.1);
}

void drawGeneralProgress(QPainter& p, const Inks& ink) {
    p.setPen(pen(ink.line(), 1.4));
    p.drawPolyline(QPolygonF({{3, 2.5}, {3, 21}, {22, 21}}));
    p.setPen(Qt::NoPen);
    p.setBrush(ink.strong(BarBlue));
    for (const auto& [x, h] :
         std::array<std::pair<double, double>, 4>{{{5.5, 5}, {9.5, 8}, {13.5, 6}, {17.5, 10}}})
        p.drawRect(QRectF(x, 21 - h, 3, h));
    p.setPen(pen(ink.strong(AlertRed), 2.0));
    p.drawPolyline(QPolygonF({{5, 14}, {9.5, 10}, {13.5, 11.5}, {20.5, 3.5}}));
}

void drawMealCategories(QPainter& p, const Inks& ink) {
    const std::array<QColor, 3> bullets{AlertRed, PlusGreen, RulerYellow};
    for (int row = 0; row < 3; ++row) {
        const double y = 5.5 + 6.5 * row;
        p.setPen(pen(ink.line(), 0.9));
        p.setBrush(bullets[static_cast<std::size_t>(row)]);
        p.drawRect(QRectF(2.5, y - 2.5, 5, 5));
        p.setPen(pen(ink.line(), 1.8));
        p.drawLine(QPointF(10.5, y), QPointF(21.5, y));
    }
}

void drawMeal(QPainter& p, const Inks& ink) {
    const QColor red = ink.strong(AlertRed);
    p.setPen(pen(red, 1.0));
    p.setBrush(red);
    QPainterPath apple;
    apple.moveTo(12, 8);
    apple.cubicTo(17, 4.5, 23, 8, 20.5, 15.5);
    apple.cubicTo(19, 20.5, 15, 22.5, 12, 20.5);
    apple.cubicTo(9, 22.5, 5, 20.5, 3.5, 15.5);
    apple.cubicTo(1, 8, 7, 4.5, 12, 8);
    p.drawPath(apple);
    p.setPen(pen(ink.strong(DoorBrown), 1.6));
    p.drawLine(QPointF(12, 8), QPointF(13, 3));
    p.setPen(Qt::NoPen);
    p.setBrush(ink.strong(PlusGreen));
    p.drawEllipse(QRectF(13.5, 1.5, 5.5, 3.5));
}

void drawExercises(QPainter& p, const Inks& ink) {
    p.setPen(pen(ink.line(), 2.2));
    p.drawLine(QPointF(5, 12), QPointF(19, 12));
    p.setPen(pen(ink.line(), 1.0));
    p.setBrush(ink.strong(IronGrey));
    // Two weights on each end of the bar, the inner ones larger.
    for (const QRectF& weight :
         {QRectF(2, 8, 3, 8), QRectF(5.5, 5, 3, 14), QRectF(15.5, 5, 3, 14), QRectF(19, 8, 3, 8)})
        p.drawRoundedRect(weight, 1, 1);
}

void drawHelpAbout(QPainter& p, const Inks& ink) {
    const QColor blue = ink.strong(HelpBlue);
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawEllipse(QPointF(12, 12), 10.5, 10.5);
    p.setBrush(Inks::markOn(blue));
    p.drawEllipse(QPointF(12, 6.8), 1.8, 1.8);
    p.drawRoundedRect(QRectF(10.3, 10, 3.4, 9), 1, 1);
}

void drawHelpContents(QPainter& p, const Inks& ink) {
    const QColor blue = ink.strong(HelpBlue);
    p.setPen(pen(ink.line(), 1.2));
    p.setBrush(PaperWhite);
    p.drawRect(QRectF(5.5, 3.5, 16, 18.5));
    p.setBrush(blue);
    p.drawRect(QRectF(3, 2, 15.5, 18.5));
    p.save();
    p.translate(-1.2, -0.8);
    p.scale(0.92, 0.92);
    questionMark(p, Inks::markOn(blue), 2.6);
    p.restore();
}

void drawPlus(QPainter& p, const Inks& ink) {
    p.setPen(pen(ink.strong(PlusGreen), 4.5));
    p.drawLine(QPointF(12, 3.5), QPointF(12, 20.5));
    p.drawLine(QPointF(3.5, 12), QPointF(20.5, 12));
}

void drawExit(QPainter& p, const Inks& ink) {
    p.setPen(pen(ink.line(), 1.2));
    p.setBrush(ink.strong(DoorBrown));
    p.drawRect(QRectF(3, 2.5, 10, 19));
    p.setBrush(RulerYellow);
    p.drawEllipse(QPointF(10.8, 12), 1.1, 1.1);
    p.setPen(pen(ink.strong(AlertRed), 2.4));
    p.drawLine(QPointF(14, 12), QPointF(21.5, 12));
    p.drawPolyline(QPolygonF({{18.5, 8.5}, {22, 12}, {18.5, 15.5}}));
}

void drawPrevious(QPainter& p, const Inks& ink) {
    arrow(p, ink, false);
}
void drawNext(QPainter& p, const Inks& ink) {
    arrow(p, ink, true);
}

void drawHelp(QPainter& p, const Inks& ink) {
    const QColor blue = ink.strong(HelpBlue);
    p.setPen(pen(blue, 1.0));
    p.setBrush(blue);
    p.drawEllipse(QPointF(12, 12), 10.5, 10.5);
    questionMark(p, Inks::markOn(blue), 2.6);
}

// The toolbar's overflow button: two chevrons pointing where the hidden keys are.
void chevrons(QPainter& p, const Inks& ink, bool down) {
    p.setPen(pen(ink.line(), 1.8));
    p.setBrush(Qt::NoBrush);
    for (const double at : {7.0, 13.0}) {
        const QPolygonF chevron{{QPointF(at, 7), QPointF(at + 5, 12), QPointF(at, 17)}};
        p.drawPolyline(down ? QTransform(0, 1, 1, 0, 0, 0).map(chevron) : chevron);
    }
}
void drawMoreRight(QPainter& p, const Inks& ink) {
    chevrons(p, ink, false);
}
void drawMoreDown(QPainter& p, const Inks& ink) {
    chevrons(p, ink, true);
}

using Painter = void (*)(QPainter&, const Inks&);

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

QPixmap render(Painter paint, QSize size, const Inks& ink) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const double side = std::min(size.width(), size.height());
    painter.translate((size.width() - side) / 2, (size.height() - side) / 2);
    painter.scale(side / Grid, side / Grid);
    paint(painter, ink);
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

// A pictogram drawn from its drawing on the 24 x 24 grid, in the colours of the application's palette
// at the moment it is drawn: after a change of palette it is drawn anew, under another cache name.
class PictogramEngine final : public OnDemandIconEngine {
public:
    PictogramEngine(QStringView key, Painter paint) : m_key(key.toString()), m_paint(paint) {}

    QIconEngine* clone() const override { return new PictogramEngine(*this); }
    QString key() const override { return u"KelvoraPictogram"_s; }

protected:
    // Named by the palette's own key: working out the inks is left to a picture not yet drawn.
    QString name() const override { return m_key + QString::number(QApplication::palette().cacheKey()); }
    QPixmap make(const QSize& size) const override {
        return render(m_paint, size, Inks(QApplication::palette()));
    }

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
