#pragma once

#include <QLabel>
#include <QStringList>

namespace kelvora {

// A one-line caption whose text may be longer than the room it was laid out for: it asks only for
// the room of `sample` and shortens what does not fit with an ellipsis, the whole text showing as
// its tooltip, so a long text never squeezes the fields beside it. Screen readers read the whole
// text.
//
// Given a place to break, the text goes on a second line, after the break, where one line has no
// room for it; only what two lines can't hold is shortened.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    ElidedLabel(const QString& sample, QWidget* parent = nullptr);

    // Where the text may go on to a second line: after the first `separator` in it.
    void setLineBreakAfter(const QString& separator);

    // The lines shown at the label's present width, each as it is drawn.
    QStringList shownLines() const;
    // Whether the text is shortened at the label's present width.
    bool isElided() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QStringList lines() const;
    QRect room() const;

    QString m_sample;
    QString m_separator;
};

} // namespace kelvora
