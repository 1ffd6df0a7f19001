#pragma once

#include "core/DatasetKeys.h"
#include "platform/Conv.h"

#include <QDate>
#include <QHash>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <array>
#include <cstdint>

// The style settings of one calendar sheet: text keys to variant values. A value
// may be held as an Int32, a Double or a text (from a file, the bytes of a text
// that is no UTF-8); readers convert through Conv.
// The key pict holds the background picture (a QImage) or nothing.
class Dataset {
public:
    QVariant value(const QString& key) const { return m_values.value(key); }
    void setValue(const QString& key, const QVariant& v) { m_values.insert(key, v); }
    bool contains(const QString& key) const { return m_values.contains(key); }
    QStringList keys() const { return m_values.keys(); }

    int32_t i32(const QString& key) const { return Conv::asInt32(value(key)); }
    double dbl(const QString& key) const { return Conv::asDouble(value(key)); }
    QString text(const QString& key) const { return Conv::asText(value(key)); }
    // A coded key's value as its enum; a damaged value stays the number it is.
    template <class E> E coded(const QString& key) const { return static_cast<E>(i32(key)); }

    // The background picture; a null image when there is none.
    QImage pict() const;
    void setPict(const QImage& image);

private:
    QHash<QString, QVariant> m_values;
};
