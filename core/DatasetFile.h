#pragma once

#include "core/Dataset.h"

#include <QByteArray>
#include <QImage>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>

// One saved Dataset on disk, named by the user, in the datasets folder.
// Tag "ver:3", then every stored key's value as text in field order: PStrings,
// but the picture path as an Int32 byte count and its bytes. Files tagged
// "ver:2" lack "frame"; any other tag marks the oldest layout, which ends
// after "lineColor".
namespace DatasetFile {

// Turns a stored picture path back into the picture; null for none.
using PictureLoader = std::function<QImage(const QString& path)>;

// The file's bytes for a dataset, always in the newest layout.
QByteArray encode(const Dataset& dataset);

// Reads a dataset file's bytes into `out`. Keys an older layout lacks get
// their defaults, with the colours of `pref` as it is now; "pict" comes from
// the stored path through `loadPicture`. The whole layout must be there and
// "size" must be one of the four sheet sizes: otherwise false, and `out` is
// left exactly as it was. Bytes after the layout are ignored. A value whose
// bytes are no UTF-8 is held as those bytes (a QByteArray), which encode()
// writes back unchanged.
bool decode(const QByteArray& bytes, Dataset& out, const std::array<int32_t, 51>& pref,
            const PictureLoader& loadPicture);

// True when `head`, the first bytes of a file, begins as a dataset file does:
// the tag "ver:" and a version number. The program's settings files have
// tags of their own and are no dataset files.
bool isDatasetContent(const QByteArray& head);
// A regular file (no folder, no link, nothing that could block) whose content
// is a dataset file's.
bool isDatasetFile(const QString& path);

enum class LoadResult {
    Loaded,
    Missing,    // no file at the path
    CannotOpen, // not a regular file, unreadable or too large
    NotDataset, // some other kind of file
    Damaged,    // ends before its layout does, or holds no valid sheet size
};

// Reads the file at `path` into `out`; `out` changes only on Loaded, and so
// does `bytesRead` (when given), which then holds the file's bytes.
LoadResult load(const QString& path, Dataset& out, const std::array<int32_t, 51>& pref,
                const PictureLoader& loadPicture, QByteArray* bytesRead = nullptr);

// Replaces the file with the dataset, whole or not at all; false when it
// could not be written (the old file then stays as it was). `written`, when
// given, receives the bytes that reached the file, and only then.
bool save(const QString& path, const Dataset& dataset, QByteArray* written = nullptr);

// What is at a dataset's file now, against the bytes a window last read
// from it or wrote to it. Only the bytes count: a file written again with
// the same bytes is unchanged, whatever its time says.
enum class OnDisk {
    AsLeft,           // the very bytes
    Gone,             // nothing at the path
    ChangedElsewhere, // other bytes, or a regular file that cannot be read to tell
    NoFile,           // a folder or another thing no dataset is written to
};
OnDisk onDisk(const QString& path, const QByteArray& left);

// The name under which the dataset list of `folder` shows the file at
// `path`: its name when it lies in that folder itself, else empty.
QString nameInFolder(const QString& folder, const QString& path);

// Sorts file names as a file manager shows them to the user of `locale`:
// by the language's alphabet, digits by their number ("9" before "10").
// Names the alphabet cannot tell apart keep a fixed order.
void sortNames(QStringList& names, const QLocale& locale);

// The names of the dataset files in `folder`, sorted for `locale`: visible
// regular files recognised as dataset files; no folders, no links, no dot
// files, nothing else. Empty when the folder is missing.
QStringList listNames(const QString& folder, const QLocale& locale = QLocale());

} // namespace DatasetFile
