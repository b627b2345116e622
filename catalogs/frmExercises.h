#pragma once

#include "CatalogList.h"

namespace kelvora {

class frmExercise;

// The list of activities, opened modally from the main window, which redraws its day view after.
class frmExercises : public CatalogList {
    Q_OBJECT
public:
    // `editor` is the activity editor the main window owns (shared with the journal).
    frmExercises(QWidget* parent, frmExercise& editor);

protected:
    void addItem(const Recordset& rs) override;
};

} // namespace kelvora
