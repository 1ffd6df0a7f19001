#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPaintDevice>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QString>

#include <memory>

// What a sheet asks of its painter, as plain drawing calls: the fills, the text
// runs and the pictures, in order, with their colours and fonts. Replaying them
// on a bare QPainter is the floor the sheet routine is measured against: the
// same pixels with none of the sheet's own work (dataset lookups, the month
// walk, layout arithmetic, font building).
struct DrawingScript {
    struct Fill {
        QRect rect;
        QColor colour;
    };
    struct Text {
        QPointF baseline;
        QString text;
        int font;  // index into fonts
        QColor colour;
    };
    struct Picture {
        QRectF target;
        QImage image;
        QRectF source;
    };
    enum class Kind { Fill, Text, Picture };
    struct Step {
        Kind kind;
        int index;  // into the list of its kind
    };

    QList<Step> steps;
    QList<Fill> fills;
    QList<Text> texts;
    QList<Picture> pictures;
    // Every font the texts use, built once before any replay.
    QList<QFont> fonts;
};

// A paint device with the metrics of a picture of the given size that keeps
// the calls made on it instead of drawing them.
class RecordingDevice : public QPaintDevice {
public:
    explicit RecordingDevice(QSize size);
    ~RecordingDevice() override;

    QPaintEngine* paintEngine() const override;
    // Valid once the painter on this device has ended.
    const DrawingScript& script() const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    class Engine;
    QImage m_reference;
    std::unique_ptr<Engine> m_engine;
};

// The script drawn on an active painter as directly as QPainter allows.
void replay(QPainter& painter, const DrawingScript& script);
