#include "core/KeyboardToken.h"
#include "core/QStringPrinter.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString TokenFile(const QTemporaryDir& dir) {
    return dir.filePath(QStringLiteral("TastaturPortal.token"));
}

TEST(KeyboardToken, KeptForTheOwnerAloneAndReadBack) {
    QTemporaryDir dir;
    EXPECT_TRUE(ReadKeyboardToken(dir.path()).isEmpty());
    ASSERT_TRUE(WriteKeyboardToken(dir.path(), QStringLiteral("4f1c-token")));
    EXPECT_EQ(ReadKeyboardToken(dir.path()), QStringLiteral("4f1c-token"));
    EXPECT_EQ(QFile::permissions(TokenFile(dir)) &
                  (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteGroup |
                   QFileDevice::WriteOther),
              QFileDevice::Permissions());

    ASSERT_TRUE(WriteKeyboardToken(dir.path(), QStringLiteral("next")));
    EXPECT_EQ(ReadKeyboardToken(dir.path()), QStringLiteral("next"));
}

TEST(KeyboardToken, AnEmptyTokenRemovesTheFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(WriteKeyboardToken(dir.path(), QStringLiteral("t")));
    EXPECT_TRUE(WriteKeyboardToken(dir.path(), QString()));
    EXPECT_FALSE(QFile::exists(TokenFile(dir)));
    EXPECT_TRUE(WriteKeyboardToken(dir.path(), QString()));
}

TEST(KeyboardToken, AFolderThatCannotBeWrittenSaysSo) {
    QTemporaryDir dir;
    EXPECT_FALSE(WriteKeyboardToken(dir.filePath(QStringLiteral("missing")), QStringLiteral("t")));
    EXPECT_TRUE(ReadKeyboardToken(dir.filePath(QStringLiteral("missing"))).isEmpty());
}

} // namespace
