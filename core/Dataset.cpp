#include "core/Dataset.h"

QImage Dataset::pict() const
{
    const QVariant v = value(DatasetKey::pict);
    if (v.typeId() != QMetaType::QImage)
        return QImage();
    return v.value<QImage>();
}

void Dataset::setPict(const QImage& image)
{
    // No picture is kept as nothing at all, not as an empty image.
    setValue(DatasetKey::pict, image.isNull() ? QVariant() : QVariant(image));
}
