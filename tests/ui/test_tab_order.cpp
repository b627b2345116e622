// Tab walks every window the way it is read: down the window, left to right along a row, and up
// again only into a column further right (the button column beside a dialog's fields).
#include "AppFixture.h"
#include "WindowWalk.h"
#include "frmMain.h"

#include <QApplication>
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
    for (std::size_t i = 1; i < chain.size(); ++i)
        if (!readsAfter(place(chain[i - 1]), place(chain[i])))
            found << u"Tab goes from %1 back to %2"_s.arg(nameOf(*chain[i - 1]), nameOf(*chain[i]));
    return found;
}

TEST(TabOrder, FollowsTheLayoutOfEveryWindow) {
    AppFixture fx;
    frmMain main;
    QStringList problems;
    forEachOpenWindow(fx, main, [&](QWidget& window, const QString& what) {
        for (const QString& problem : outOfOrder(window))
            problems << what + u": "_s + problem;
    });
    EXPECT_TRUE(problems.isEmpty()) << problems.join(u"\n"_s).toStdString();
}

TEST(TabOrder, TheCheckNoticesATabOrderThatJumpsBack) {
    // Two fields one above the other, reached bottom first.
    QWidget window;
    auto* top = new QWidget(&window);
    auto* bottom = new QWidget(&window);
    for (QWidget* field : {top, bottom}) {
        field->setFocusPolicy(Qt::StrongFocus);
        field->resize(100, 20);
    }
    top->setObjectName(u"top"_s);
    bottom->setObjectName(u"bottom"_s);
    bottom->move(0, 40);
    window.show();
    QWidget::setTabOrder(bottom, top);
    bottom->setFocus();
    EXPECT_EQ(outOfOrder(window), QStringList{u"Tab goes from bottom back to top"_s});
    QWidget::setTabOrder(top, bottom);
    top->setFocus();
    EXPECT_TRUE(outOfOrder(window).isEmpty());
}

} // namespace
} // namespace kelvora::test
