#include "SheetRecorder.h"

#include <QPaintEngine>
#include <QPainter>

class RecordingDevice::Engine : public QPaintEngine {
public:
    Engine()
        : QPaintEngine(QPaintEngine::AllFeatures)
    {
    }

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& changed) override
    {
        if (changed.state() & QPaintEngine::DirtyPen)
            m_pen = changed.pen();
        if (changed.state() & QPaintEngine::DirtyBrush)
            m_brush = changed.brush();
    }

    void drawRects(const QRect* rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            add(DrawingScript::Kind::Fill, m_script.fills, DrawingScript::Fill{rects[i], m_brush.color()});
    }
    void drawRects(const QRectF* rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            add(DrawingScript::Kind::Fill, m_script.fills,
                DrawingScript::Fill{rects[i].toAlignedRect(), m_brush.color()});
    }

    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        const QFont font = item.font();
        qsizetype index = m_script.fonts.indexOf(font);
        if (index < 0) {
            index = m_script.fonts.size();
            m_script.fonts.append(font);
        }
        add(DrawingScript::Kind::Text, m_script.texts,
            DrawingScript::Text{p, item.text(), int(index), m_pen.color()});
    }

    void drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags) override
    {
        add(DrawingScript::Kind::Picture, m_script.pictures, DrawingScript::Picture{target, image, source});
    }

    void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override
    {
        drawImage(target, pixmap.toImage(), source, Qt::AutoColor);
    }

    const DrawingScript& script() const { return m_script; }

private:
    template <typename T>
    void add(DrawingScript::Kind kind, QList<T>& list, const T& item)
    {
        m_script.steps.append(DrawingScript::Step{kind, int(list.size())});
        list.append(item);
    }

    QPen m_pen;
    QBrush m_brush;
    DrawingScript m_script;
};

RecordingDevice::RecordingDevice(QSize size)
    : m_reference(size, QImage::Format_ARGB32_Premultiplied)
    , m_engine(std::make_unique<Engine>())
{
}

RecordingDevice::~RecordingDevice() = default;

QPaintEngine* RecordingDevice::paintEngine() const { return m_engine.get(); }

const DrawingScript& RecordingDevice::script() const { return m_engine->script(); }

int RecordingDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return m_reference.width();
    case PdmHeight:
        return m_reference.height();
    case PdmWidthMM:
        return qRound(m_reference.width() * 1000.0 / m_reference.dotsPerMeterX());
    case PdmHeightMM:
        return qRound(m_reference.height() * 1000.0 / m_reference.dotsPerMeterY());
    case PdmNumColors:
        return 0;
    case PdmDepth:
        return m_reference.depth();
    case PdmDpiX:
        return m_reference.logicalDpiX();
    case PdmDpiY:
        return m_reference.logicalDpiY();
    case PdmPhysicalDpiX:
        return m_reference.physicalDpiX();
    case PdmPhysicalDpiY:
        return m_reference.physicalDpiY();
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(QPaintDevice::devicePixelRatioFScale());
    }
    return 0;
}

void replay(QPainter& painter, const DrawingScript& script)
{
    for (const DrawingScript::Step& step : script.steps) {
        switch (step.kind) {
        case DrawingScript::Kind::Fill: {
            const DrawingScript::Fill& f = script.fills[step.index];
            painter.fillRect(f.rect, f.colour);
            break;
        }
        case DrawingScript::Kind::Text: {
            const DrawingScript::Text& t = script.texts[step.index];
            painter.setFont(script.fonts[t.font]);
            painter.setPen(t.colour);
            painter.drawText(t.baseline, t.text);
            break;
        }
        case DrawingScript::Kind::Picture: {
            const DrawingScript::Picture& p = script.pictures[step.index];
            painter.drawImage(p.target, p.image, p.source);
            break;
        }
        }
    }
}
