#pragma once

#include <QPaintDevice>
#include <QPaintEngine>
#include <memory>

namespace zelkora::printing {

// A paint device with the size and metrics of another one that keeps nothing painted on it:
// painting a page here tells whether the report has that page, and measures text exactly as on
// the real device, at almost no cost.
class ProbeDevice final : public QPaintDevice {
public:
    explicit ProbeDevice(const QPaintDevice& model);
    ~ProbeDevice() override;
    ProbeDevice(const ProbeDevice&) = delete;
    ProbeDevice& operator=(const ProbeDevice&) = delete;

    QPaintEngine* paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    int m_width, m_height, m_widthMM, m_heightMM;
    int m_dpiX, m_dpiY, m_physicalDpiX, m_physicalDpiY;
    int m_depth, m_colorCount;
    qreal m_ratio;
    std::unique_ptr<QPaintEngine> m_engine;
};

} // namespace zelkora::printing
