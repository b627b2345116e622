#pragma once

#include "Services.h"

#include <QPointer>

#include <memory>

class QWidget;

namespace kelvora {

class HelpViewer;

// Help as the running program provides it: the help viewer over the help folder beside the
// program, made at the first request and reused for the rest of the run.
class QtHelpService final : public HelpService {
public:
    QtHelpService();
    ~QtHelpService() override;
    QtHelpService(const QtHelpService&) = delete;
    QtHelpService& operator=(const QtHelpService&) = delete;

    void showTopic(int contextNumber) override;
    void showContents() override;

    // The viewer once help has been asked for; nothing before.
    HelpViewer* viewer() const;

private:
    HelpViewer& viewerForRequest();
    void moveViewerTo(QWidget* owner);

    QPointer<HelpViewer> m_viewer;
    // Holds the viewer while no window owns it (before the main window exists).
    std::unique_ptr<HelpViewer> m_unowned;
};

} // namespace kelvora
