// Where a dialog opens: grown to its content, then centred over the window it belongs to, as Qt
// places a dialog, and wholly on the screen.
#include "AppFixture.h"
#include "KelvoraDialog.h"

#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace kelvora::test {
namespace {

class WideDialog final : public KelvoraDialog {
public:
    explicit WideDialog(QWidget* parent) : KelvoraDialog(parent, 0) {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(QString(90, QLatin1Char('x')), this));
        resize(120, 60); // a designed size its content outgrows
    }
};

TEST(DialogPlacement, OpensGrownToItsContentCentredOverItsParent) {
    AppFixture fx;
    QWidget parent;
    const QRect free = parent.screen()->availableGeometry();
    parent.setGeometry(QRect(free.topLeft() + QPoint(60, 150), QSize(680, 500)));
    parent.show();

    WideDialog dialog(&parent);
    dialog.show();
    EXPECT_GE(dialog.width(), dialog.sizeHint().width());
    EXPECT_LE((dialog.frameGeometry().center() - parent.frameGeometry().center()).manhattanLength(), 2)
        << "dialog at " << dialog.x() << "," << dialog.y();
    EXPECT_TRUE(free.contains(dialog.frameGeometry()));

    // A parent half off the screen's edge: the dialog is kept on the screen.
    dialog.reject();
    parent.move(free.right() - 100, free.bottom() - 100);
    dialog.show();
    EXPECT_TRUE(free.contains(dialog.frameGeometry()));
}

} // namespace
} // namespace kelvora::test
