#pragma once

#include "util/error.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <memory>

namespace zelkora {

class ScannerSources;

// The home screen's arithmetic, free of any window: the scaling to the screen, the placing of
// its elements from the layout file "orvsecurity.ini", the captions of its buttons and the hover
// state. The window measures its controls and applies what is computed here, all in pixels.
namespace home {

// Eight picture buttons: 0 to 6 for the label types, 7 for check-out.
inline constexpr int kButtonCount = 8;
inline constexpr int kLabelButtonCount = 7;
inline constexpr int kCheckoutButton = 7;
// The design screen the layout file is measured on.
inline constexpr double kDesignWidthTwips = 12195;
inline constexpr double kDesignHeightTwips = 8945;
// The inner coordinate system the window is given before it switches to pixels.
inline constexpr int kScaleWidth = 17000;
inline constexpr int kScaleHeight = 8805;
// The pixels the window reaches beyond each screen edge in total, per axis.
inline constexpr double kBorderPixels = 10;
// The layout file in the station folder.
inline constexpr char kLayoutFileName[] = "orvsecurity.ini";
// The company logo in the station folder.
inline constexpr char kCompanyLogoFileName[] = "CompLogo.bmp";

// The screen the home screen runs on.
struct ScreenMetrics {
    double widthTwips = 0;
    double heightTwips = 0;
    double twipsPerPixelX = 15;
    double twipsPerPixelY = 15;
};

// x brought to the nearest whole number, halves to the even neighbour.
double Nearest(double x);

// The vertical scale factor: the window height in pixels (screen plus the border pixels) over
// the design height, with the screen's twips per pixel rounded to a whole number.
double VerticalScale(const ScreenMetrics& screen);
// The horizontal scale factor, likewise over the design width with the screen's own twips per
// pixel.
double HorizontalScale(const ScreenMetrics& screen);

// The size a button or centre picture of `pixels` is resized to at the vertical factor `v`; both
// dimensions use the same factor, so the picture keeps its proportions.
QSize ScaledPictureSize(QSize pixels, const ScreenMetrics& screen, double v);

// Left edge that centres an element of `elementWidth` on a window `innerWidth` wide: the centre
// graphic's rule, and the first header line's (which rounds the window width first).
int CentredGraphicLeft(double innerWidth, double elementWidth);
int CentredHeaderLeft(double innerWidth, double elementWidth);

// The two caption lines of a label-type button: the title, and the description when there is
// one; with an empty description the button shows a single line.
struct ButtonCaption {
    QString line1;
    QString line2;
    bool line2Visible = false;
};
ButtonCaption CaptionForLabelType(const QString& title, const QString& description);

// What the company logo does for a `MainGraphic` setting.
enum class LogoAction {
    Hide, // 0
    Load, // 1: "CompLogo.bmp" from the station folder; a missing file keeps the logo as it was
    Keep, // any other value
};
LogoAction LogoActionFor(int mainGraphic);

// The placed elements of the home screen.
enum class Element {
    HeaderLine1,
    HeaderLine2,
    CompanyLogo,
    CenterGraphic,
    Button0, // Button0 + i is button i, 0 to 7
};
Element ButtonElement(int index);

// What the layout reads from and writes to the window, in pixels and points.
class LayoutTarget {
public:
    virtual ~LayoutTarget() = default;
    virtual double innerWidth() const = 0;
    virtual double width(Element element) const = 0;
    // Font size of caption `line` (0 or 1) of a button, or of a header line (line 0).
    virtual double fontSize(Element element, int line) const = 0;
    virtual void setTop(Element element, double top) = 0;
    virtual void setLeft(Element element, double left) = 0;
    virtual void setWidth(Element element, double width) = 0;
    virtual void setHeight(Element element, double height) = 0;
    virtual void setFontSize(Element element, int line, int points) = 0;
    // Sets a button's caption line 1 again to its own text, so it lays its captions out anew.
    virtual void refreshLine1(Element element) = 0;
};

// One value of the layout file: the text of `key` in `section`, empty when absent.
using LayoutReader = std::function<QString(const QString& section, const QString& key)>;

// Places the elements from the layout file in its fixed order (the header lines, the check-out
// button, the company logo, the centre graphic, buttons 0 to 6), with the horizontal factor of
// `screen` and the vertical factor `v`. Each element is placed only when all its keys are
// present and numeric; the first that is not stops the layout there, so that element and the
// ones after it keep their places. Returns that error (13 for a missing or non-numeric value,
// 6 for one out of range), its source naming the section and key.
StationError LoadLayout(const LayoutReader& read, LayoutTarget& target, const ScreenMetrics& screen,
                        double v);

// Which button shows its mouse-over picture: at most one, -1 for none.
class HoverState {
public:
    // A button whose picture must change: back to mouse-out, or to mouse-over.
    struct Change {
        int restore = -1;
        int highlight = -1;
    };

    int hovered() const { return m_hovered; }
    // The mouse moved over `button`, or it got the focus.
    Change enter(int button);
    // The mouse moved over the background or a header line.
    Change leave();
    // Forgets the hovered button without a picture change (the pictures were reset).
    void reset() { m_hovered = -1; }

private:
    int m_hovered = -1;
};

// Makes the scanner back end for the look-up at load; called on a worker thread, so the back
// end lives and dies there.
using ScannerFactory = std::function<std::unique_ptr<ScannerSources>()>;

// SelectScanner of the configured `modelNumber` among `models`, given at most `bound` to answer:
// a back end that takes longer (a device search can take seconds) counts as no scanner and is
// left to finish on its own. `modelNumber` is corrected as SelectScanner corrects it.
bool SelectScannerWithin(const ScannerFactory& factory, int& modelNumber, const QStringList& models,
                         std::chrono::milliseconds bound);

} // namespace home
} // namespace zelkora
