#pragma once

#include "capture/framesource.h"
#include "capture/idscanner.h"
#include "checkin/label/reportinfo.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QStringList>

namespace zelkora::test {

// A picture with something on it, so that a saved JPEG is a real one.
inline QImage TestPicture(QSize size, QColor color) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QPainter painter(&image);
    painter.setPen(Qt::white);
    painter.drawEllipse(QRect(QPoint(size.width() / 4, size.height() / 6),
                              QSize(size.width() / 2, size.height() * 2 / 3)));
    return image;
}

// A camera the test drives: it starts when told to and delivers the frames the test hands it.
class SyntheticFrameSource final : public capture::FrameSource {
public:
    bool start() override {
        ++starts;
        running = startSucceeds;
        return running;
    }
    void stop() override {
        ++stops;
        running = false;
    }
    bool isRunning() const override { return running; }
    void emitFrame(const QImage& frame) { deliverFrame(frame); }

    bool startSucceeds = true;
    bool running = false;
    int starts = 0;
    int stops = 0;
};

// A scanner with the sources the test names; scans succeed (the test delivers the image) or
// fail with the error the test sets.
class SyntheticIdScanner final : public capture::IdScanner {
public:
    bool open() override { return true; }
    int sourceCount() override { return static_cast<int>(sources.size()); }
    std::optional<QString> sourceName(int index) override {
        if (index < 0 || index >= sources.size())
            return std::nullopt;
        return sources.at(index);
    }
    bool selectSource(int index) override {
        selected = index;
        return true;
    }
    StationError openSource() override {
        ++opens;
        return failure;
    }
    StationError setScanArea(const capture::ScanArea& a) override {
        area = a;
        return {};
    }
    StationError setShowDialog(bool show) override {
        showDialog = show;
        return {};
    }
    StationError startAcquisition() override {
        ++acquisitions;
        return {};
    }
    void closeSource() override { ++closes; }
    void emitImage(const QImage& image) { deliverImage(image); }

    QStringList sources;
    int selected = -1;
    int opens = 0;
    int acquisitions = 0;
    int closes = 0;
    bool showDialog = true;
    capture::ScanArea area;
    StationError failure;
};

// Records what the commit prints, and fails while told to.
class RecordingBadgePrinter final : public BadgePrinter {
public:
    struct Print {
        clsReportInfo info;
        printing::PrinterSettings printer;
        bool preview = false;
    };
    StationError printBadge(const clsReportInfo& info, const printing::PrinterSettings& printer,
                            bool preview) override {
        ++attempts;
        if (failing)
            return {482, QStringLiteral("Printer error"), QStringLiteral("RecordingBadgePrinter")};
        prints.append({info, printer, preview});
        return {};
    }

    bool failing = false;
    int attempts = 0;
    QList<Print> prints;
};

} // namespace zelkora::test
