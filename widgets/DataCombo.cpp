#include "DataCombo.h"

#include "Recordset.h"

namespace kelvora {

namespace {

bool sameBound(const QVariant& a, const QVariant& b) {
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    bool okA = false;
    bool okB = false;
    const qlonglong na = a.toLongLong(&okA);
    const qlonglong nb = b.toLongLong(&okB);
    if (okA && okB)
        return na == nb;
    return a.toString() == b.toString();
}

} // namespace

DataCombo::DataCombo(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    connect(this, &QComboBox::currentIndexChanged, this, [this](int) {
        if (!m_filling)
            noteSelection();
    });
}

void DataCombo::fill(Recordset& rs, const QString& listField, const QString& boundField) {
    const QVariant keep = m_lastBound;
    m_filling = true;
    clear();
    while (!rs.eof()) {
        addItem(rs.field(listField).toString(), rs.field(boundField));
        rs.moveNext();
    }
    int index = -1;
    if (!keep.isNull()) {
        for (int i = 0; i < count(); ++i) {
            if (sameBound(itemData(i), keep)) {
                index = i;
                break;
            }
        }
    }
    setCurrentIndex(index);
    m_filling = false;
    ++m_fillCount;
    noteSelection();
}

void DataCombo::clearEntries() {
    m_filling = true;
    clear();
    m_filling = false;
    noteSelection();
}

QVariant DataCombo::boundValue() const {
    const int index = currentIndex();
    return index < 0 ? QVariant() : itemData(index);
}

void DataCombo::setBoundValue(const QVariant& value) {
    int index = -1;
    if (!value.isNull()) {
        for (int i = 0; i < count(); ++i) {
            if (sameBound(itemData(i), value)) {
                index = i;
                break;
            }
        }
    }
    setCurrentIndex(index);
}

QString DataCombo::text() const {
    return currentIndex() < 0 ? QString() : currentText();
}

void DataCombo::setText(const QString& text) {
    setCurrentIndex(text.isEmpty() ? -1 : findText(text, Qt::MatchFixedString));
}

void DataCombo::noteSelection() {
    const QVariant now = boundValue();
    if (sameBound(now, m_lastBound))
        return;
    m_lastBound = now;
    Q_EMIT boundValueChanged();
}

} // namespace kelvora
