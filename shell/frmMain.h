#pragma once

#include "frmAbout.h"
#include "frmCommon.h"
#include "frmDate.h"

#include <QHash>
#include <QIcon>
#include <QMainWindow>

#include <memory>

class QAction;
class QLineEdit;
class QToolBar;
class QToolButton;
class ZelmarGraph;

namespace kelvora {

// The program's only non-modal window and its hub: the calorie chart of the day currentDate with
// buttons to step a day back or forward, and the menus and toolbar that open every other window,
// always modally. Closing it closes every other window and so ends the program.
class frmMain final : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // Loads the day currentDate into the chart without drawing it.
    void LoadGraph();
    // Loads and draws the day currentDate: the redraw after anything that may have changed the
    // date or the day's records.
    void RePaintGraph();

    // An image of the window's image list by key: "Plus" and "Exit" for the journal editors, or a
    // toolbar key. Null for a key the list does not hold.
    QIcon image(const QString& key) const;

    // The dialogs the window opens live as long as it does, so they keep their public members.
    frmCommon& commonDialog();
    frmDate& dateDialog();
    frmAbout& aboutDialog();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void connectMenus();
    QAction* menuItem(const QString& name) const;
    void applyMinimumHeight();
    void placeControls();

    void btnPrev_Click();
    void btnNext_Click();
    void mnuPrintChart_Click();
    void mnuSetDate_Click();
    void mnuDeleteTrialData_Click();
    void mnuCommon_Click();
    void mnuHelpAbout_Click();
    void graph_NewMeal(double tm);
    void graph_NewExercise(double tm);
    void graph_EditMeal(qint32 id, bool definite, double tm);
    void graph_EditExercise(qint32 id, bool definite, double tm);

    QWidget* client;
    QToolBar* tlbToolBar;
    ZelmarGraph* graph;
    QToolButton* btnPrev;
    QLineEdit* txtDate;
    QToolButton* btnNext;
    QToolButton* btnHelp;
    QHash<QString, QIcon> imlImages;
    bool graphLoaded = false;

    std::unique_ptr<frmCommon> m_frmCommon;
    std::unique_ptr<frmDate> m_frmDate;
    std::unique_ptr<frmAbout> m_frmAbout;
};

} // namespace kelvora
