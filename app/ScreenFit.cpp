#include "ScreenFit.h"

#include <QFontMetrics>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace kelvora {

namespace {
// The icon, the close, maximise and minimise buttons and the margins of a typical title bar.
constexpr int TitleBarChrome = 120;
} // namespace

QSize sizeOnScreen(const QWidget& window, QSize wanted) {
    const QScreen* screen = window.screen();
    if (!screen)
        return wanted;
    // The frame is known once the window system has decorated the window.
    const QSize frame = (window.frameGeometry().size() - window.size()).expandedTo(QSize(0, 0));
    return wanted.boundedTo(screen->availableGeometry().size() - frame);
}

void fitOnScreen(QWidget& window, QSize wanted) {
    const QScreen* screen = window.screen();
    if (!screen)
        return;
    const QRect free = screen->availableGeometry();
    wanted = sizeOnScreen(window, wanted);
    if (wanted != window.size()) {
        const QPoint centre = window.geometry().center();
        window.resize(wanted);
        window.move(centre - QPoint(window.width() / 2, window.height() / 2));
    }
    const QRect outer = window.frameGeometry();
    const int x =
        std::clamp(outer.left(), free.left(), std::max(free.left(), free.right() + 1 - outer.width()));
    const int y =
        std::clamp(outer.top(), free.top(), std::max(free.top(), free.bottom() + 1 - outer.height()));
    if (x != outer.left() || y != outer.top())
        window.move(window.pos() + QPoint(x - outer.left(), y - outer.top()));
}

int titleBarWidth(const QWidget& window) {
    QFont bold = window.font();
    bold.setBold(true);
    return QFontMetrics(bold).horizontalAdvance(window.windowTitle()) + TitleBarChrome;
}

} // namespace kelvora
