#pragma once

#include <QColor>
#include <QtGlobal>

#include <cmath>

// Colours and pixel conversions shared by the painting code.
namespace zelmar {

namespace colour {
inline const QColor Carbohydrate{0, 255, 0};
inline const QColor Fat{255, 0, 255};
inline const QColor Protein{0, 0, 255};
inline const QColor Ink{0, 0, 0};
inline const QColor Activity{0, 0, 255};
inline const QColor Balance{192, 64, 0};
inline const QColor Background{255, 255, 255};
inline const QColor FrameLight{192, 192, 192};
inline const QColor FrameHighlight{255, 255, 255};
inline const QColor FrameShadow{128, 128, 128};
inline const QColor FrameDarkShadow{64, 64, 64};
} // namespace colour

// Far outside any control, yet small enough for the rasteriser; only absurd data reaches it.
inline constexpr int PixelLimit = 1 << 22;

// Nearest pixel, halves to even, held within PixelLimit (NaN included) so that drawing never meets
// an unrepresentable coordinate.
inline int pixel(double v) {
    const double r = std::nearbyint(v);
    if (!(r > -PixelLimit))
        return -PixelLimit;
    if (!(r < PixelLimit))
        return PixelLimit;
    return static_cast<int>(r);
}

// Nearest value for a 16-bit record field; false when it does not fit.
inline bool toInt16(double v, qint16& out) {
    const double r = std::nearbyint(v);
    if (!(r >= -32768.0 && r <= 32767.0))
        return false;
    out = static_cast<qint16>(r);
    return true;
}

} // namespace zelmar
