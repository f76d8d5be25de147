#pragma once

#include "app/core/scanner.h"
#include "util/error.h"

#include <QImage>
#include <functional>
#include <optional>

namespace zelkora::capture {

// A scan area in inches from the top-left corner of the scan bed.
struct ScanArea {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// The card-sized area the ID scan reads: 3.5 x 2.2 inches at the top left.
inline constexpr ScanArea kIdCardArea{0, 0, 3.5, 2.2};

// Scanner errors are numbered from this base (the platform's object error base) and name this
// source; only those are reported to the user.
inline constexpr long kScannerErrorBase = -2147221504L; // 0x80040000 as a signed 32-bit value
inline constexpr char kScannerErrorSource[] = "TwainPRO";

// The ID-card scanner of the entry window: the source list of ScannerSources (to select the
// configured model), then one scan at a time of a given area. The image arrives later, on the UI
// thread, through the image handler.
class IdScanner : public ScannerSources {
public:
    using ImageHandler = std::function<void(const QImage& image)>;

    // Opens the selected source for scanning.
    [[nodiscard]] virtual StationError openSource() = 0;
    [[nodiscard]] virtual StationError setScanArea(const ScanArea& area) = 0;
    // Whether the source's own settings dialog is shown before scanning.
    [[nodiscard]] virtual StationError setShowDialog(bool show) = 0;
    // Starts a scan; the picture reaches the image handler when it is done.
    [[nodiscard]] virtual StationError startAcquisition() = 0;
    // Closes the source; harmless when it is not open.
    virtual void closeSource() = 0;

    // Receives each scanned image (an empty function removes it).
    void setImageHandler(ImageHandler handler) { m_handler = std::move(handler); }

protected:
    IdScanner() = default;
    // Back ends call this on the UI thread when an image has been scanned.
    void deliverImage(const QImage& image) const {
        if (m_handler)
            m_handler(image);
    }

private:
    ImageHandler m_handler;
};

// The product's scanner until a scanning back end is wired in: no sources, every scan fails.
class NoIdScanner final : public IdScanner {
public:
    bool open() override { return false; }
    int sourceCount() override { return 0; }
    std::optional<QString> sourceName(int) override { return std::nullopt; }
    bool selectSource(int) override { return false; }
    StationError openSource() override;
    StationError setScanArea(const ScanArea&) override { return openSource(); }
    StationError setShowDialog(bool) override { return openSource(); }
    StationError startAcquisition() override { return openSource(); }
    void closeSource() override {}
};

// The message a scanner error shows, or nothing for errors that are not reported: only numbers
// strictly inside the scanner's range above kScannerErrorBase from a source naming "TwainPRO"
// (any letter case), and never code 1000. The text is code + ": " + description, a two-line
// description joined by two spaces at its first line feed.
std::optional<QString> ScannerErrorMessage(const StationError& error);

} // namespace zelkora::capture
