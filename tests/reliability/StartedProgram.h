#pragma once

#include "AppFixture.h"
#include "FakeServices.h"
#include "Startup.h"

#include <QLocale>

#include <gtest/gtest.h>

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

// That the start was refused with one "Severe Error" saying `text`, keeping the services and leaving
// no window behind.
inline void expectRefusedWith(const Start& start, const QString& text) {
    EXPECT_FALSE(start.program.has_value());
    ASSERT_TRUE(start.services.messages) << "the refusal kept the services";
    ASSERT_EQ(start.messages->shown.size(), 1u);
    const Message& m = start.messages->last();
    EXPECT_EQ(m.title, u"Severe Error");
    EXPECT_EQ(m.icon, MessageIcon::Critical);
    EXPECT_EQ(m.text.toStdString(), text.toStdString());
    EXPECT_TRUE(visibleWindows().isEmpty());
}

} // namespace kelvora::test
