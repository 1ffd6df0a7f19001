#pragma once

#include <QImage>
#include <QString>

namespace Sheet {

// The file a chosen name is saved to: a name without an extension gets ".png".
QString pictureFileName(const QString& chosen);

// The picture as PNG, written whole or not at all; false when it could not
// be encoded or written.
bool savePicture(const QImage& picture, const QString& path);

} // namespace Sheet
