#pragma once

#include <QDialog>
#include <QHash>
#include <QIcon>
#include <QMainWindow>

#include <memory>
#include <typeindex>
#include <unordered_map>

class QAction;
class QLineEdit;
class QToolBar;
class QToolButton;
class ZelmarGraph;

namespace kelvora {

class frmMeasurements;

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
    // Made on first use; the caller includes the dialog's header.
    template <typename Dialog> Dialog& dialog() {
        std::unique_ptr<QDialog>& slot = m_dialogs[std::type_index(typeid(Dialog))];
        if (!slot)
            slot = makeDialog<Dialog>();
        return static_cast<Dialog&>(*slot);
    }

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
    void mnuAddMeasurement_Click();
    void mnuAddNote_Click();
    void mnuGeneralProgress_Click();
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

    template <typename Dialog> std::unique_ptr<QDialog> makeDialog() {
        return std::make_unique<Dialog>(this);
    }

    std::unordered_map<std::type_index, std::unique_ptr<QDialog>> m_dialogs;
};

// The measurements window works with the program's own body and note editors.
template <> std::unique_ptr<QDialog> frmMain::makeDialog<frmMeasurements>();

} // namespace kelvora
