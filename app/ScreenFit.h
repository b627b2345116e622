#pragma once

#include <QSize>

class QWidget;

namespace kelvora {

// A window opens at the size it wants (its designed size, grown to its content), never larger than
// the free area of its screen, and wholly on that screen. `wanted` is the size without the frame.
void fitOnScreen(QWidget& window, QSize wanted);
// `wanted` (without the frame) bounded by the free area of the window's screen.
QSize sizeOnScreen(const QWidget& window, QSize wanted);

// The width a window needs for its title in the desktop's title bar: the title in a bold face
// beside the room a title bar takes for the window's icon and buttons.
int titleBarWidth(const QWidget& window);

} // namespace kelvora
