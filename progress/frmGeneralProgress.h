#pragma once

#include "DateValue.h"
#include "KelvoraDialog.h"

#include <memory>

class QLabel;
class QPushButton;

namespace kelvora {

class ProgressChart;
class ProgressModel;

// The progress chart of a period: body girths, weight and the daily calorie balance, with the
// user's notes beneath. Set dateFrom and dateTo, then show it modally.
class frmGeneralProgress : public KelvoraDialog {
    Q_OBJECT
public:
    explicit frmGeneralProgress(QWidget* parent = nullptr);
    ~frmGeneralProgress() override;

    DateValue dateFrom;
    DateValue dateTo;

    // The model of the current showing (nullptr while closed) and the picture drawn from it.
    const ProgressModel* model() const { return m_model.get(); }
    const ProgressChart& chart() const { return *m_chart; }

protected:
    void load() override;
    void unload() override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void btnPrint_Click();
    void placeControls();

    std::unique_ptr<ProgressModel> m_model;
    ProgressChart* m_chart;
    QPushButton* btnPrint;
    QLabel* Label1;
};

} // namespace kelvora
