#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace Sheet {

// The picture format a file name asks for, in Qt's image writer's names:
// "png" for ".png", "jpeg" for ".jpg" or ".jpeg", "bmp" for ".bmp", in any
// case of letters; empty for any other name.
QByteArray pictureFormatOf(const QString& fileName);

// The file a chosen name is saved to: a name that asks for a format is kept,
// any other gets ".png" ("snap." becomes "snap.png", not "snap..png").
QString pictureFileName(const QString& chosen);

// The picture's bytes in the format its file name asks for (PNG for any other
// name); empty when it cannot be encoded. Writing them is the caller's.
QByteArray encodePicture(const QImage& picture, const QString& fileName);

} // namespace Sheet
