#pragma once

#include <QComboBox>
#include <QVariant>

namespace kelvora {

class Recordset;

// A drop-down list filled from the rows of a recordset: it shows one column (the list field) and
// is bound to another (the bound field). The bound value is that of the selected entry and is null
// when nothing is selected. Every change of the bound value, whether by the user or by the program,
// emits boundValueChanged once, so the owner's handling runs in both cases.
class DataCombo : public QComboBox {
    Q_OBJECT
public:
    explicit DataCombo(QWidget* parent = nullptr);

    // Replaces the entries with the rows of `rs` from its current row to its end. The selection is
    // kept when an entry with the same bound value is still there, otherwise nothing is selected.
    void fill(Recordset& rs, const QString& listField, const QString& boundField);
    void clearEntries();

    QVariant boundValue() const;
    // Selects the entry with that bound value; nothing is selected for a null or unknown value.
    void setBoundValue(const QVariant& value);
    // The list text of the selected entry, empty when none.
    QString text() const;
    // Selects the entry whose list text matches exactly (case-insensitive as the list finds it);
    // nothing is selected when none matches.
    void setText(const QString& text);

    int fillCount() const { return m_fillCount; }

Q_SIGNALS:
    void boundValueChanged();

private:
    void noteSelection();

    QVariant m_lastBound;
    bool m_filling = false;
    int m_fillCount = 0;
};

} // namespace kelvora
