#include "capture/idscanner.h"

namespace zelkora::capture {

namespace {

constexpr long kScannerErrorRange = 0x10000;
// The component's own code that is never worth a message.
constexpr long kSilentCode = 1000;

} // namespace

StationError NoIdScanner::openSource() {
    return {kScannerErrorBase + 1, QStringLiteral("No scanner is connected."),
            QStringLiteral("NoIdScanner")};
}

std::optional<QString> ScannerErrorMessage(const StationError& error) {
    if (error.number <= kScannerErrorBase || error.number >= kScannerErrorBase + kScannerErrorRange)
        return std::nullopt;
    if (!error.source.contains(QLatin1String(kScannerErrorSource), Qt::CaseInsensitive))
        return std::nullopt;
    const long code = error.number - kScannerErrorBase;
    if (code == kSilentCode)
        return std::nullopt;
    const qsizetype lineFeed = error.description.indexOf(QLatin1Char('\n'));
    const QString text = lineFeed < 0 ? error.description
                                      : error.description.left(lineFeed) + QStringLiteral("  ") +
                                            error.description.mid(lineFeed + 1);
    return QString::number(code) + QStringLiteral(": ") + text;
}

} // namespace zelkora::capture
