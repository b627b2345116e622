#pragma once

#include "KelvoraDialog.h"

#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kelvora {

// Converts a published calorie figure for some body weight to the user's own weight. The caller
// writes its calories text into txtCaloriesConsume, shows the dialog modally, then reads Saved
// and, when it is true, Result.
class frmWeightAdjustment : public KelvoraDialog {
    Q_OBJECT
public:
    explicit frmWeightAdjustment(QWidget* parent);

    bool Saved = false;
    std::int16_t Result = 0;

    QLineEdit* txtWeight;
    QLabel* lblMeasurement;
    QLineEdit* txtCaloriesConsume;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QPushButton* btnHelp;

protected:
    void load() override;

private:
    void onOK();
};

} // namespace kelvora
