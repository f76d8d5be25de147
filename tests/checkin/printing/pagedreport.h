#pragma once

#include "checkin/printing/report.h"

#include <QList>
#include <QPageSize>
#include <QPaintDevice>
#include <QPainter>
#include <stdexcept>

namespace zelkora::test {

// A report of `pages` numbered pages that records what the printing layer asks of it, and can
// be told to fail at start, at one page, or by throwing.
class PagedReport final : public printing::Report {
public:
    explicit PagedReport(int pages, bool tellsCount = true)
        : m_pages(pages)
        , m_tells(tellsCount) {}

    QPageLayout layout = QPageLayout(QPageSize(QSizeF(4.0, 2.3125), QPageSize::Inch),
                                     QPageLayout::Landscape, QMarginsF());
    int failAtPage = -1;  // paintPage of this page sets an error
    int throwAtPage = -1; // paintPage of this page throws
    bool failStart = false;

    // What happened: the devices given to start() (their resolution), every page painted on
    // the real device, and every page asked on a stand-in.
    QList<int> startResolutions;
    QList<int> painted;
    QList<int> probed;

    QPageLayout pageLayout() const override { return layout; }

    StationError start(QPaintDevice& device) override {
        startResolutions.append(device.logicalDpiX());
        m_device = &device;
        if (failStart)
            return StationError{1001, QStringLiteral("report start failed"),
                                QStringLiteral("test")};
        return {};
    }

    bool paintPage(int index, QPainter& painter, StationError* error) override {
        (painter.device() == m_device ? painted : probed).append(index);
        if (index == throwAtPage)
            throw std::runtime_error("page layout exploded");
        if (index == failAtPage) {
            *error = StationError{1002, QStringLiteral("page %1 failed").arg(index),
                                  QStringLiteral("test")};
            return false;
        }
        if (index < 0 || index >= m_pages)
            return false;
        painter.drawRect(
            QRect(10, 10, painter.device()->width() - 20, painter.device()->height() - 20));
        painter.drawText(QPointF(40, 80), QStringLiteral("Page %1").arg(index + 1));
        return true;
    }

    std::optional<int> pageCount() const override {
        return m_tells ? std::optional<int>(m_pages) : std::nullopt;
    }

private:
    int m_pages;
    bool m_tells;
    QPaintDevice* m_device = nullptr;
};

} // namespace zelkora::test
