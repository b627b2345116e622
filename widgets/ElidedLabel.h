#pragma once

#include <QLabel>

namespace kelvora {

// A one-line caption whose text may be longer than the room it was laid out for: it asks only for
// the room of `sample` and shortens what does not fit with an ellipsis, the whole text showing as
// its tooltip, so a long text never squeezes the fields beside it. Screen readers read the whole
// text.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    ElidedLabel(const QString& sample, QWidget* parent = nullptr);

    // Whether the text is shortened at the label's present width.
    bool isElided() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_sample;
};

} // namespace kelvora
