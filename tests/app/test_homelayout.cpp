#include "app/core/homelayout.h"
#include "app/core/scanner.h"

#include <QHash>
#include <future>
#include <gtest/gtest.h>
#include <map>

namespace zelkora::home {
namespace {

// 15 twips per pixel; the design screen less the 10 border pixels gives both factors 1.
constexpr ScreenMetrics kDesignScreen{12195 - 150, 8945 - 150, 15, 15};
constexpr ScreenMetrics kFullHd{1920 * 15, 1080 * 15, 15, 15};

TEST(HomeScaleTest, FactorsFollowTheScreen) {
    struct Case {
        const char* name;
        ScreenMetrics screen;
        double vertical;
        double horizontal;
    };
    const Case cases[] = {
        {"design size", kDesignScreen, 1.0, 1.0},
        {"1920 x 1080", kFullHd, 1090.0 / (8945.0 / 15), 1930.0 / (12195.0 / 15)},
        {"1024 x 768", {1024 * 15, 768 * 15, 15, 15}, 778.0 / (8945.0 / 15), 1034.0 / 813.0},
        // The vertical factor rounds the twips per pixel first; the horizontal does not.
        {"odd DPI",
         {1000 * 14.4, 800 * 14.4, 14.4, 14.4},
         (800 * 14.4 / 14 + 10) / (8945.0 / 14),
         (1000 + 10) / (12195.0 / 14.4)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_DOUBLE_EQ(VerticalScale(c.screen), c.vertical);
        EXPECT_DOUBLE_EQ(HorizontalScale(c.screen), c.horizontal);
    }
}

TEST(HomeScaleTest, PicturesKeepTheirProportionsAndRoundHalvesToEven) {
    struct Case {
        QSize pixels;
        double v;
        QSize expected;
    };
    const Case cases[] = {
        {{151, 89}, 1.0, {151, 89}},
        {{151, 89}, 1090.0 / (8945.0 / 15), {276, 163}},
        {{136, 51}, 1090.0 / (8945.0 / 15), {249, 93}},
        {{5, 3}, 0.5, {2, 2}}, // 2.5 and 1.5 both go to 2
        {{7, 1}, 0.5, {4, 0}}, // 3.5 goes to 4, 0.5 to 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.v);
        EXPECT_EQ(ScaledPictureSize(c.pixels, kDesignScreen, c.v), c.expected);
    }
}

TEST(HomeButtonsTest, CentringCaptionsAndLogo) {
    EXPECT_EQ(CentredGraphicLeft(813, 300), 256);
    EXPECT_EQ(CentredGraphicLeft(1, 4), -2);     // the integer part drops towards minus infinity
    EXPECT_EQ(CentredHeaderLeft(812.5, 800), 6); // 812.5 rounds to 812 first
    EXPECT_EQ(CentredHeaderLeft(1920, 801), 559);

    const ButtonCaption both =
        CaptionForLabelType(QStringLiteral("Visitor"), QStringLiteral("Meetings and guests"));
    EXPECT_EQ(both.line1, QStringLiteral("Visitor"));
    EXPECT_EQ(both.line2, QStringLiteral("Meetings and guests"));
    EXPECT_TRUE(both.line2Visible);
    const ButtonCaption single = CaptionForLabelType(QStringLiteral("Delivery"), QString());
    EXPECT_EQ(single.line1, QStringLiteral("Delivery"));
    EXPECT_FALSE(single.line2Visible);

    EXPECT_EQ(LogoActionFor(0), LogoAction::Hide);
    EXPECT_EQ(LogoActionFor(1), LogoAction::Load);
    EXPECT_EQ(LogoActionFor(-1), LogoAction::Keep);
    EXPECT_EQ(LogoActionFor(2), LogoAction::Keep);
}

// Records what the layout does to each element.
class FakeTarget final : public LayoutTarget {
public:
    struct Geometry {
        double top = -1;
        double left = -1;
        double width = 0;
        double height = 0;
        double fonts[2] = {0, 0};
        int refreshed = 0;
        bool placed = false;
    };

    FakeTarget(double innerWidth, QSize buttonSize, QSize checkoutSize) {
        m_inner = innerWidth;
        for (int i = 0; i < kButtonCount; ++i) {
            Geometry& g = m_elements[ButtonElement(i)];
            const QSize size = i == kCheckoutButton ? checkoutSize : buttonSize;
            g.width = size.width();
            g.height = size.height();
            g.fonts[0] = 13;
            g.fonts[1] = 9;
        }
        m_elements[Element::HeaderLine1].fonts[0] = 20;
        m_elements[Element::HeaderLine2].fonts[0] = 30;
        m_elements[Element::CompanyLogo].width = 200;
        m_elements[Element::CenterGraphic].width = 300;
    }

    const Geometry& at(Element e) { return m_elements[e]; }

    double innerWidth() const override { return m_inner; }
    double width(Element e) const override { return m_elements.at(e).width; }
    double fontSize(Element e, int line) const override { return m_elements.at(e).fonts[line]; }
    void setTop(Element e, double top) override { touch(e).top = top; }
    void setLeft(Element e, double left) override { touch(e).left = left; }
    void setWidth(Element e, double width) override { touch(e).width = width; }
    void setHeight(Element e, double height) override { touch(e).height = height; }
    void setFontSize(Element e, int line, int points) override { touch(e).fonts[line] = points; }
    void refreshLine1(Element e) override { ++touch(e).refreshed; }

private:
    Geometry& touch(Element e) {
        Geometry& g = m_elements[e];
        g.placed = true;
        return g;
    }

    double m_inner = 0;
    std::map<Element, Geometry> m_elements;
};

// The delivered arrangement, as a table of section -> key -> text.
QHash<QString, QHash<QString, QString>> deliveredLayout() {
    QHash<QString, QHash<QString, QString>> file;
    auto put = [&](const char* section, const char* key, const char* value) {
        file[QLatin1String(section)][QLatin1String(key)] = QLatin1String(value);
    };
    put("HeaderLine1", "Top", "14");
    put("HeaderLine2", "Top", "50");
    put("HeaderLine2", "Left", "3.3");
    put("HeaderLine2", "Width", "800");
    put("HeaderLine2", "Height", "52");
    put("Checkout", "Top", "450");
    put("Checkout", "Left", "290");
    put("CompanyLogo", "Top", "122");
    put("CompanyLogo", "Left", "0");
    put("CenterLogo", "Top", "206");
    put("CenterLogo", "Left", "-10");
    const char* tops[] = {"122", "225", "328", "431.5", "122", "225", "328"};
    for (int i = 0; i < kLabelButtonCount; ++i) {
        const QByteArray section = "Label" + QByteArray::number(i);
        put(section.constData(), "Top", tops[i]);
        put(section.constData(), "Left", i < 4 ? "-290" : "290.5");
    }
    return file;
}

LayoutReader readerOf(const QHash<QString, QHash<QString, QString>>& file) {
    return [file](const QString& section, const QString& key) {
        return file.value(section).value(key);
    };
}

TEST(HomeLayoutTest, DesignSizeAppliesTheFileUnchanged) {
    FakeTarget target(813, {151, 89}, {136, 51});
    ASSERT_FALSE(LoadLayout(readerOf(deliveredLayout()), target, kDesignScreen, 1.0).isError());

    // C = nearest(406.5) = 406; B = nearest(75.5) = 76.
    EXPECT_DOUBLE_EQ(target.at(Element::HeaderLine1).top, 14);
    EXPECT_DOUBLE_EQ(target.at(Element::HeaderLine1).fonts[0], 20);
    const auto& header2 = target.at(Element::HeaderLine2);
    EXPECT_DOUBLE_EQ(header2.top, 50);
    EXPECT_DOUBLE_EQ(header2.width, 800);
    EXPECT_DOUBLE_EQ(header2.height, 52);
    EXPECT_DOUBLE_EQ(header2.left, 3 + 406 - 400); // nearest(3.3) = 3
    EXPECT_DOUBLE_EQ(target.at(ButtonElement(7)).top, 450);
    EXPECT_DOUBLE_EQ(target.at(ButtonElement(7)).left, 406 + 290 - 68);
    EXPECT_DOUBLE_EQ(target.at(Element::CompanyLogo).left, 406 - 100);
    EXPECT_DOUBLE_EQ(target.at(Element::CenterGraphic).left, 406 - 10 - 150);
    EXPECT_DOUBLE_EQ(target.at(ButtonElement(0)).left, 406 - 290 - 76);
    EXPECT_DOUBLE_EQ(target.at(ButtonElement(3)).top, 431.5);
    EXPECT_DOUBLE_EQ(target.at(ButtonElement(5)).left, 406 + 290.5 - 76);
    for (int i = 0; i < kLabelButtonCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_DOUBLE_EQ(target.at(ButtonElement(i)).fonts[0], 13);
        EXPECT_DOUBLE_EQ(target.at(ButtonElement(i)).fonts[1], 9);
        EXPECT_EQ(target.at(ButtonElement(i)).refreshed, 1);
    }
}

TEST(HomeLayoutTest, LargerScreenScalesTopsHeightsFontsAndOffsets) {
    const double v = VerticalScale(kFullHd);
    const double h = HorizontalScale(kFullHd);
    FakeTarget target(1920, {276, 163}, {249, 93});
    ASSERT_FALSE(LoadLayout(readerOf(deliveredLayout()), target, kFullHd, v).isError());

    // C = 960; B = nearest(138) = 138.
    EXPECT_DOUBLE_EQ(target.at(Element::HeaderLine1).top, 14 * v);
    EXPECT_DOUBLE_EQ(target.at(Element::HeaderLine1).fonts[0], 36); // floor(20 x 1.83)
    const auto& header2 = target.at(Element::HeaderLine2);
    EXPECT_DOUBLE_EQ(header2.width, 800); // the width is not scaled
    EXPECT_DOUBLE_EQ(header2.height, 52 * v);
    EXPECT_DOUBLE_EQ(header2.fonts[0], 54);
    EXPECT_DOUBLE_EQ(header2.left, 6 * h + 960 - 400); // nearest(3.3 x 1.83) = 6, then x H
    EXPECT_DOUBLE_EQ(target.at(ButtonElement(7)).left, 960 + h * 290 - 249 / 2.0);
    EXPECT_DOUBLE_EQ(target.at(ButtonElement(7)).top, 450 * v);
    EXPECT_DOUBLE_EQ(target.at(Element::CenterGraphic).left, 960 + h * -10 - 150);
    EXPECT_DOUBLE_EQ(target.at(ButtonElement(3)).top, 431.5 * v);
    EXPECT_DOUBLE_EQ(target.at(ButtonElement(3)).left, 960 + h * -290 - 138);
    EXPECT_DOUBLE_EQ(target.at(ButtonElement(6)).left, 960 + h * 290.5 - 138);
    EXPECT_DOUBLE_EQ(target.at(ButtonElement(6)).fonts[0], 23); // floor(13 x 1.83)
    EXPECT_DOUBLE_EQ(target.at(ButtonElement(6)).fonts[1], 16);
}

TEST(HomeLayoutTest, BadValueStopsTheLayoutAtItsElement) {
    struct Case {
        const char* name;
        const char* section;
        const char* key;
        std::optional<const char*> value; // nullopt: the key is missing
        long number;
        // Elements that must have been placed, and the first that must not.
        std::vector<Element> placed;
        std::vector<Element> untouched;
    };
    const std::vector<Case> cases = {
        {"Label3 without Left",
         "Label3",
         "Left",
         std::nullopt,
         13,
         {Element::HeaderLine1, Element::HeaderLine2, ButtonElement(7), Element::CompanyLogo,
          Element::CenterGraphic, ButtonElement(0), ButtonElement(1), ButtonElement(2)},
         {ButtonElement(3), ButtonElement(4), ButtonElement(5), ButtonElement(6)}},
        {"header width not a number",
         "HeaderLine2",
         "Width",
         "wide",
         13,
         {Element::HeaderLine1},
         {Element::HeaderLine2, ButtonElement(7), ButtonElement(0)}},
        {"logo top too large",
         "CompanyLogo",
         "Top",
         "40000",
         6,
         {ButtonElement(7)},
         {Element::CompanyLogo, Element::CenterGraphic, ButtonElement(0)}},
        {"empty value",
         "HeaderLine1",
         "Top",
         "",
         13,
         {},
         {Element::HeaderLine1, Element::HeaderLine2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto file = deliveredLayout();
        auto& section = file[QLatin1String(c.section)];
        if (c.value)
            section[QLatin1String(c.key)] = QLatin1String(*c.value);
        else
            section.remove(QLatin1String(c.key));
        FakeTarget target(813, {151, 89}, {136, 51});
        const StationError error = LoadLayout(readerOf(file), target, kDesignScreen, 1.0);
        EXPECT_EQ(error.number, c.number);
        EXPECT_TRUE(error.source.contains(QLatin1String(c.section)));
        EXPECT_TRUE(error.source.contains(QLatin1String(c.key)));
        for (Element e : c.placed)
            EXPECT_TRUE(target.at(e).placed) << static_cast<int>(e);
        for (Element e : c.untouched)
            EXPECT_FALSE(target.at(e).placed) << static_cast<int>(e);
    }
}

TEST(HomeHoverTest, OneButtonAtATime) {
    HoverState hover;
    EXPECT_EQ(hover.hovered(), -1);

    auto change = hover.enter(2);
    EXPECT_EQ(change.restore, -1);
    EXPECT_EQ(change.highlight, 2);
    change = hover.enter(2); // already hovered: nothing changes
    EXPECT_EQ(change.restore, -1);
    EXPECT_EQ(change.highlight, -1);
    change = hover.enter(5);
    EXPECT_EQ(change.restore, 2);
    EXPECT_EQ(change.highlight, 5);
    change = hover.leave();
    EXPECT_EQ(change.restore, 5);
    EXPECT_EQ(change.highlight, -1);
    EXPECT_EQ(hover.hovered(), -1);
    change = hover.leave();
    EXPECT_EQ(change.restore, -1);
}

// A source manager that answers at once, or only once the test releases it.
class FakeSources final : public ScannerSources {
public:
    FakeSources(QStringList names, std::shared_future<void> release,
                std::shared_ptr<std::promise<void>> gone)
        : m_names(std::move(names))
        , m_release(std::move(release))
        , m_gone(std::move(gone)) {}
    ~FakeSources() override {
        if (m_gone)
            m_gone->set_value();
    }
    bool open() override {
        if (m_release.valid())
            m_release.wait();
        return true;
    }
    int sourceCount() override { return static_cast<int>(m_names.size()); }
    std::optional<QString> sourceName(int index) override {
        if (index < 0 || index >= m_names.size())
            return std::nullopt;
        return m_names.at(index);
    }
    bool selectSource(int) override { return true; }

private:
    QStringList m_names;
    std::shared_future<void> m_release;
    std::shared_ptr<std::promise<void>> m_gone;
};

TEST(HomeScannerTest, LooksForTheConfiguredModelWithinItsBound) {
    const QStringList models{QStringLiteral("DocketPORT 665")};
    const ScannerFactory present = [] {
        return std::make_unique<FakeSources>(QStringList{QStringLiteral("DocketPORT 665")},
                                             std::shared_future<void>(), nullptr);
    };
    int model = 0;
    EXPECT_TRUE(SelectScannerWithin(present, model, models, std::chrono::seconds(30)));
    EXPECT_EQ(model, 1); // 0 is corrected to the first model

    const ScannerFactory other = [] {
        return std::make_unique<FakeSources>(QStringList{QStringLiteral("Flatbed")},
                                             std::shared_future<void>(), nullptr);
    };
    model = 1;
    EXPECT_FALSE(SelectScannerWithin(other, model, models, std::chrono::seconds(30)));
    EXPECT_FALSE(SelectScannerWithin({}, model, models, std::chrono::seconds(30)));

    // A back end that does not answer in time counts as no scanner; it finishes on its own.
    std::promise<void> release;
    const std::shared_future<void> released = release.get_future().share();
    auto gone = std::make_shared<std::promise<void>>();
    std::future<void> finished = gone->get_future();
    const ScannerFactory hanging = [released, gone] {
        return std::make_unique<FakeSources>(QStringList{QStringLiteral("DocketPORT 665")},
                                             released, gone);
    };
    model = 5;
    EXPECT_FALSE(SelectScannerWithin(hanging, model, models, std::chrono::milliseconds(0)));
    EXPECT_EQ(model, 1);
    release.set_value();
    finished.wait();
}

} // namespace
} // namespace zelkora::home
