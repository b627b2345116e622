// A second instance on the same diary: refused while the first runs, welcome once it has ended,
// and never kept out by the lock of a process that died.
#include "AppFixture.h"
#include "FakeServices.h"
#include "Startup.h"
#include "TestDatabase.h"
#include "deData.h"
#include "frmMain.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

class SecondInstanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A diary past its first start, so a start shows nothing unless something is wrong.
        Connection con(db.path());
        con.execute(u"update Common set FirstStart = 0"_s);
    }

    // Starts the program over the diary with fresh fakes, whose messages the test reads after.
    std::optional<RunningProgram> start() {
        auto fake = std::make_unique<FakeMessages>();
        messages = fake.get();
        ServiceSet services{std::move(fake),
                            std::make_unique<FakeModal>(),
                            std::make_unique<FakeClock>(),
                            std::make_unique<FakePrinter>(),
                            std::make_unique<FakeHelp>(),
                            std::make_unique<FakeFileDialogs>()};
        auto program = startKelvora(db.folder(), std::move(services));
        // Refused, the services stay here; keep what was shown readable.
        if (!program)
            refusedServices = std::move(services);
        return program;
    }

    void expectRefused(const std::optional<RunningProgram>& program) {
        EXPECT_FALSE(program.has_value());
        ASSERT_EQ(messages->shown.size(), 1u);
        const Message& m = messages->last();
        EXPECT_EQ(m.title, u"Kelvora"_s);
        EXPECT_EQ(m.text,
                  u"Kelvora is already running with this diary.\n"_s + QDir::toNativeSeparators(db.path()));
        EXPECT_EQ(m.icon, MessageIcon::Critical);
    }

    TestDatabase db;
    FakeMessages* messages = nullptr;
    ServiceSet refusedServices;
};

TEST_F(SecondInstanceTest, RefusedWhileTheFirstRunsAndWelcomeAfter) {
    auto first = start();
    ASSERT_TRUE(first.has_value());
    EXPECT_TRUE(messages->shown.empty());
    const qsizetype windows = visibleWindows().size();

    auto second = start();
    expectRefused(second);
    EXPECT_EQ(visibleWindows().size(), windows); // no window of its own
    EXPECT_TRUE(first->mainWindow->isVisible());

    first.reset();
    auto third = start();
    ASSERT_TRUE(third.has_value());
    EXPECT_TRUE(messages->shown.empty());
}

TEST_F(SecondInstanceTest, TheLockOfAKilledProcessDoesNotKeepTheProgramOut) {
    const QString ready = QDir(db.folder()).filePath(u"ready"_s);
    QProcess holder;
    holder.start(QString::fromLocal8Bit(KELVORA_KILL_CHILD), {u"lock"_s, db.folder()});
    ASSERT_TRUE(holder.waitForStarted());
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(ready) && waited.elapsed() < 60000 && !holder.waitForFinished(2)) {
    }
    ASSERT_TRUE(QFile::exists(ready)) << holder.readAllStandardError().toStdString();

    // Held by a live process, the diary is refused.
    expectRefused(start());

    holder.kill();
    ASSERT_TRUE(holder.waitForFinished()); // reaped, so its process id is free
    ASSERT_TRUE(QFile::exists(diaryLockPathIn(db.folder()))) << "the killed process left no lock behind";

    auto program = start();
    ASSERT_TRUE(program.has_value());
    EXPECT_TRUE(messages->shown.empty());
}

} // namespace
} // namespace kelvora::test
