#pragma once

#include <QColor>

namespace kelvora {

// How far apart two colours stand for the eye, measured as the web's accessibility guidelines
// (WCAG 2) do: relative luminance from 0 (black) to 1 (white), and a contrast ratio from 1 (the same
// luminance) to 21 (black on white). Text wants 4.5:1, pictures and controls 3:1.
double relativeLuminance(const QColor& colour);
double contrastRatio(const QColor& a, const QColor& b);

// `designed` itself when it stands out from `background` by `ratio`; otherwise the nearest colour of
// its hue and saturation that does, darker on a light background and lighter on a dark one.
QColor standingOut(const QColor& designed, const QColor& background, double ratio);

// `share` (0 to 1) of the way from `from` to `to`.
QColor mixed(const QColor& from, const QColor& to, double share);

} // namespace kelvora
