#pragma once

#include "AppState.h"
#include "Services.h"

#include <QString>
#include <QWidget>

#include <memory>

namespace kelvora {

class DayView;
class deData;

struct ServiceSet {
    std::unique_ptr<MessageService> messages;
    std::unique_ptr<ModalService> modal;
    std::unique_ptr<ClockService> clock;
    std::unique_ptr<PrinterService> printer;
    std::unique_ptr<HelpService> help;
    std::unique_ptr<FileDialogService> files;
};

// The run's shared context: the data environment, the application state and the services, reached
// through app(). Exactly one exists at a time; a test makes a fresh one for each test.
class App {
public:
    App(QString programFolder, std::unique_ptr<deData> data, ServiceSet services);
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // Hands the services back, for a start-up that gives up after the context was made; the App
    // must not be used afterwards.
    ServiceSet releaseServices() { return std::move(m_services); }

    static App& instance();
    static bool exists();

    const QString& programFolder() const { return m_programFolder; }
    deData& de() { return *m_data; }
    AppState& state() { return m_state; }
    MessageService& messages() { return *m_services.messages; }
    ModalService& modal() { return *m_services.modal; }
    ClockService& clock() { return *m_services.clock; }
    PrinterService& printer() { return *m_services.printer; }
    HelpService& help() { return *m_services.help; }
    FileDialogService& files() { return *m_services.files; }

    // The window that shows the day, once it has registered; nothing before.
    DayView* dayView() const { return m_dayView; }
    // The same window as a widget, for what needs no more than that (icons, message parents).
    QWidget* mainWidget() const { return m_mainWidget; }
    void setMainWindow(DayView* view, QWidget* widget) {
        m_dayView = view;
        m_mainWidget = widget;
    }

private:
    QString m_programFolder;
    std::unique_ptr<deData> m_data;
    ServiceSet m_services;
    AppState m_state;
    DayView* m_dayView = nullptr;
    QWidget* m_mainWidget = nullptr;
};

inline App& app() {
    return App::instance();
}

// The program's title, which information messages carry.
inline QString programTitle() {
    return QStringLiteral("Kelvora");
}

} // namespace kelvora
