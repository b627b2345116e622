#pragma once

#include <QFont>
#include <QRectF>
#include <QSizeF>

class QPaintDevice;
class QPainter;

namespace kelvora {

// The charts go to paper and to files painted again at the resolution of the device: drawn at their
// on-screen size in screen pixels under a painter that scales them, so that text and lines stay
// text and lines on a vector device and keep the proportions of the screen on every device.

// The largest rectangle with the proportions of `picture` that fits `page`, centred in it.
QRectF fitInto(const QSizeF& picture, const QRectF& page);

// Maps the painter so that a picture of `picture` screen pixels, drawn from (0, 0), fills
// fitInto(picture, page).
void mapPicture(QPainter& painter, const QSizeF& picture, const QRectF& page);

// `font` as it measures on a device of `screenDpi` dots per inch, for a painter on `device` that
// maps screen pixels to the device's own: a point size would otherwise be resolved at the device's
// resolution and then scaled once more. Its family is the one the font resolves to on this system.
QFont fontForDevice(QFont font, int screenDpi, const QPaintDevice& device);

} // namespace kelvora
