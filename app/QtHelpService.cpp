#include "QtHelpService.h"

#include "App.h"
#include "HelpViewer.h"

#include <QApplication>
#include <QDir>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

void present(HelpViewer& viewer) {
    if (viewer.isMinimized())
        viewer.showNormal();
    else
        viewer.show();
    viewer.raise();
    viewer.activateWindow();
}

} // namespace

QtHelpService::QtHelpService() = default;

QtHelpService::~QtHelpService() = default;

void QtHelpService::showTopic(int contextNumber) {
    HelpViewer& viewer = viewerForRequest();
    viewer.showTopic(contextNumber);
    present(viewer);
}

void QtHelpService::showContents() {
    HelpViewer& viewer = viewerForRequest();
    viewer.showContents();
    present(viewer);
}

HelpViewer* QtHelpService::viewer() const {
    return m_viewer;
}

HelpViewer& QtHelpService::viewerForRequest() {
    if (!m_viewer) {
        m_unowned = std::make_unique<HelpViewer>(QDir(app().programFolder()).filePath(u"help"_s));
        m_viewer = m_unowned.get();
        if (app().mainWidget())
            m_viewer->setWindowIcon(app().mainWidget()->windowIcon());
    }
    // A modal dialog blocks the mouse and keyboard of every window outside its own family, so help
    // asked for from a dialog has to belong to that dialog to be read at all; otherwise it belongs
    // to the main window.
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner)
        owner = app().mainWidget();
    if (m_viewer->parentWidget() != owner)
        moveViewerTo(owner);
    return *m_viewer;
}

void QtHelpService::moveViewerTo(QWidget* owner) {
    // A new parent hides the window and may place it anew; where the user put it stays.
    const bool wasVisible = m_viewer->isVisible();
    const QRect geometry = m_viewer->geometry();
    m_viewer->setParent(owner, m_viewer->windowFlags());
    if (wasVisible)
        m_viewer->setGeometry(geometry);
    if (owner)
        static_cast<void>(m_unowned.release());
    else if (!m_unowned)
        m_unowned.reset(m_viewer);
}

} // namespace kelvora
