#include "checkin/label/fitfieldfont.h"

#include "app/core/log.h"
#include "settings/settingsstore.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QStringList>
#include <algorithm>
#include <climits>
#include <cmath>

namespace zelkora::label {

namespace {

constexpr double kTwipsPerInch = 1440;

QString number(double value) {
    return QString::number(value, 'g', 15);
}

QString number(float value) {
    return QString::number(value, 'g', 7);
}

QString flag(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

long readWholeNumber(const char* key, long fallback, long smallest) {
    const QString name = QString::fromLatin1(key);
    bool ok = false;
    long value = GetSetting(name, QString::number(fallback)).trimmed().toLong(&ok);
    if (!ok || value < smallest)
        value = fallback;
    SaveSetting(name, QString::number(value));
    return value;
}

// Measured sizes are rounded up to whole twips, so a text said to fit never reaches the edge.
long wholeTwips(double twips) {
    return static_cast<long>(std::ceil(twips - 1e-9));
}

} // namespace

DeviceTextMeasurer::DeviceTextMeasurer(QPaintDevice* device)
    : m_device(device) {}

void DeviceTextMeasurer::setFontFace(const QString& name, bool bold, bool italic) {
    m_font.name = name;
    m_font.bold = bold;
    m_font.italic = italic;
}

void DeviceTextMeasurer::setFontSize(double points) {
    // Qt renders any positive size; a size it cannot take stays as it was.
    if (points > 0)
        m_font.size = points;
}

bool DeviceTextMeasurer::measure(const QString& text, double* width, double* height,
                                 StationError* error) {
    if (!m_device || m_device->logicalDpiX() <= 0 || m_device->logicalDpiY() <= 0) {
        if (error)
            *error = {482, QStringLiteral("Printer error"), QStringLiteral("TextFits")};
        return false;
    }
    QFont font(m_font.name);
    font.setPointSizeF(m_font.size);
    font.setBold(m_font.bold);
    font.setItalic(m_font.italic);
    const QFontMetricsF metrics(font, m_device);

    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QStringList lines = normalized.split(QLatin1Char('\n'));
    double widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    *width = widest * kTwipsPerInch / m_device->logicalDpiX();
    *height = metrics.height() * static_cast<double>(lines.size()) * kTwipsPerInch /
              m_device->logicalDpiY();
    return true;
}

FitSettings FitSettings::readFontSizes() {
    FitSettings s;
    s.maxFontSize = readWholeNumber("m_MaxFontSize", s.maxFontSize, 1);
    s.minFontSize = readWholeNumber("m_MinFontSize", s.minFontSize, 1);
    return s;
}

void FitSettings::readMargins(FitSettings& settings) {
    settings.marginX = readWholeNumber("FontMarginX", FitSettings{}.marginX, LONG_MIN);
    settings.marginY = readWholeNumber("FontMarginY", FitSettings{}.marginY, LONG_MIN);
}

FontFitter::FontFitter(TextMeasurer& measurer, LogSink log)
    : m_measurer(measurer)
    , m_log(std::move(log)) {}

void FontFitter::log(const QString& line) const {
    if (m_log)
        m_log(line);
    else
        WriteLog(line);
}

bool FontFitter::TextFits(const QString& text, double width, double height, long* measuredWidth,
                          long* measuredHeight) {
    log(QStringLiteral("Entering TextFits."));
    log(QStringLiteral("TextFits sText: ") + text);
    log(QStringLiteral("TextFits lWidth: ") + number(width));
    log(QStringLiteral("TextFits lHeight: ") + number(height));

    double w = 0;
    double h = 0;
    StationError error;
    if (!m_measurer.measure(text, &w, &h, &error)) {
        *measuredWidth = 0;
        *measuredHeight = 0;
        log(QStringLiteral("An Error (") + QString::number(error.number) +
            QStringLiteral(") happened in TextFits."));
        return false;
    }
    *measuredWidth = wholeTwips(w);
    log(QStringLiteral("TextFits lThisWidthTwips: ") + QString::number(*measuredWidth));
    *measuredHeight = wholeTwips(h);
    log(QStringLiteral("TextFits lThisHeightTwips: ") + QString::number(*measuredHeight));
    log(QStringLiteral("Leaving  TextFits."));
    return *measuredWidth < width && *measuredHeight < height;
}

void FontFitter::FitFieldFont(LabelField& field, const QString& text, const QString& fontName,
                              double width, double height) {
    m_loopCount = 0;
    FitSettings settings = FitSettings::readFontSizes();
    if (text.isEmpty() || fontName.isEmpty()) {
        field.text.clear();
        return;
    }
    FitSettings::readMargins(settings);
    const double triggerWidth = width - static_cast<double>(settings.marginX);
    const double triggerHeight = height - static_cast<double>(settings.marginY);

    // The title is never set in italics, whatever its design says.
    const bool neverItalic = field.name == QLatin1String("txtBadgeName");
    m_measurer.setFontFace(field.fontName, field.bold, neverItalic ? false : field.italic);
    for (int i = 0; i < 4; ++i)
        log(QStringLiteral("***"));
    log(QStringLiteral("About to set font size for control ") + field.name +
        QStringLiteral(" with Text of ") + field.text);
    log(QStringLiteral("Font Name is ") + m_measurer.font().name);
    log(QStringLiteral("Font Bold is ") + flag(m_measurer.font().bold));
    log(QStringLiteral("Font Italic is ") + flag(m_measurer.font().italic));

    long measuredWidth = 0;
    long measuredHeight = 0;
    const auto fits = [&] {
        return TextFits(text, triggerWidth, triggerHeight, &measuredWidth, &measuredHeight);
    };
    const auto tried = [&](const QString& what, double size) {
        log(what + number(size) + QStringLiteral(" with Width TWIPS of ") +
            QString::number(measuredWidth) + QStringLiteral(" & Height TWIPS of ") +
            QString::number(measuredHeight) + QStringLiteral("."));
    };

    double best = 0;
    bool found = false;
    if (field.tag != 0) {
        m_measurer.setFontSize(field.tag);
        if (fits()) {
            best = m_measurer.font().size;
            log(QStringLiteral("Fixed size specified and used."));
            found = true;
        } else {
            tried(QStringLiteral("Tried Fixed FontSize of "), m_measurer.font().size);
            log(QStringLiteral("Fixed size specified but did not fit, continuing scale."));
        }
    } else {
        log(QStringLiteral("Did not try fixed font size."));
    }

    if (!found) {
        log(QStringLiteral("About to try m_MaxFontSize."));
        m_measurer.setFontSize(static_cast<double>(settings.maxFontSize));
        if (fits()) {
            log(QStringLiteral("Max Font size appears to have worked"));
            best = m_measurer.font().size;
            found = true;
        }
    }
    if (!found) {
        log(QStringLiteral("Max Font size did not work"));
        log(QStringLiteral("About to try m_MinFontSize."));
        m_measurer.setFontSize(static_cast<double>(settings.minFontSize));
        if (!fits()) {
            // Too long for every size: the smallest one is the best there is.
            best = m_measurer.font().size;
            found = true;
        }
    }
    if (!found) {
        double low = static_cast<double>(settings.minFontSize);
        double high = static_cast<double>(settings.maxFontSize);
        for (;;) {
            ++m_loopCount;
            log(QString(29, QLatin1Char('*')));
            log(QStringLiteral("Block size is ") + number(width) + QStringLiteral(" x ") +
                number(height));
            log(QStringLiteral("Trigger size is ") + number(triggerWidth) + QStringLiteral(" x ") +
                number(triggerHeight));
            const double span = high - low;
            if (span <= 1) {
                log(QStringLiteral(
                    "Min. Increment Size found.  Exiting Loop***********************"));
                break;
            }
            const float attempt = static_cast<float>(low + span / 2);
            log(QStringLiteral("mThisTryMin, mThisTryMaxsize, mThisTryis :") + number(low) +
                QStringLiteral(", ") + number(high) + QStringLiteral(", ") + number(attempt));
            m_measurer.setFontSize(static_cast<double>(attempt));
            if (fits()) {
                low = static_cast<double>(attempt);
                best = static_cast<double>(attempt);
                log(QStringLiteral("Fit OK.  mThisTryMin too low, setting mThisTryMin to ") +
                    number(attempt));
            } else {
                high = static_cast<double>(attempt);
                log(QStringLiteral("Fit BAD.  mThisTryMax too high, setting mThisTryMax to ") +
                    number(attempt));
            }
            tried(QStringLiteral("Tried FontSize of "), static_cast<double>(attempt));
        }
    }

    if (best > 1) {
        log(QStringLiteral("XAbout to set Printer.Font.Size to ") + number(best));
        m_measurer.setFontSize(best);
        const PrinterFont taken = m_measurer.font();
        log(QStringLiteral("XJust set Printer.Font.Size to ") + number(best) +
            QStringLiteral(" but font size actually set to ") + number(taken.size));
        field.fontName = taken.name;
        field.fontSize = taken.size;
        field.bold = taken.bold;
        field.italic = neverItalic ? false : taken.italic;
    }
    log(QStringLiteral("Loopcount in autosize is ") + QString::number(m_loopCount));
}

} // namespace zelkora::label
