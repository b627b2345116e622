#include "Palettes.h"

#include "Contrast.h"

#include <QApplication>
#include <QImage>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace kelvora::test {

namespace {

QPalette lightWith(const QColor& face, const QColor& text) {
    QPalette palette = QApplication::style()->standardPalette();
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Button})
        palette.setColor(role, face);
    palette.setColor(QPalette::Base, Qt::white);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, text);
    return palette;
}

QPalette darkWith(const QColor& face, const QColor& base) {
    QPalette palette(face); // shades and light text derived from the face, as a desktop's scheme does
    palette.setColor(QPalette::Window, face);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, face.lighter(115));
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, QColor(0xee, 0xee, 0xee));
    palette.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x80));
    return palette;
}

} // namespace

std::vector<NamedPalette> lightAndDarkPalettes() {
    return {
        {u"the style's light palette"_s, QApplication::style()->standardPalette(), false},
        {u"near-white light"_s, lightWith(QColor(0xfc, 0xfc, 0xfc), QColor(0x23, 0x26, 0x29)), false},
        {u"grey dark"_s, darkWith(QColor(0x35, 0x35, 0x35), QColor(0x2a, 0x2a, 0x2a)), true},
        {u"near-black dark"_s, darkWith(QColor(0x20, 0x23, 0x26), QColor(0x14, 0x16, 0x18)), true},
    };
}

namespace {
// The windows hear of a new palette through the event loop, as they do on a desktop.
void setApplicationPalette(const QPalette& palette) {
    QApplication::setPalette(palette);
    QApplication::processEvents();
}
} // namespace

ScopedPalette::ScopedPalette(const QPalette& palette) : m_before(QApplication::palette()) {
    setApplicationPalette(palette);
}

ScopedPalette::~ScopedPalette() {
    setApplicationPalette(m_before);
}

ShownColours shownColours(const QImage& picture, QPoint backgroundAt) {
    ShownColours shown{picture.pixelColor(backgroundAt), {}};
    double most = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QColor pixel = picture.pixelColor(x, y);
            const double contrast = contrastRatio(pixel, shown.background);
            if (contrast > most) {
                most = contrast;
                shown.text = pixel;
            }
        }
    }
    return shown;
}

} // namespace kelvora::test
