#pragma once

#include "App.h"
#include "FakeServices.h"
#include "TestDatabase.h"

#include <QList>

#include <memory>

class QWidget;

namespace kelvora::test {

// A whole application context for one test: its own database, fake services, and the state a
// start-up on 6 December 2026 at 14:37 on a 24-hour clock would leave.
class AppFixture {
public:
    explicit AppFixture(SeedContents contents = SeedContents::Full);
    ~AppFixture();

    TestDatabase db;
    FakeMessages* messages;
    FakeModal* modal;
    FakeClock* clock;
    FakePrinter* printer;
    FakeHelp* help;
    FakeFileDialogs* files;
    std::unique_ptr<App> app;
};

// The top-level windows on the screen at the moment, dialogs and message boxes included.
QList<QWidget*> visibleWindows();

} // namespace kelvora::test
