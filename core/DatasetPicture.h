#pragma once

#include <QImage>
#include <QString>

class Dataset;

// The background picture of a dataset: the file named by its "pictPath" key
// and the picture read from it, held under "pict".
namespace DatasetPicture {

// The longest side a background picture is kept at. The largest sheet, a CD
// sheet printed at 360 dpi, is under 2,000 pixels across; more only costs
// memory and a rescale at every draw.
inline constexpr int kMaxSide = 2400;

// Reads a picture file, judging its format by its content, not its name,
// whatever its size; a picture with a side over kMaxSide is reduced once,
// here, smoothly and keeping its proportions. False with a null `out` when
// the file is missing, no regular file or holds no readable picture.
bool load(const QString& path, QImage& out);

// The picture a stored path names: null when the path is empty, not absolute,
// names no file or no readable picture.
QImage loadStored(const QString& path);

// Makes the picture file at `path` the dataset's background: "pict" and
// "pictPath" (the absolute path) are set together. A file that is no picture
// is refused: false, and the dataset is left as it was.
bool choose(Dataset& dataset, const QString& path);

// Switches the background off: no picture, empty "pictPath".
void clear(Dataset& dataset);

// What the path label shows: the stored path, or "ファイルなし" when there is none.
QString label(const Dataset& dataset);

} // namespace DatasetPicture
