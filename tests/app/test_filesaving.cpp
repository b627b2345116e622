#include "AppFixture.h"
#include "FileSaving.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

TEST(ConfirmReplace, AsksOnlyForAFileThatExistsAndDefaultsToNo) {
    AppFixture fx;
    const QString path = QDir(fx.db.folder()).filePath(u"chart.pdf"_s);
    EXPECT_TRUE(confirmReplace(nullptr, path));
    EXPECT_TRUE(fx.messages->shown.empty());

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_FALSE(confirmReplace(nullptr, path)); // Enter takes the default
    fx.messages->answer(MessageButton::Yes);
    EXPECT_TRUE(confirmReplace(nullptr, path));

    ASSERT_EQ(fx.messages->shown.size(), 2u);
    const Message& asked = fx.messages->shown.front().message;
    EXPECT_EQ(asked.text, QDir::toNativeSeparators(path) + u" already exists. Replace it?"_s);
    EXPECT_EQ(asked.icon, MessageIcon::Question);
    EXPECT_EQ(asked.defaultButton, MessageButton::No);
}

} // namespace
} // namespace kelvora::test
