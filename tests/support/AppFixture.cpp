#include "AppFixture.h"

#include "deData.h"

#include <QApplication>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace kelvora::test {

AppFixture::AppFixture(SeedContents contents) : db(contents) {
    auto fakeMessages = std::make_unique<FakeMessages>();
    auto fakeModal = std::make_unique<FakeModal>();
    auto fakeClock = std::make_unique<FakeClock>();
    auto fakePrinter = std::make_unique<FakePrinter>();
    auto fakeHelp = std::make_unique<FakeHelp>();
    auto fakeFiles = std::make_unique<FakeFileDialogs>();
    messages = fakeMessages.get();
    modal = fakeModal.get();
    clock = fakeClock.get();
    printer = fakePrinter.get();
    help = fakeHelp.get();
    files = fakeFiles.get();
    ServiceSet services{std::move(fakeMessages), std::move(fakeModal), std::move(fakeClock),
                        std::move(fakePrinter), std::move(fakeHelp), std::move(fakeFiles)};
    app = std::make_unique<App>(db.folder(), std::make_unique<deData>(db.path()), std::move(services));

    AppState& state = app->state();
    state.currentDate = DateValue::fromQDate(clock->current.date());
    state.currentTime = DateValue::fromTime(14, 37);
    state.bodyWeight = 150;
    state.measurementSystem = u"I"_s;
    state.metabolicRate = 80;
    state.timeDisplayFormat = u"Hh:Nn"_s;
    state.timePickerFormat = u"H:mm"_s;
    state.clock24 = true;
    state.newLine = u"\n\r"_s;
}

AppFixture::~AppFixture() = default;

QList<QWidget*> visibleWindows() {
    QList<QWidget*> shown;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible())
            shown.append(widget);
    }
    return shown;
}

} // namespace kelvora::test
