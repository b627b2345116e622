#pragma once

#include "KelvoraDialog.h"

class QLabel;
class QPushButton;

namespace kelvora {

// The program's picture, name and version, and which file is the user's diary.
class frmAbout : public KelvoraDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

protected:
    void load() override;

private:
    QLabel* Picture1;
    QLabel* lblProgramName;
    QLabel* lblDiaryPath;
    QPushButton* btnOK;
};

} // namespace kelvora
