// Tab walks every window the way it is read: down the window, left to right along a row, and up
// again only into a column further right (the button column beside a dialog's fields). Tab goes
// round, so one jump back to the top is the way round; a window may open on any control of it.
#include "AppFixture.h"
#include "WindowWalk.h"
#include "frmMain.h"

#include <QApplication>
#include <QDebug>
#include <QWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

bool reachedByTab(const QWidget& widget, const QWidget& window) {
    return widget.window() == &window && (widget.focusPolicy() & Qt::TabFocus) && widget.isEnabled() &&
           widget.isVisibleTo(&window) && !widget.focusProxy();
}

QString nameOf(const QWidget& widget) {
    return widget.objectName().isEmpty() ? QString::fromLatin1(widget.metaObject()->className())
                                         : widget.objectName();
}

// The controls in the order Tab reaches them, from the one the window opened on once round.
std::vector<QWidget*> tabChain(QWidget& window) {
    std::vector<QWidget*> chain;
    QWidget* first = window.focusWidget() ? window.focusWidget() : window.nextInFocusChain();
    QWidget* next = first;
    do {
        if (reachedByTab(*next, window) && std::find(chain.begin(), chain.end(), next) == chain.end())
            chain.push_back(next);
        next = next->nextInFocusChain();
    } while (next && next != first);
    return chain;
}

// Whether `b` may come after `a` in reading order.
bool readsAfter(const QRect& a, const QRect& b) {
    constexpr int Slack = 2;
    if (b.top() >= a.bottom() - Slack)
        return true; // further down
    if (b.top() < a.bottom() && b.bottom() > a.top())
        return b.left() >= a.left();      // the same row
    return b.left() >= a.right() - Slack; // up, into a column to the right
}

QStringList outOfOrder(QWidget& window) {
    QStringList found;
    const std::vector<QWidget*> chain = tabChain(window);
    const auto place = [&](const QWidget* widget) {
        return QRect(widget->mapTo(&window, QPoint()), widget->size());
    };
    for (std::size_t i = 0; i < chain.size(); ++i) {
        const QWidget* from = chain[i];
        const QWidget* to = chain[(i + 1) % chain.size()];
        if (!readsAfter(place(from), place(to)))
            found << u"Tab goes from %1 back to %2"_s.arg(nameOf(*from), nameOf(*to));
    }
    if (found.size() <= 1)
        found.clear(); // the one way round
    return found;
}

TEST(TabOrder, FollowsTheLayoutOfEveryWindow) {
    AppFixture fx;
    frmMain main;
    const QStringList problems = problemsInEveryWindow(fx, main, outOfOrder);
    EXPECT_TRUE(problems.isEmpty()) << problems.join(u"\n"_s).toStdString();
}

TEST(TabOrder, TheCheckNoticesATabOrderThatJumpsBack) {
    // Three fields one above the other.
    QWidget window;
    QWidget* fields[3];
    const char* const names[] = {"top", "middle", "bottom"};
    for (int i = 0; i < 3; ++i) {
        fields[i] = new QWidget(&window);
        fields[i]->setObjectName(QString::fromLatin1(names[i]));
        fields[i]->setFocusPolicy(Qt::StrongFocus);
        fields[i]->setGeometry(0, 40 * i, 100, 20);
    }
    window.show();
    const auto order = [&](int first, int second, int third) {
        QWidget::setTabOrder(fields[first], fields[second]);
        QWidget::setTabOrder(fields[second], fields[third]);
        fields[first]->setFocus();
    };
    order(0, 2, 1);
    EXPECT_EQ(outOfOrder(window),
              (QStringList{u"Tab goes from bottom back to middle"_s, u"Tab goes from middle back to top"_s}));
    order(0, 1, 2);
    EXPECT_TRUE(outOfOrder(window).isEmpty());
    order(2, 0, 1); // opening on the last field, then round from the top
    EXPECT_TRUE(outOfOrder(window).isEmpty());
}

} // namespace
} // namespace kelvora::test
