#include "ChartOutput.h"

#include <QFontInfo>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>

namespace kelvora {

QRectF fitInto(const QSizeF& picture, const QRectF& page) {
    if (picture.isEmpty() || page.isEmpty())
        return {page.center(), QSizeF()};
    const double scale = std::min(page.width() / picture.width(), page.height() / picture.height());
    QRectF fitted(QPointF(), picture * scale);
    fitted.moveCenter(page.center());
    return fitted;
}

void mapPicture(QPainter& painter, const QSizeF& picture, const QRectF& page) {
    const QRectF fitted = fitInto(picture, page);
    painter.translate(fitted.topLeft());
    if (!picture.isEmpty())
        painter.scale(fitted.width() / picture.width(), fitted.height() / picture.height());
}

QFont fontForDevice(QFont font, int screenDpi, const QPaintDevice& device) {
    // By the family the screen found for it rather than an alias ("Sans Serif") that only this
    // system knows: an SVG file names its fonts for other programs to find.
    font.setFamily(QFontInfo(font).family());
    // A font given in pixels already measures in the painter's units.
    if (font.pointSizeF() > 0 && device.logicalDpiY() > 0)
        font.setPointSizeF(font.pointSizeF() * screenDpi / device.logicalDpiY());
    return font;
}

} // namespace kelvora
