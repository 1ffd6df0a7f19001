#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <gtest/gtest.h>

// Reading and planting files as they are on disk, around the program's own
// file code.
namespace TestFiles {

// The file's bytes; "<none>" when it cannot be read, so that a missing file
// never passes for an empty one.
inline QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

// Replaces the file with exactly these bytes; a failed write fails the test.
inline void plant(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << qPrintable(path);
    ASSERT_EQ(f.write(bytes), bytes.size()) << qPrintable(path);
}

} // namespace TestFiles
