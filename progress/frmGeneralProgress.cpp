#include "frmGeneralProgress.h"

#include "App.h"
#include "HelpContext.h"
#include "ProgressChart.h"
#include "ProgressModel.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {
// The smallest outer height at which the notes lane still has room: 7245 twips at 15 per pixel.
constexpr int MinimumOuterHeight = 483;
// The client area every showing opens with.
constexpr QSize OpeningSize(756, 520);
} // namespace

frmGeneralProgress::frmGeneralProgress(QWidget* parent)
    : KelvoraDialog(parent, HelpContext::frmGeneralProgress) {
    setObjectName(u"frmGeneralProgress"_s);
    setWindowTitle(u"General Progress"_s);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    m_chart = new ProgressChart(this);

    Label1 = new QLabel(u"General Progress Chart"_s, this);
    Label1->setObjectName(u"Label1"_s);
    QFont title(u"Sans Serif"_s, 10);
    title.setStyleHint(QFont::SansSerif);
    title.setPointSizeF(9.75);
    title.setBold(true);
    Label1->setFont(title);
    Label1->adjustSize();

    btnPrint = makeButton(u"btnPrint"_s, u"&Print"_s);
    btnPrint->adjustSize();
    btnPrint->move(4, 4);
    connect(btnPrint, &QPushButton::clicked, this, &frmGeneralProgress::btnPrint_Click);

    resize(OpeningSize);
}

frmGeneralProgress::~frmGeneralProgress() = default;

void frmGeneralProgress::load() {
    // Every showing starts afresh at the designed size, whatever the last one was left at.
    setWindowState(Qt::WindowNoState);
    resize(OpeningSize);
    const AppState& state = app().state();
    m_model = std::make_unique<ProgressModel>(app().de(), dateFrom, dateTo, state.metabolicRate);
    m_chart->setModel(m_model.get(), state.measurementSystem == u"M"_s);
}

void frmGeneralProgress::unload() {
    m_chart->setModel(nullptr, false);
    m_model.reset();
}

void frmGeneralProgress::placeControls() {
    m_chart->setGeometry(rect());
    Label1->move((width() - Label1->width()) / 2, 6);
}

void frmGeneralProgress::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const bool normal = !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    const int frame = isVisible() ? frameGeometry().height() - height() : 0;
    if (normal && height() + frame < MinimumOuterHeight) {
        // The new size comes back as another resize, which draws.
        resize(width(), MinimumOuterHeight - frame);
        return;
    }
    placeControls();
}

void frmGeneralProgress::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_P && event->modifiers() == Qt::ControlModifier) {
        event->accept();
        btnPrint_Click();
        return;
    }
    KelvoraDialog::keyPressEvent(event);
}

void frmGeneralProgress::btnPrint_Click() {
    btnPrint->hide();
    bool printed = false;
    try {
        printed = app().printer().printLandscape(*this);
    } catch (const std::exception&) {
        printed = false;
    }
    if (!printed)
        app().messages().error(this,
                               u"Can't print. Please check whether your default printer is accessible"_s);
    btnPrint->show();
}

} // namespace kelvora
