#pragma once

#include <QRect>
#include <QSize>
#include <Qt>

#include <optional>

namespace kelvora::mainlayout {

// The main window's geometry as designed, in twips (15 to the pixel), and the rule that keeps it
// on every resize.
inline constexpr int TwipsPerPixel = 15;

constexpr int toPixels(int twips) {
    return twips / TwipsPerPixel;
}
constexpr int toTwips(int pixels) {
    return pixels * TwipsPerPixel;
}

inline constexpr QSize DesignClientSize{toPixels(10275), toPixels(6525)};
inline constexpr int ToolbarHeight = toPixels(360);
// 8000 twips, rounded up to whole pixels so that a window this high is no longer "less than 8000".
inline constexpr int MinimumOuterHeight = (8000 + TwipsPerPixel - 1) / TwipsPerPixel;

// The least height of the window (without its frame) in these states: in the normal state the
// window with its frame, `frameHeight` pixels of title bar and borders, is at least
// MinimumOuterHeight high; a minimised, maximised or full-screen window keeps the height it was
// given (0: no minimum).
int minimumHeight(Qt::WindowStates states, int frameHeight);

struct ClientPlacement {
    QRect graph;
    QRect btnPrev;
    QRect txtDate;
    QRect btnNext;
    QRect btnHelp;
};

// Where the chart and the day controls go in a client area of this size: the chart fills it below
// the toolbar, the controls sit along its bottom at their designed left edges. Nothing when the
// client area is too small to lay out.
std::optional<ClientPlacement> placeControls(QSize client);

} // namespace kelvora::mainlayout
