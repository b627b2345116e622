#pragma once

#include "DayList.h"

namespace kelvora {

// The meals consumed on one day, with the kilocalories of each from fat, carbohydrate and protein and
// a totals line; New and Edit go through the meal consumption editor.
class frmMealConsumes : public DayList {
    Q_OBJECT
public:
    // `editor` opens the program's own editor, shared with the main window (editorCall).
    frmMealConsumes(EditorCall editor, QWidget* parent);

protected:
    void unload() override;
    void fillRows(const QDate& day) override;
    void deleteRecord(qint64 tag) override;
};

} // namespace kelvora
