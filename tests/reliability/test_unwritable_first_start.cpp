// The very first start over a diary that cannot be written (a read-only file in a read-only folder, a
// writable file in a read-only folder, a full disk): the program says so once and stops, before any
// window could trap the user, and leaves the file as it was.
#include "AppFixture.h"
#include "FakeServices.h"
#include "FaultyDisk.h"
#include "Startup.h"
#include "TestDatabase.h"
#include "deData.h"

#include <QDialog>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

enum class Fault { ReadOnly, FolderReadOnly, DiskFull };

const char* nameOf(Fault fault) {
    switch (fault) {
    case Fault::ReadOnly:
        return "ReadOnly";
    case Fault::FolderReadOnly:
        return "FolderReadOnly";
    case Fault::DiskFull:
        return "DiskFull";
    }
    return "";
}

void PrintTo(Fault fault, std::ostream* os) {
    *os << nameOf(fault);
}

void impose(Fault fault) {
    switch (fault) {
    case Fault::ReadOnly:
        FaultyDisk::readOnly = true;
        break;
    case Fault::FolderReadOnly:
        FaultyDisk::folderReadOnly = true;
        break;
    case Fault::DiskFull:
        FaultyDisk::writesLeft = 0;
        break;
    }
}

class UnwritableFirstStartTest : public ::testing::TestWithParam<Fault> {
protected:
    void SetUp() override { FaultyDisk::install(); }
    void TearDown() override { FaultyDisk::heal(); }
};

TEST_P(UnwritableFirstStartTest, SaysSoOnceOpensNoWindowAndLeavesTheFileAlone) {
    TestDatabase db; // a fresh copy of the shipped diary
    {
        Connection con(db.path());
        Statement firstStart(con, u"select FirstStart from Common"_s);
        ASSERT_TRUE(firstStart.step());
        ASSERT_EQ(firstStart.value(0).toInt(), 1) << "the shipped diary is not waiting for its first start";
    }
    const QByteArray before = contentsOf(db.path());
    ASSERT_FALSE(before.isEmpty());

    impose(GetParam());
    auto messages = std::make_unique<FakeMessages>();
    auto modal = std::make_unique<FakeModal>(); // any window here is one the user could not leave
    FakeMessages& shown = *messages;
    FakeModal& opened = *modal;
    ServiceSet services{std::move(messages),           std::move(modal),
                        std::make_unique<FakeClock>(), std::make_unique<FakePrinter>(),
                        std::make_unique<FakeHelp>(),  std::make_unique<FakeFileDialogs>()};
    bool started = false;
    try {
        started = startKelvora(db.folder(), std::move(services)).has_value();
    } catch (const DbError& error) {
        ADD_FAILURE() << "start-up failed on the diary instead of saying so: " << error.what();
    }
    FaultyDisk::heal();

    EXPECT_FALSE(started);
    // Refused before the program took its services, so what they saw is still here to read.
    ASSERT_TRUE(services.messages) << "start-up went on past the diary check";
    ASSERT_EQ(shown.shown.size(), 1u);
    const Message& m = shown.last();
    EXPECT_EQ(m.title.toStdString(), "Severe Error");
    EXPECT_EQ(m.text.toStdString(),
              (u"Kelvora can't store anything in its diary, so its very first start can't be completed. "
               "Please make sure that you may change this file and the folder it is in:"_s +
               u"\n"_s + QDir::toNativeSeparators(db.path()))
                  .toStdString());
    EXPECT_EQ(m.icon, MessageIcon::Critical);
    EXPECT_TRUE(opened.opened.empty()) << "a window opened: " << opened.opened.front().toStdString();
    EXPECT_TRUE(visibleWindows().isEmpty());
    EXPECT_TRUE(contentsOf(db.path()) == before) << "the diary changed";
    EXPECT_FALSE(QFile::exists(db.path() + u"-journal"_s));
}

const auto FaultName = [](const ::testing::TestParamInfo<Fault>& info) {
    return std::string(nameOf(info.param));
};

INSTANTIATE_TEST_SUITE_P(Faults, UnwritableFirstStartTest,
                         ::testing::Values(Fault::ReadOnly, Fault::FolderReadOnly, Fault::DiskFull),
                         FaultName);

} // namespace
} // namespace kelvora::test
