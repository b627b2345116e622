#include "MainLayout.h"

#include <algorithm>

namespace kelvora::mainlayout {

int minimumHeight(Qt::WindowStates states, int frameHeight) {
    if (states & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return 0;
    return std::max(0, MinimumOuterHeight - frameHeight);
}

std::optional<ClientPlacement> placeControls(QSize client) {
    const int width = toTwips(client.width());
    const int height = toTwips(client.height());
    if (width < 200 || height < 1200)
        return std::nullopt;
    const int buttonTop = toPixels(height - 585);
    const QSize buttonSize(toPixels(855), toPixels(555));
    return ClientPlacement{
        .graph = QRect(toPixels(60), toPixels(420), toPixels(width - 120), toPixels(height - 1050)),
        .btnPrev = QRect(QPoint(toPixels(60), buttonTop), buttonSize),
        .txtDate = QRect(toPixels(1140), toPixels(height - 405), toPixels(1275), toPixels(375)),
        .btnNext = QRect(QPoint(toPixels(2640), buttonTop), buttonSize),
        .btnHelp = QRect(QPoint(toPixels(3840), buttonTop), buttonSize),
    };
}

} // namespace kelvora::mainlayout
