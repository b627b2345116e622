#pragma once

#include "DayList.h"

namespace kelvora {

// The activities performed on one day, with the kilocalories each burned and a totals line; New and
// Edit go through the activity performance editor.
class frmExercisePerforms : public DayList {
    Q_OBJECT
public:
    // `editor` opens the program's own editor, shared with the main window (editorCall).
    frmExercisePerforms(EditorCall editor, QWidget* parent);

protected:
    void unload() override;
    void fillRows(const QDate& day) override;
    void deleteRecord(qint64 tag) override;
    void recoverFromDelete() override;
};

} // namespace kelvora
