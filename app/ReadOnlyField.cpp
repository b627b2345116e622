#include "ReadOnlyField.h"

#include "Contrast.h"

#include <QApplication>
#include <QEvent>
#include <QLineEdit>

namespace kelvora {

namespace {

const QColor DesignedGrey(0xE0, 0xE0, 0xE0);
// The designed grey is this share of the way from white, a light palette's base, to black, its text.
constexpr double GreyStep = 0.12;
// What text wants against its background.
constexpr double TextContrast = 4.5;

void applyGrey(QLineEdit& field) {
    const QPalette natural = QApplication::palette(&field);
    const QColor base = natural.color(QPalette::Base);
    QColor text = natural.color(QPalette::Text);
    const bool light = relativeLuminance(base) >= relativeLuminance(text);
    const QColor grey = light ? DesignedGrey : mixed(base, text, GreyStep);
    // A palette whose text does not stand out from the grey gets black or white text, whichever does.
    if (contrastRatio(text, grey) < TextContrast)
        text = contrastRatio(Qt::black, grey) >= contrastRatio(Qt::white, grey) ? Qt::black : Qt::white;
    QPalette palette = field.palette();
    palette.setColor(QPalette::Base, grey);
    palette.setColor(QPalette::Text, text);
    field.setPalette(palette);
}

// Greys the field again from the new palette whenever the application's palette changes: the window
// hears of that first and hands its new palette down to the field. Greying it again with the same
// colours changes nothing, so the change it makes itself ends there.
class GreyFollower final : public QObject {
public:
    explicit GreyFollower(QLineEdit& field) : QObject(&field), m_field(field) {
        field.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &m_field && event->type() == QEvent::PaletteChange)
            applyGrey(m_field);
        return false;
    }

private:
    QLineEdit& m_field;
};

} // namespace

void greyAsReadOnly(QLineEdit& field) {
    applyGrey(field);
    new GreyFollower(field); // owned by the field
}

} // namespace kelvora
