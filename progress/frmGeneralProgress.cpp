#include "frmGeneralProgress.h"

#include "App.h"
#include "ChartFiles.h"
#include "ChartOutput.h"
#include "HelpContext.h"
#include "ProgressChart.h"
#include "ProgressModel.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
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
    // The chart is paper, white with black ink in any palette; the title on it is printed ink too.
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
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
    // Black on the chart's white, whatever the desktop's colours.
    QPalette ink = Label1->palette();
    ink.setColor(QPalette::WindowText, Qt::black);
    Label1->setPalette(ink);
    Label1->adjustSize();

    btnPrint = makeButton(u"btnPrint"_s, u"&Print"_s);
    btnPrint->adjustSize();
    btnPrint->move(4, 4);
    connect(btnPrint, &QPushButton::clicked, this, &frmGeneralProgress::btnPrint_Click);
    btnSaveAs = makeButton(u"btnSaveAs"_s, u"&Save As…"_s);
    btnSaveAs->adjustSize();
    btnSaveAs->setGeometry(btnPrint->geometry().right() + 1 + 4, 4, btnSaveAs->width(), btnPrint->height());
    btnSaveAs->setToolTip(u"Save the chart as a PDF, SVG or PNG file (Ctrl+S)"_s);
    connect(btnSaveAs, &QPushButton::clicked, this, &frmGeneralProgress::btnSaveAs_Click);

    resize(OpeningSize);
}

frmGeneralProgress::~frmGeneralProgress() = default;

void frmGeneralProgress::load() {
    // Every showing starts afresh at the designed size, whatever the last one was left at.
    setWindowState(Qt::WindowNoState);
    resize(OpeningSize);
    const AppState& state = app().state();
    m_model = std::make_unique<ProgressModel>(app().de(), dateFrom, dateTo, state.metabolicRate,
                                              ProgressGoals{state.targetWeight, state.dailyCalorieBudget});
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
    if (event->modifiers() == Qt::ControlModifier &&
        (event->key() == Qt::Key_P || event->key() == Qt::Key_S)) {
        event->accept();
        if (event->key() == Qt::Key_P)
            btnPrint_Click();
        else
            btnSaveAs_Click();
        return;
    }
    KelvoraDialog::keyPressEvent(event);
}

Printout frmGeneralProgress::printout() const {
    return [this](QPainter& painter, const QRectF& page) {
        painter.save();
        mapPicture(painter, size(), page);
        painter.setClipRect(rect(), Qt::IntersectClip);
        painter.fillRect(rect(), Qt::white);
        m_chart->renderChart(painter, QRectF(m_chart->geometry()));
        painter.setFont(fontForDevice(Label1->font(), Label1->logicalDpiY(), *painter.device()));
        painter.setPen(Label1->palette().color(QPalette::WindowText));
        painter.drawText(Label1->geometry(), static_cast<int>(Label1->alignment()) | Qt::TextDontClip,
                         Label1->text());
        painter.restore();
    };
}

void frmGeneralProgress::btnPrint_Click() {
    bool printed = false;
    try {
        printed = app().printer().printLandscape(printout());
    } catch (const std::exception&) {
        printed = false;
    }
    if (!printed)
        app().messages().error(this,
                               u"Can't print. Please check whether your default printer is accessible"_s);
}

void frmGeneralProgress::btnSaveAs_Click() {
    const QString period =
        dateFrom.toQDate().toString(Qt::ISODate) + u" to "_s + dateTo.toQDate().toString(Qt::ISODate);
    saveChartAs(this, u"Save Progress Chart As"_s, u"General Progress "_s + period + u".pdf"_s, size(),
                printout());
}

} // namespace kelvora
