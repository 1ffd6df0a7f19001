#include "core/WorkingFile.h"

#include "support/TestFiles.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

using Answer = WorkingFile::EditsAnswer;

// A fresh datasets folder holding "a" as this window last wrote it.
class WorkingFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = QDir(TestEnv::home()).filePath(QStringLiteral("working-file"));
        QDir(folder).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(QDir(folder).filePath(QStringLiteral("inner"))));
        a = QDir(folder).filePath(QStringLiteral("a"));
        TestFiles::plant(a, bytesA);
    }

    QString folder;
    QString a;
    const QByteArray bytesA = QByteArrayLiteral("ver:3 as written");
};

TEST_F(WorkingFileTest, ASaveGoesOnWithTheFileWrittenAndKnowsWhenOthersWriteIt)
{
    WorkingFile work;
    work.markEdited();
    // Written under a name spelt through another folder: the file is the same.
    work.saved(QDir(folder).filePath(QStringLiteral("inner/../a")), bytesA);
    EXPECT_EQ(work.path(), a);
    EXPECT_FALSE(work.hasEdits());
    EXPECT_FALSE(work.needsName(false));
    EXPECT_TRUE(work.needsName(true));
    EXPECT_EQ(work.rowIn(folder), QStringLiteral("a"));
    EXPECT_EQ(work.rowIn(QDir(folder).filePath(QStringLiteral("inner"))), QString());
    EXPECT_FALSE(work.changedElsewhere());

    // Written again with the very bytes: nothing to ask about.
    TestFiles::plant(a, bytesA);
    EXPECT_FALSE(work.changedElsewhere());
    TestFiles::plant(a, QByteArrayLiteral("ver:3 from another copy"));
    EXPECT_TRUE(work.changedElsewhere());
    // A dataset removed meanwhile is simply written again.
    ASSERT_TRUE(QFile::remove(a));
    EXPECT_FALSE(work.changedElsewhere());
    // Nor a folder where the file was: the write itself fails and says so.
    ASSERT_TRUE(QDir().mkpath(a));
    EXPECT_FALSE(work.changedElsewhere());
}

TEST_F(WorkingFileTest, TakingAnotherFileKeepsTheEditsForWhoeverAskedAboutThem)
{
    WorkingFile work;
    work.markEdited();
    work.workOn(a, bytesA);
    EXPECT_TRUE(work.hasEdits());
    work.dropEdits();
    work.workOn(QString(), QByteArray());
    EXPECT_FALSE(work.hasEdits());

    // An untitled design has a name to choose, no row and nothing on disk.
    EXPECT_TRUE(work.path().isEmpty());
    EXPECT_TRUE(work.needsName(false));
    EXPECT_EQ(work.rowIn(folder), QString());
    EXPECT_FALSE(work.changedElsewhere());
}

TEST_F(WorkingFileTest, AFileReadBeforeTheQuestionIsOutOfDateOnlyWhenTheEditsWereSavedIntoIt)
{
    const QString b = QDir(folder).filePath(QStringLiteral("b"));
    const struct {
        const char* what;
        QString current; // the file worked on when the question was asked
        Answer answer;
        QString read;    // the file read before the question
        bool outdated;
    } cases[] = {
        {"saved into the file read", a, Answer::Saved, a, true},
        {"saved into it, named another way", a, Answer::Saved, QDir(folder).filePath(QStringLiteral("inner/../a")),
         true},
        {"saved into another file", a, Answer::Saved, b, false},
        {"dropped", a, Answer::Dropped, a, false},
        {"no edits", a, Answer::NoEdits, a, false},
        {"an untitled design saved elsewhere", QString(), Answer::Saved, a, false},
    };
    for (const auto& c : cases) {
        WorkingFile work;
        work.workOn(c.current, bytesA);
        EXPECT_EQ(work.outdatedBy(c.answer, c.read), c.outdated) << c.what;
    }
}

} // namespace
