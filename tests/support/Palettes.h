#pragma once

#include <QColor>
#include <QPalette>
#include <QPoint>
#include <QString>

#include <vector>

class QImage;

namespace kelvora::test {

// The palettes a window has to read well in: the style's own light one, a near-white light one and
// two dark ones, grey and near-black, as desktops' dark colour schemes give them.
struct NamedPalette {
    QString name;
    QPalette palette;
    bool dark;
};
std::vector<NamedPalette> lightAndDarkPalettes();

// Sets the application's palette for a scope and puts the one before it back.
class ScopedPalette {
public:
    explicit ScopedPalette(const QPalette& palette);
    ~ScopedPalette();
    ScopedPalette(const ScopedPalette&) = delete;
    ScopedPalette& operator=(const ScopedPalette&) = delete;

private:
    QPalette m_before;
};

// The colours a picture of a control shows (QWidget::grab): the background at `backgroundAt`, a
// spot with no text, and the colour of its text, the pixel that stands out most from that background.
struct ShownColours {
    QColor background;
    QColor text;
};
ShownColours shownColours(const QImage& picture, QPoint backgroundAt);

} // namespace kelvora::test
