// Every window fits what it shows and the screen it is shown on: at the default font, at a font half
// as large again, and (in the run at scale 2) at twice the scale, on a 1400 x 1000 desktop.
#include "AppFixture.h"
#include "ElidedLabel.h"
#include "ReportList.h"
#include "WindowWalk.h"
#include "deData.h"
#include "frmMain.h"
#include "frmMeal.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

// Widgets whose insides are their own business: they lay out their parts themselves, and parts of
// a scrolled view lie outside it on purpose.
bool isComposite(const QWidget* widget) {
    return qobject_cast<const QAbstractScrollArea*>(widget) ||
           qobject_cast<const QAbstractSpinBox*>(widget) || qobject_cast<const QComboBox*>(widget) ||
           qobject_cast<const QToolBar*>(widget) || qobject_cast<const QMenuBar*>(widget) ||
           widget->inherits("ZelmarGraph");
}

QString describe(const QWidget* widget) {
    const QString name = widget->objectName().isEmpty()
                             ? QString::fromLatin1(widget->metaObject()->className())
                             : widget->objectName();
    return name + (widget->property("text").isValid() ? u" \""_s + widget->property("text").toString() + u'"'
                                                      : QString());
}

QString size(const QSize& s) {
    return u"%1x%2"_s.arg(s.width()).arg(s.height());
}

// What does not fit in `window`: a child reaching outside it, a child squeezed below its least
// size, the window larger than the screen or off it.
QStringList misfits(QWidget& window) {
    QStringList found;
    const QRect screen = window.screen()->availableGeometry();
    const QRect frame = window.frameGeometry();
    if (frame.width() > screen.width() || frame.height() > screen.height())
        found << u"the window is %1, the screen %2"_s.arg(size(frame.size()), size(screen.size()));
    else if (!screen.contains(frame))
        found << u"the window at (%1, %2) reaches off the screen"_s.arg(frame.x()).arg(frame.y());
    // A title bar shows the title in bold beside the window's icon and buttons.
    QFont bold = window.font();
    bold.setBold(true);
    const int title = QFontMetrics(bold).horizontalAdvance(window.windowTitle()) + 100;
    if (window.width() < title && title <= screen.width())
        found << u"the window is %1 wide, its title needs %2"_s.arg(window.width()).arg(title);

    const std::function<void(QWidget&)> walk = [&](QWidget& parent) {
        for (QWidget* child : parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->isWindow() || !child->isVisible())
                continue;
            const QRect inWindow(child->mapTo(&window, QPoint(0, 0)), child->size());
            if (!window.rect().contains(inWindow))
                found << u"%1 at %2,%3 %4 reaches outside the window of %5"_s.arg(describe(child))
                             .arg(inWindow.x())
                             .arg(inWindow.y())
                             .arg(size(inWindow.size()), size(window.size()));
            const QSize least = child->minimumSizeHint();
            if (least.isValid() && (child->width() < least.width() || child->height() < least.height()))
                found << u"%1 is %2, less than the %3 it needs"_s.arg(describe(child), size(child->size()),
                                                                      size(least));
            // Columns may scroll only in a window that is already as wide as the screen allows.
            if (auto* list = qobject_cast<ReportList*>(child);
                list && list->horizontalScrollBar()->maximum() > 0 && frame.width() < screen.width())
                found << u"%1 needs a horizontal scroll for its columns"_s.arg(describe(child));
            if (auto* label = qobject_cast<QLabel*>(child); label && !label->wordWrap() &&
                                                            !qobject_cast<ElidedLabel*>(label) &&
                                                            label->sizeHint().width() > label->width())
                found << u"%1 is %2 wide, its text needs %3"_s.arg(describe(child))
                             .arg(label->width())
                             .arg(label->sizeHint().width());
            if (!isComposite(child))
                walk(*child);
        }
    };
    walk(window);
    return found;
}

class WindowFit : public ::testing::TestWithParam<double> {
protected:
    void SetUp() override {
        m_font = QApplication::font();
        QFont larger = m_font;
        larger.setPointSizeF(m_font.pointSizeF() * GetParam());
        QApplication::setFont(larger);
    }
    void TearDown() override { QApplication::setFont(m_font); }

private:
    QFont m_font;
};

TEST_P(WindowFit, EveryWindowFitsItsContentAndTheScreen) {
    AppFixture fx;
    // The longest unit of the catalogue's kind, which the meal editor repeats in a caption.
    fx.app->de().Con.execute(u"update Meal set Unit = 'tablespoon heaped (about 15 grams of the product)' "
                             "where MealID = (select min(MealID) from Meal)"_s);
    frmMain main;
    const QStringList problems = problemsInEveryWindow(fx, main, misfits);
    EXPECT_TRUE(problems.isEmpty()) << "at scale " << qApp->devicePixelRatio() << ", font "
                                    << QApplication::font().pointSizeF() << " pt:\n  "
                                    << problems.join(u"\n  "_s).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Fonts, WindowFit, ::testing::Values(1.0, 1.5), [](const auto& info) {
    return info.param == 1.0 ? std::string("DefaultFont") : std::string("LargerFont");
});

} // namespace
} // namespace kelvora::test
