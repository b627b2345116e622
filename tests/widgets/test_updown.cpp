// The spin buttons: each button steps its own way, and the text box beside them is left to the owner.
#include "UpDown.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

TEST(UpDown, EachButtonRaisesItsOwnStepOnly) {
    UpDown spin(nullptr, u"updSpin"_s);
    EXPECT_EQ(spin.objectName(), u"updSpin"_s);
    QSignalSpy ups(&spin, &UpDown::up);
    QSignalSpy downs(&spin, &UpDown::down);

    QTest::mouseClick(spin.upButton(), Qt::LeftButton);
    QTest::mouseClick(spin.upButton(), Qt::LeftButton);
    QTest::mouseClick(spin.downButton(), Qt::LeftButton);

    EXPECT_EQ(ups.count(), 2);
    EXPECT_EQ(downs.count(), 1);
    EXPECT_EQ(spin.upButton()->arrowType(), Qt::UpArrow);
    EXPECT_EQ(spin.downButton()->arrowType(), Qt::DownArrow);
}

TEST(UpDown, SteppingLeavesTheNeighbouringTextAndItsFocusAlone) {
    QWidget window;
    auto* text = new QLineEdit(u"2.5"_s, &window);
    auto* spin = new UpDown(&window, u"updSpin"_s);
    window.show();
    text->setFocus();

    QTest::mouseClick(spin->upButton(), Qt::LeftButton);
    QTest::mouseClick(spin->downButton(), Qt::LeftButton);

    EXPECT_EQ(text->text(), u"2.5"_s);
    EXPECT_EQ(spin->upButton()->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(spin->downButton()->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(spin->upButton()->autoRepeat());
}

} // namespace
} // namespace kelvora::test
