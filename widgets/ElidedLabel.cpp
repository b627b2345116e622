#include "ElidedLabel.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

namespace kelvora {

ElidedLabel::ElidedLabel(const QString& sample, QWidget* parent) : QLabel(sample, parent), m_sample(sample) {}

void ElidedLabel::setLineBreakAfter(const QString& separator) {
    m_separator = separator;
    updateGeometry();
    update();
}

QRect ElidedLabel::room() const {
    return contentsRect().adjusted(margin(), margin(), -margin(), -margin());
}

// The text's lines before shortening: one where it fits or may not be broken, else two.
QStringList ElidedLabel::lines() const {
    const QString whole = text();
    const qsizetype at = m_separator.isEmpty() ? -1 : whole.indexOf(m_separator);
    if (at < 0 || fontMetrics().horizontalAdvance(whole) <= room().width())
        return {whole};
    const qsizetype end = at + m_separator.size();
    return {whole.left(end).trimmed(), whole.mid(end).trimmed()};
}

QStringList ElidedLabel::shownLines() const {
    QStringList shown;
    for (const QString& line : lines())
        shown << fontMetrics().elidedText(line, Qt::ElideRight, room().width());
    return shown;
}

bool ElidedLabel::isElided() const {
    return shownLines() != lines();
}

QSize ElidedLabel::sizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    const int chrome = 2 * (frameWidth() + margin());
    return {metrics.horizontalAdvance(m_sample) + chrome, metrics.height() + chrome};
}

QSize ElidedLabel::minimumSizeHint() const {
    QSize least = sizeHint();
    if (!m_separator.isEmpty())
        least.rheight() += fontMetrics().height();
    return least;
}

bool ElidedLabel::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (isElided())
            QToolTip::showText(help->globalPos(), text(), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QLabel::event(event);
}

void ElidedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QString shown = shownLines().join(QLatin1Char('\n'));
    style()->drawItemText(&painter, room(), static_cast<int>(alignment()), palette(), isEnabled(), shown,
                          foregroundRole());
}

} // namespace kelvora
