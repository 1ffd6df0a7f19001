// Why a write or a folder did not happen, as the user is told it: each road
// that keeps a file from being written, or a folder from being made, gives
// its own reason, and a full disk is told in the child whose files cannot grow.

#include "platform/FileIO.h"
#include "platform/Folders.h"

#include "support/HostileFiles.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <functional>


namespace {

TEST(WriteErrors, EachRoadThatKeepsAFileFromBeingWrittenGivesItsReason)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("f"));
    const struct {
        const char* what;
        std::function<void()> make;
        QString path;
        int error;
    } cases[] = {
        {"a folder in its place", [&] { ASSERT_TRUE(QDir().mkpath(file)); }, file, FileIO::kNotARegularFile},
        {"no folder to hold it", [] {}, dir.filePath(QStringLiteral("gone/f")), ENOENT},
        {"a file where its folder should be", [&] { TestFiles::plant(file, "x"); },
         dir.filePath(QStringLiteral("f/g")), ENOTDIR},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(file).removeRecursively();
        QFile::remove(file);
        c.make();
        int error = 0;
        EXPECT_FALSE(FileIO::writeWhole(c.path, "bytes", FileIO::Access::Private, &error));
        EXPECT_EQ(error, c.error);
        EXPECT_FALSE(FileIO::reasonText(error).isEmpty());
    }

    // A full disk: the child's files cannot grow past 4 bytes.
    QFile::remove(file);
    QDir(file).removeRecursively();
    EXPECT_EQ(HostileFiles::inChildWithFileSizeLimit(4, [&] {
                  int error = 0;
                  const bool written = FileIO::writeWhole(file, "more than four", FileIO::Access::Private, &error);
                  return written ? 1 : error == EFBIG ? 0 : 2;
              }),
              0);
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(FileIO::reasonText(EFBIG), QStringLiteral("ファイルの大きさの上限を超えます。"));
    EXPECT_EQ(FileIO::reasonText(ENOSPC), QStringLiteral("ディスクに空きがありません。"));
}

TEST(WriteErrors, AReadOnlyFileIsRefusedForWantOfPermission)
{
    const QString dir = TestEnv::home() + QStringLiteral("/read-only");
    QDir(dir).removeRecursively();
    ASSERT_TRUE(QDir().mkpath(dir));
    const QString file = dir + QStringLiteral("/f");
    TestFiles::plant(file, "old");
    ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::ReadOwner));
    // Root writes any file: the write is tried with an ordinary user's rights.
    const HostileFiles::OrdinaryUserRun run = HostileFiles::inChildAsOrdinaryUser(dir, [&] {
        int error = 0;
        const bool written = FileIO::writeWhole(file, "new", FileIO::Access::Private, &error);
        return written ? QStringLiteral("written") : QString::number(error);
    });
    if (!run.ran)
        GTEST_SKIP() << "no ordinary user to try a read-only file as: " << run.whyNot.toStdString();
    EXPECT_EQ(run.answer, QString::number(EACCES));
    EXPECT_EQ(TestFiles::bytesOf(file), QByteArray("old"));
    EXPECT_EQ(FileIO::reasonText(EACCES), QStringLiteral("アクセス権がありません。"));
    QDir(dir).removeRecursively();
}

// A folder cannot be made where something that is no folder stands at its
// place or above it; the notice names that thing.
TEST(FolderErrors, WhatStandsInTheWayIsNamed)
{
    QTemporaryDir dir;
    const QString blocker = dir.filePath(QStringLiteral("config"));
    TestFiles::plant(blocker, "x");
    const QString dangling = dir.filePath(QStringLiteral("link"));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("nowhere")), dangling));
    const struct {
        const char* what;
        QString folder;
        QString inTheWay;
    } cases[] = {
        {"the folder's place a file", blocker, blocker},
        {"a parent a file", blocker + QStringLiteral("/a/b"), blocker},
        {"a dangling link in its place", dangling, dangling},
        {"nothing in the way", dir.filePath(QStringLiteral("a/b")), QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Folders::inTheWay(c.folder), c.inTheWay);
        Folders::Unmade unmade;
        EXPECT_EQ(Folders::createFolder(c.folder, &unmade), c.inTheWay.isEmpty());
        if (!c.inTheWay.isEmpty()) {
            EXPECT_EQ(unmade.path, c.inTheWay);
            EXPECT_EQ(unmade.error, ENOTDIR);
            EXPECT_EQ(Folders::whyUnmade(unmade), QStringLiteral("「%1」はフォルダではありません。").arg(c.inTheWay));
        }
    }
    EXPECT_EQ(TestFiles::bytesOf(blocker), QByteArray("x"));
}

} // namespace
