#include "checkin/printing/probedevice.h"

#include <cmath>

namespace zelkora::printing {

namespace {

// Accepts every drawing and draws nothing.
class NullEngine final : public QPaintEngine {
public:
    NullEngine()
        : QPaintEngine(AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawRects(const QRect*, int) override {}
    void drawRects(const QRectF*, int) override {}
    void drawLines(const QLine*, int) override {}
    void drawLines(const QLineF*, int) override {}
    void drawEllipse(const QRectF&) override {}
    void drawEllipse(const QRect&) override {}
    void drawPath(const QPainterPath&) override {}
    void drawPoints(const QPointF*, int) override {}
    void drawPoints(const QPoint*, int) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPolygon(const QPoint*, int, PolygonDrawMode) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF&, const QTextItem&) override {}
    void drawTiledPixmap(const QRectF&, const QPixmap&, const QPointF&) override {}
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {
    }
    Type type() const override { return User; }
};

} // namespace

ProbeDevice::ProbeDevice(const QPaintDevice& model)
    : m_width(model.width())
    , m_height(model.height())
    , m_widthMM(model.widthMM())
    , m_heightMM(model.heightMM())
    , m_dpiX(model.logicalDpiX())
    , m_dpiY(model.logicalDpiY())
    , m_physicalDpiX(model.physicalDpiX())
    , m_physicalDpiY(model.physicalDpiY())
    , m_depth(model.depth())
    , m_colorCount(model.colorCount())
    , m_ratio(model.devicePixelRatioF())
    , m_engine(std::make_unique<NullEngine>()) {}

ProbeDevice::~ProbeDevice() = default;

QPaintEngine* ProbeDevice::paintEngine() const {
    return m_engine.get();
}

int ProbeDevice::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth:
        return m_width;
    case PdmHeight:
        return m_height;
    case PdmWidthMM:
        return m_widthMM;
    case PdmHeightMM:
        return m_heightMM;
    case PdmNumColors:
        return m_colorCount;
    case PdmDepth:
        return m_depth;
    case PdmDpiX:
        return m_dpiX;
    case PdmDpiY:
        return m_dpiY;
    case PdmPhysicalDpiX:
        return m_physicalDpiX;
    case PdmPhysicalDpiY:
        return m_physicalDpiY;
    case PdmDevicePixelRatio:
        return static_cast<int>(std::lround(m_ratio));
    case PdmDevicePixelRatioScaled:
        return static_cast<int>(std::lround(m_ratio * devicePixelRatioFScale()));
    }
    return QPaintDevice::metric(metric);
}

} // namespace zelkora::printing
