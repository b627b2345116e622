#pragma once

#include <QIcon>
#include <QString>

namespace kelvora {

// What the dialogs may ask of the window that shows the day, without knowing that window: redraw
// the day after they stored something, and lend the pictures of its image list. The main window
// implements it and registers itself with the App; until it does, there is no day view.
class DayView {
public:
    virtual ~DayView() = default;

    // Loads and draws the day currentDate again.
    virtual void RePaintGraph() = 0;
    // An image of the window's image list by key ("Plus", "Exit" or a toolbar key); null when the
    // list holds no such key.
    virtual QIcon image(const QString& key) const = 0;
};

} // namespace kelvora
