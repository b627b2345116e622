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
// MinimumOuterHeight high, or as high as the screen's free area when that is less; a minimised,
// maximised or full-screen window keeps the height it was given (0: no minimum).
int minimumHeight(Qt::WindowStates states, int frameHeight, int screenHeight);

// What the controls need with the user's fonts and scale. Where that is more than the design gives
// them, they get what they need and the controls after them move along, so nothing is cut off;
// where the design is enough, they stand exactly where it puts them.
struct ContentNeeds {
    int toolbarHeight = 0;
    QSize button; // the largest of the three day buttons
    QSize dateBox;
};

struct ClientPlacement {
    QRect graph;
    QRect btnPrev;
    QRect txtDate;
    QRect btnNext;
    QRect btnHelp;
    // The line of the day's calories: right of Help at the date box's height, to the right margin.
    QRect dayLine;
    int toolbarHeight = ToolbarHeight;
};

// Where the chart and the day controls go in a client area of this size: the toolbar across the
// top, the chart filling the area below it, the controls along its bottom at their designed left
// edges and gaps. Nothing when the client area is too small to lay out.
// `dayLine` is the least room of the line of the day's calories right of them (none: no such line).
std::optional<ClientPlacement> placeControls(QSize client, const ContentNeeds& needs = {},
                                             QSize dayLine = {});

// The least client width at which the day controls stand side by side without overlapping.
int minimumClientWidth(const ContentNeeds& needs, QSize dayLine = {});

} // namespace kelvora::mainlayout
