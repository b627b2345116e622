#include "MainLayout.h"

#include <algorithm>

namespace kelvora::mainlayout {

namespace {

// The designed boxes of the day controls, in pixels.
constexpr QSize DesignButton{toPixels(855), toPixels(555)};
constexpr QSize DesignDateBox{toPixels(1275), toPixels(375)};
constexpr int Margin = toPixels(60);
// The designed gaps between the controls: date box after Previous, Next after the date box, Help
// after Next.
constexpr int GapBeforeDate = toPixels(1140) - toPixels(60) - toPixels(855);
constexpr int GapBeforeNext = toPixels(2640) - toPixels(1140) - toPixels(1275);
constexpr int GapBeforeHelp = toPixels(3840) - toPixels(2640) - toPixels(855);
// From the bottom of the buttons to the bottom of the client area, and from the bottom of the
// chart to the top of the buttons.
constexpr int BottomGap = toPixels(585) - toPixels(555);
constexpr int GapAboveButtons = toPixels(1050) - toPixels(420) - toPixels(585);
// From the bottom of the toolbar to the top of the chart.
constexpr int GapBelowToolbar = toPixels(420) - toPixels(360);

} // namespace

int minimumHeight(Qt::WindowStates states, int frameHeight, int screenHeight) {
    if (states & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return 0;
    const int outer = screenHeight > 0 ? std::min(MinimumOuterHeight, screenHeight) : MinimumOuterHeight;
    return std::max(0, outer - frameHeight);
}

int minimumClientWidth(const ContentNeeds& needs, QSize dayLine) {
    const QSize button = DesignButton.expandedTo(needs.button);
    const QSize date = DesignDateBox.expandedTo(needs.dateBox);
    const int line = dayLine.isEmpty() ? 0 : GapBeforeHelp + dayLine.width();
    return Margin + button.width() + GapBeforeDate + date.width() + GapBeforeNext + button.width() +
           GapBeforeHelp + button.width() + line + Margin;
}

std::optional<ClientPlacement> placeControls(QSize client, const ContentNeeds& needs, QSize dayLine) {
    const int width = toTwips(client.width());
    const int height = toTwips(client.height());
    if (width < 200 || height < 1200)
        return std::nullopt;
    const int toolbar = std::max(ToolbarHeight, needs.toolbarHeight);
    const QSize button = DesignButton.expandedTo(needs.button);
    const QSize date = DesignDateBox.expandedTo(needs.dateBox);
    const int buttonTop = client.height() - BottomGap - button.height();
    const int graphTop = toolbar + GapBelowToolbar;
    const QRect prev(QPoint(Margin, buttonTop), button);
    // The date box stands on the buttons' bottom line, as designed.
    const QRect dateBox(QPoint(prev.right() + 1 + GapBeforeDate, prev.bottom() + 1 - date.height()), date);
    const QRect next(QPoint(dateBox.right() + 1 + GapBeforeNext, buttonTop), button);
    const QRect help(QPoint(next.right() + 1 + GapBeforeHelp, buttonTop), button);
    // The line keeps Help's gap after it and reads on the date box's line; when it takes two lines
    // they stand centred on it, within the height of the buttons.
    const int lineLeft = help.right() + 1 + GapBeforeHelp;
    const int lineHeight = std::max(date.height(), dayLine.height());
    const int lineTop = std::clamp(dateBox.center().y() - lineHeight / 2, buttonTop,
                                   std::max(buttonTop, prev.bottom() + 1 - lineHeight));
    const QRect line(lineLeft, lineTop, std::max(0, client.width() - Margin - lineLeft), lineHeight);
    return ClientPlacement{
        .graph = QRect(Margin, graphTop, toPixels(width - 120),
                       std::max(0, buttonTop - GapAboveButtons - graphTop)),
        .btnPrev = prev,
        .txtDate = dateBox,
        .btnNext = next,
        .btnHelp = help,
        .dayLine = line,
        .toolbarHeight = toolbar,
    };
}

} // namespace kelvora::mainlayout
