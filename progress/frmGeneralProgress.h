#pragma once

#include "DateValue.h"
#include "KelvoraDialog.h"
#include "Services.h"

#include <memory>

class QLabel;
class QPushButton;

namespace kelvora {

class ProgressChart;
class ProgressModel;

// The progress chart of a period: body girths, weight and the daily calorie balance, with the
// user's notes beneath. Set dateFrom and dateTo, then show it modally. It prints itself and saves
// itself as a file, both as the window shows the chart, without its buttons.
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
    // The window's picture as it goes to paper and files: the title and the chart on white.
    Printout printout() const;

protected:
    void load() override;
    void unload() override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void btnPrint_Click();
    void btnSaveAs_Click();
    void placeControls();

    std::unique_ptr<ProgressModel> m_model;
    ProgressChart* m_chart;
    QPushButton* btnPrint;
    QPushButton* btnSaveAs;
    QLabel* Label1;
};

} // namespace kelvora
