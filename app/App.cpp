#include "App.h"

#include "deData.h"

#include <cassert>

namespace kelvora {

namespace {
App* currentApp = nullptr;
}

App::App(QString programFolder, std::unique_ptr<deData> data, ServiceSet services)
    : m_programFolder(std::move(programFolder)), m_data(std::move(data)), m_services(std::move(services)) {
    assert(currentApp == nullptr && "only one App at a time");
    currentApp = this;
}

App::~App() {
    currentApp = nullptr;
}

App& App::instance() {
    assert(currentApp != nullptr);
    return *currentApp;
}

bool App::exists() {
    return currentApp != nullptr;
}

} // namespace kelvora
