#pragma once

#include "checkin/label/labelfields.h"
#include "util/error.h"

#include <QString>
#include <functional>

class QPaintDevice;

namespace zelkora::label {

// The font of the measuring device, as the printer object keeps it.
struct PrinterFont {
    QString name;
    double size = 10; // points
    bool bold = false;
    bool italic = false;
};

// Text measurement in the current font of an output device.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    // Sets the face; the size stays what it was.
    virtual void setFontFace(const QString& name, bool bold, bool italic) = 0;
    virtual void setFontSize(double points) = 0;
    // The font the device took: its size may differ from the one asked for.
    virtual PrinterFont font() const = 0;
    // Width and height of `text` (the widest line, all lines) in twips; false with `error` set
    // when the device cannot measure.
    virtual bool measure(const QString& text, double* width, double* height,
                         StationError* error) = 0;

protected:
    TextMeasurer() = default;
    TextMeasurer(const TextMeasurer&) = default;
    TextMeasurer& operator=(const TextMeasurer&) = default;
};

// Measures with the font metrics of a paint device (printer or PDF writer) at its resolution.
// The device must outlive the measurer.
class DeviceTextMeasurer final : public TextMeasurer {
public:
    explicit DeviceTextMeasurer(QPaintDevice* device);

    void setFontFace(const QString& name, bool bold, bool italic) override;
    void setFontSize(double points) override;
    PrinterFont font() const override { return m_font; }
    bool measure(const QString& text, double* width, double* height, StationError* error) override;

private:
    QPaintDevice* m_device;
    PrinterFont m_font;
};

// The settings the fitting reads, each read as a whole number and written straight back.
struct FitSettings {
    long maxFontSize = 200;
    long minFontSize = 2;
    long marginX = 200;
    long marginY = 30;

    // m_MaxFontSize and m_MinFontSize from the settings store, written back. A value that is not
    // a whole number of at least 1 point counts as absent.
    static FitSettings readFontSizes();
    // FontMarginX and FontMarginY into `settings`, written back.
    static void readMargins(FitSettings& settings);
};

// Chooses for a field the largest font size at which its text fits the field's box, logging
// each step of the search.
class FontFitter {
public:
    using LogSink = std::function<void(const QString&)>;

    // `log` receives the log lines; by default they go to WriteLog.
    explicit FontFitter(TextMeasurer& measurer, LogSink log = {});

    // Fits `field`'s font to `text` in a box of `width` x `height` twips less the margins,
    // reading the settings from the store. An empty text or font name empties the field.
    void FitFieldFont(LabelField& field, const QString& text, const QString& fontName, double width,
                      double height);

    // Whether `text` in the device's current font is narrower than `width` and lower than
    // `height` (twips; equal does not fit). The measured size goes to the out parameters; a
    // failed measurement is logged and does not fit.
    bool TextFits(const QString& text, double width, double height, long* measuredWidth,
                  long* measuredHeight);

    // Search rounds of the last FitFieldFont.
    int lastLoopCount() const { return m_loopCount; }

private:
    void log(const QString& line) const;

    TextMeasurer& m_measurer;
    LogSink m_log;
    int m_loopCount = 0;
};

} // namespace zelkora::label
