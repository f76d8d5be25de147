#include "app/core/homelayout.h"

#include "app/core/log.h"
#include "app/core/scanner.h"

#include <cfloat>
#include <cmath>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

namespace zelkora::home {

namespace {

constexpr long kOverflow = 6;
constexpr long kTypeMismatch = 13;

// A value of the layout file, converted as the layout needs it.
enum class Kind { Whole, Decimal };

struct Parsed {
    double value = 0;
    StationError error;
};

Parsed parseValue(const QString& text, Kind kind, const QString& section, const QString& key) {
    const QString source = QStringLiteral("LoadLayout [%1] %2").arg(section, key);
    bool ok = false;
    const double number = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return {0, {kTypeMismatch, QStringLiteral("Type mismatch"), source}};
    if (kind == Kind::Whole) {
        // A whole number is a 16-bit integer, halves to even.
        const double whole = Nearest(number);
        if (whole < std::numeric_limits<qint16>::min() ||
            whole > std::numeric_limits<qint16>::max())
            return {0, {kOverflow, QStringLiteral("Overflow"), source}};
        return {whole, {}};
    }
    if (std::fabs(number) > FLT_MAX)
        return {0, {kOverflow, QStringLiteral("Overflow"), source}};
    return {number, {}};
}

// Reads the keys of one section; the first missing or bad one is the error.
class SectionReader {
public:
    SectionReader(const LayoutReader& read, QString section)
        : m_read(read)
        , m_section(std::move(section)) {}

    double get(const char* key, Kind kind) {
        if (m_error.isError())
            return 0;
        const QString name = QLatin1String(key);
        Parsed parsed = parseValue(m_read(m_section, name), kind, m_section, name);
        m_error = parsed.error;
        return parsed.value;
    }

    const StationError& error() const { return m_error; }

private:
    const LayoutReader& m_read;
    QString m_section;
    StationError m_error;
};

int scaledFont(double points, double v) {
    return static_cast<int>(std::floor(points * v));
}

} // namespace

double Nearest(double x) {
    return std::nearbyint(x);
}

double VerticalScale(const ScreenMetrics& screen) {
    const double tppY = Nearest(screen.twipsPerPixelY);
    return (screen.heightTwips / tppY + kBorderPixels) / (kDesignHeightTwips / tppY);
}

double HorizontalScale(const ScreenMetrics& screen) {
    const double tppX = screen.twipsPerPixelX;
    return (screen.widthTwips / tppX + kBorderPixels) / (kDesignWidthTwips / tppX);
}

QSize ScaledPictureSize(QSize pixels, const ScreenMetrics& screen, double v) {
    // The picture's size in twips as a picture control reports it; the vertical twips per pixel
    // serves for both dimensions.
    const double tppY = Nearest(screen.twipsPerPixelY);
    const double widthTwips = pixels.width() * screen.twipsPerPixelX;
    const double heightTwips = pixels.height() * screen.twipsPerPixelY;
    return {static_cast<int>(Nearest(widthTwips / tppY * v)),
            static_cast<int>(Nearest(heightTwips / tppY * v))};
}

int CentredGraphicLeft(double innerWidth, double elementWidth) {
    return static_cast<int>(std::floor(innerWidth / 2 - elementWidth / 2));
}

int CentredHeaderLeft(double innerWidth, double elementWidth) {
    return static_cast<int>(std::floor((Nearest(innerWidth) - elementWidth) / 2));
}

ButtonCaption CaptionForLabelType(const QString& title, const QString& description) {
    return {title, description, !description.isEmpty()};
}

LogoAction LogoActionFor(int mainGraphic) {
    switch (mainGraphic) {
    case 0:
        return LogoAction::Hide;
    case 1:
        return LogoAction::Load;
    default:
        return LogoAction::Keep;
    }
}

Element ButtonElement(int index) {
    return static_cast<Element>(static_cast<int>(Element::Button0) + index);
}

StationError LoadLayout(const LayoutReader& read, LayoutTarget& target, const ScreenMetrics& screen,
                        double v) {
    const double c = Nearest(target.innerWidth() / 2);
    const double b = Nearest(target.width(ButtonElement(0)) / 2);
    const double h = HorizontalScale(screen);

    {
        SectionReader s(read, QStringLiteral("HeaderLine1"));
        const double top = s.get("Top", Kind::Whole);
        if (s.error().isError())
            return s.error();
        target.setTop(Element::HeaderLine1, top * v);
        target.setFontSize(Element::HeaderLine1, 0,
                           scaledFont(target.fontSize(Element::HeaderLine1, 0), v));
    }
    {
        SectionReader s(read, QStringLiteral("HeaderLine2"));
        const double top = s.get("Top", Kind::Whole);
        const double left = s.get("Left", Kind::Decimal);
        const double width = s.get("Width", Kind::Whole);
        const double height = s.get("Height", Kind::Whole);
        if (s.error().isError())
            return s.error();
        const Element e = Element::HeaderLine2;
        target.setTop(e, top * v);
        target.setWidth(e, width);
        target.setHeight(e, height * v);
        target.setFontSize(e, 0, scaledFont(target.fontSize(e, 0), v));
        target.setLeft(e, Nearest(left * v) * h + c - width / 2);
    }
    // The check-out button, the logo and the centre graphic centre on their "Left".
    const std::pair<const char*, Element> centred[] = {
        {"Checkout", ButtonElement(kCheckoutButton)},
        {"CompanyLogo", Element::CompanyLogo},
        {"CenterLogo", Element::CenterGraphic},
    };
    for (const auto& [section, element] : centred) {
        SectionReader s(read, QLatin1String(section));
        const double top = s.get("Top", Kind::Whole);
        const double left = s.get("Left", Kind::Whole);
        if (s.error().isError())
            return s.error();
        target.setTop(element, top * v);
        target.setLeft(element, c + h * left - target.width(element) / 2);
    }
    for (int i = 0; i < kLabelButtonCount; ++i) {
        SectionReader s(read, QStringLiteral("Label") + QString::number(i));
        const double top = s.get("Top", Kind::Decimal);
        const double left = s.get("Left", Kind::Decimal);
        if (s.error().isError())
            return s.error();
        const Element e = ButtonElement(i);
        target.setTop(e, top * v);
        for (int line = 0; line < 2; ++line)
            target.setFontSize(e, line, scaledFont(target.fontSize(e, line), v));
        target.refreshLine1(e);
        target.setLeft(e, c + h * left - b);
    }
    return {};
}

HoverState::Change HoverState::enter(int button) {
    if (button == m_hovered)
        return {};
    const Change change{m_hovered, button};
    m_hovered = button;
    return change;
}

HoverState::Change HoverState::leave() {
    const Change change{m_hovered, -1};
    m_hovered = -1;
    return change;
}

bool SelectScannerWithin(const ScannerFactory& factory, int& modelNumber, const QStringList& models,
                         std::chrono::milliseconds bound) {
    // The same correction SelectScanner makes, done here so it holds even when the back end
    // does not answer in time.
    if (modelNumber <= 0 || modelNumber > models.size())
        modelNumber = 1;
    if (!factory)
        return false;

    struct Shared {
        std::mutex mutex;
        std::condition_variable answered;
        std::optional<bool> found;
    };
    auto shared = std::make_shared<Shared>();
    // The worker owns copies of everything it touches, so it may outlive this call.
    std::thread worker([shared, factory, model = modelNumber, models]() mutable {
        bool found = false;
        if (std::unique_ptr<ScannerSources> sources = factory())
            found = SelectScanner(*sources, model, models);
        const std::lock_guard lock(shared->mutex);
        shared->found = found;
        shared->answered.notify_all();
    });
    std::unique_lock lock(shared->mutex);
    if (shared->answered.wait_for(lock, bound, [&] { return shared->found.has_value(); })) {
        lock.unlock();
        worker.join();
        return *shared->found;
    }
    lock.unlock();
    worker.detach();
    WriteLog(QStringLiteral("SelectScanner did not answer within %1 ms").arg(bound.count()));
    return false;
}

} // namespace zelkora::home
