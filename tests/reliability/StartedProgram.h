#pragma once

#include "FakeServices.h"
#include "Startup.h"

#include <QLocale>

#include <memory>
#include <optional>

namespace kelvora::test {

// The program's start-up over a folder with the fake services, the fakes kept to look at afterwards.
struct Start {
    FakeMessages* messages = new FakeMessages;
    FakeModal* modal = new FakeModal;
    ServiceSet services{std::unique_ptr<MessageService>(messages),
                        std::unique_ptr<ModalService>(modal),
                        std::make_unique<FakeClock>(),
                        std::make_unique<FakePrinter>(),
                        std::make_unique<FakeHelp>(),
                        std::make_unique<FakeFileDialogs>()};
    std::optional<RunningProgram> program;

    explicit Start(const QString& folder) { program = startKelvora(folder, std::move(services)); }
};

} // namespace kelvora::test
