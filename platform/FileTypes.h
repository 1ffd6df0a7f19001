#pragma once

#include <QByteArray>
#include <QString>

#include <array>

// The file types the program declares. Linux files carry no type or creator
// code, so the table is kept as data, and a file's type "pref" is judged by
// what the file begins with.
struct FileType {
    QString name;       // the name the program refers to the type by
    QString extensions; // each with its leading dot, separated by ";"; empty for none
    QString macType;    // four-character type code
    QString macCreator; // four-character creator code
};

namespace FileTypes {

// The seven declared types, in declaration order; the last is prefFile.
const std::array<FileType, 7>& table();
// The type of every file the program writes: "prefFile", type "pref",
// creator "Tkwz", no extension.
const FileType& prefFile();

// True when `head`, the first bytes of a file, starts with one of the
// program's own tags as a PString: "ver:" followed by a version number,
// "pref2", "pref" or "printSetup".
bool startsWithProgramTag(const QByteArray& head);

// The type code of the file at `path`: "pref" when it is one of the
// program's own files, else empty (also for a folder or an unreadable file).
QString macTypeOf(const QString& path);

} // namespace FileTypes
