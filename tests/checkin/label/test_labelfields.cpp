// The layout steps of one label copy, on the fields the report code changes.
#include "checkin/label/labelfields.h"
#include "checkin/label/securitylabel.h"
#include "support/testenv.h"

#include <QDir>
#include <QImage>
#include <QLocale>
#include <functional>
#include <gtest/gtest.h>

namespace zelkora::label {

// Found by GoogleTest next to the type, so failures show the rectangle.
void PrintTo(const TwipRect& r, std::ostream* os) {
    *os << "{" << r.left << ", " << r.top << ", " << r.width << ", " << r.height << "}";
}

namespace {

clsReportInfo namedVisitor() {
    clsReportInfo info;
    info.BadgeID = 17;
    info.PersonsName = QStringLiteral("Ada Byron");
    info.CompanyName = QStringLiteral("Northwind");
    info.BadgeName = QStringLiteral("VISITOR");
    info.PrintedInfo1 = QStringLiteral("Host: Grace");
    info.PrintedInfo2 = QStringLiteral("Lab 4");
    info.PrintDate = QDateTime(QDate(2010, 12, 3), QTime(21, 5, 7));
    return info;
}

class LabelFieldsTest : public test::StationTest {
protected:
    void SetUp() override {
        StationTest::SetUp();
        QDir().mkpath(stationDir());
    }
    QString writePicture(const char* name) {
        const QString path = stationDir() + QString::fromLatin1(name);
        QImage picture(30, 40, QImage::Format_RGB32);
        picture.fill(Qt::red);
        EXPECT_TRUE(picture.save(path, "JPEG"));
        return path;
    }
};

struct LayoutCase {
    const char* label;
    std::function<void(clsReportInfo&)> change;
    bool nameVisible, info1Visible, info2Visible, idVisible;
    TwipRect name, title, info1, info2, picture;
};

TEST_F(LabelFieldsTest, HiddenLinesGiveTheirSpaceToTheirNeighbours) {
    const TwipRect name{270, 530, 5220, 540}, title{270, 910, 5220, 990};
    const TwipRect info1{270, 1970, 5220, 270}, info2{270, 2300, 5220, 270};
    const TwipRect picture{3420, 490, 2070, 1440};
    const std::vector<LayoutCase> cases = {
        {"everything given", [](clsReportInfo&) {}, true, true, true, true, name, title, info1,
         info2, picture},
        {"nameless label",
         [](clsReportInfo& i) {
             i.PersonsName.clear();
             i.BadgeID = 0;
         },
         false,
         true,
         true,
         false,
         name,
         {270, 530, 5220, 1530},
         info1,
         info2,
         picture},
        {"both infos empty",
         [](clsReportInfo& i) {
             i.PrintedInfo1.clear();
             i.PrintedInfo2.clear();
         },
         true,
         false,
         false,
         true,
         name,
         {270, 910, 5220, 1530},
         {270, 1970, 5220, 810},
         {270, 1970, 5220, 540},
         {3420, 490, 2070, 1980}},
        {"only the second info",
         [](clsReportInfo& i) { i.PrintedInfo1.clear(); },
         true,
         false,
         true,
         true,
         name,
         title,
         info1,
         {270, 1970, 5220, 540},
         picture},
        {"only the first info",
         [](clsReportInfo& i) { i.PrintedInfo2.clear(); },
         true,
         true,
         false,
         true,
         name,
         title,
         {270, 1970, 5220, 540},
         info2,
         picture},
        {"nameless without infos",
         [](clsReportInfo& i) {
             i.PersonsName.clear();
             i.PrintedInfo1.clear();
             i.PrintedInfo2.clear();
         },
         false,
         false,
         false,
         true,
         name,
         {270, 530, 5220, 2070},
         {270, 1970, 5220, 810},
         {270, 1970, 5220, 540},
         {3420, 490, 2070, 1980}},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.label);
        clsReportInfo info = namedVisitor();
        c.change(info);
        SecurityLabelFields f = SecurityLabelFields::design();
        ASSERT_FALSE(FormatSecurityLabel(info, f).isError());
        EXPECT_EQ(f.txtName.visible, c.nameVisible);
        EXPECT_EQ(f.txtPrintedInfo1.visible, c.info1Visible);
        EXPECT_EQ(f.txtPrintedInfo2.visible, c.info2Visible);
        EXPECT_EQ(f.txtLabelID.visible, c.idVisible);
        EXPECT_EQ(f.txtName.geometry, c.name);
        EXPECT_EQ(f.txtBadgeName.geometry, c.title);
        EXPECT_EQ(f.txtPrintedInfo1.geometry, c.info1);
        EXPECT_EQ(f.txtPrintedInfo2.geometry, c.info2);
        EXPECT_EQ(f.imgImage.geometry, c.picture);
        EXPECT_FALSE(f.imgImage.visible);
        EXPECT_EQ(f.txtPrintedInfo1.fontSize, 14);
        EXPECT_EQ(f.txtPrintedInfo2.fontSize, 14);
    }
}

TEST_F(LabelFieldsTest, TextsAndTheIdLine) {
    SecurityLabelFields f = SecurityLabelFields::design();
    ASSERT_FALSE(FormatSecurityLabel(namedVisitor(), f).isError());
    EXPECT_EQ(f.txtDate.text, QStringLiteral("12/03/2010 09:05 PM"));
    EXPECT_EQ(f.txtLabelID.text, QStringLiteral("ID # 17"));
    EXPECT_EQ(f.txtName.text, QStringLiteral("Ada Byron"));
    EXPECT_EQ(f.txtSchoolName.text, QStringLiteral("Northwind"));
    EXPECT_EQ(f.txtBadgeName.text, QStringLiteral("VISITOR"));
    EXPECT_EQ(f.txtDate.alignment, Qt::AlignLeft);
}

TEST_F(LabelFieldsTest, DateOnATwelveHourClock) {
    const struct {
        QTime time;
        const char* text;
    } cases[] = {{QTime(0, 0), "01/02/2024 12:00 AM"},   {QTime(0, 59), "01/02/2024 12:59 AM"},
                 {QTime(11, 59), "01/02/2024 11:59 AM"}, {QTime(12, 0), "01/02/2024 12:00 PM"},
                 {QTime(13, 7), "01/02/2024 01:07 PM"},  {QTime(23, 59), "01/02/2024 11:59 PM"}};
    for (const auto& c : cases)
        EXPECT_EQ(LabelDateText(QDateTime(QDate(2024, 1, 2), c.time)), QString::fromLatin1(c.text));
    EXPECT_EQ(LabelDateText(QDateTime()), QString());
}

TEST_F(LabelFieldsTest, ForcedUpperCaseReachesEveryTextAndTheDesignator) {
    // A locale whose designators are lower case shows that the date is upper-cased too.
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    clsReportInfo info = namedVisitor();
    info.BadgeName = QStringLiteral("Visitor");
    SecurityLabelFields plain = SecurityLabelFields::design();
    ASSERT_FALSE(FormatSecurityLabel(info, plain).isError());
    info.ForceUppercase = true;
    SecurityLabelFields upper = SecurityLabelFields::design();
    ASSERT_FALSE(FormatSecurityLabel(info, upper).isError());
    QLocale::setDefault(saved);

    EXPECT_EQ(plain.txtDate.text, QStringLiteral("12/03/2010 09:05 pm"));
    EXPECT_EQ(upper.txtDate.text, QStringLiteral("12/03/2010 09:05 PM"));
    EXPECT_EQ(upper.txtLabelID.text, QStringLiteral("ID # 17"));
    EXPECT_EQ(upper.txtName.text, QStringLiteral("ADA BYRON"));
    EXPECT_EQ(upper.txtSchoolName.text, QStringLiteral("NORTHWIND"));
    EXPECT_EQ(upper.txtBadgeName.text, QStringLiteral("VISITOR"));
    EXPECT_EQ(upper.txtPrintedInfo1.text, QStringLiteral("HOST: GRACE"));
    EXPECT_EQ(upper.txtPrintedInfo2.text, QStringLiteral("LAB 4"));
}

TEST_F(LabelFieldsTest, PictureNarrowsNameAndTitleOnlyWhenItsFileExists) {
    clsReportInfo info = namedVisitor();
    info.ImagePath = writePicture("photo.jpg");
    SecurityLabelFields shown = SecurityLabelFields::design();
    ASSERT_FALSE(FormatSecurityLabel(info, shown).isError());
    EXPECT_TRUE(shown.imgImage.visible);
    EXPECT_EQ(shown.imgImage.picture.size(), QSize(30, 40));
    EXPECT_EQ(shown.txtName.geometry.width, 3150);
    EXPECT_EQ(shown.txtBadgeName.geometry.width, 3150);

    info.ImagePath = stationDir() + QStringLiteral("missing.jpg");
    SecurityLabelFields missing = SecurityLabelFields::design();
    ASSERT_FALSE(FormatSecurityLabel(info, missing).isError());
    EXPECT_FALSE(missing.imgImage.visible);
    EXPECT_TRUE(missing.imgImage.picture.isNull());
    EXPECT_EQ(missing.txtName.geometry.width, 5220);
    EXPECT_EQ(missing.txtBadgeName.geometry.width, 5220);
}

TEST_F(LabelFieldsTest, UnreadablePictureFailsTheFormatting) {
    clsReportInfo info = namedVisitor();
    info.ImagePath = stationDir() + QStringLiteral("broken.jpg");
    writeFile(info.ImagePath, "not a picture");
    SecurityLabelFields f = SecurityLabelFields::design();
    const StationError error = FormatSecurityLabel(info, f);
    EXPECT_EQ(error.number, 481);
    EXPECT_TRUE(error.description.contains(info.ImagePath));
}

TEST_F(LabelFieldsTest, CentredDateKeepsClearOfTheLogoStrip) {
    clsReportInfo info = namedVisitor();
    info.BadgeID = 0;
    SecurityLabelFields withoutLogo = SecurityLabelFields::design();
    ASSERT_FALSE(FormatSecurityLabel(info, withoutLogo).isError());
    EXPECT_EQ(withoutLogo.txtDate.alignment, Qt::AlignHCenter);
    EXPECT_EQ(withoutLogo.txtDate.geometry, (TwipRect{270, 2660, 5220, 360}));

    SecurityLabelFields withLogo = SecurityLabelFields::design();
    withLogo.imgLogo.picture = QImage(10, 2, QImage::Format_ARGB32);
    ASSERT_FALSE(FormatSecurityLabel(info, withLogo).isError());
    EXPECT_EQ(withLogo.txtDate.alignment, Qt::AlignHCenter);
    EXPECT_EQ(withLogo.txtDate.geometry, (TwipRect{270, 2660, 2130, 360}));
}

// Text sizes that depend only on the font size: the fitting's results are then exact.
class FixedMeasurer final : public TextMeasurer {
public:
    void setFontFace(const QString& name, bool bold, bool italic) override {
        m_font = {name, m_font.size, bold, italic};
    }
    void setFontSize(double points) override { m_font.size = points; }
    PrinterFont font() const override { return m_font; }
    bool measure(const QString& text, double* w, double* h, StationError*) override {
        *w = static_cast<double>(text.size()) * m_font.size * 10;
        *h = m_font.size * 20;
        return true;
    }

private:
    PrinterFont m_font;
};

TEST_F(LabelFieldsTest, EveryCopyStartsFromTheDesign) {
    clsReportInfo info = namedVisitor();
    info.PersonsName.clear();
    info.BadgeID = 0;
    info.PrintedInfo1.clear();
    info.BadgeCount = 3;
    rptSecurityLabel report(info);
    report.setLogSink([](const QString&) {});
    FixedMeasurer measurer;

    std::vector<SecurityLabelFields> copies(3);
    std::vector<bool> more(3);
    std::vector<int> counters;
    for (int i = 0; i < 3; ++i) {
        bool m = false;
        ASSERT_FALSE(report.formatDetail(i, measurer, &copies[i], &m).isError());
        more[i] = m;
        counters.push_back(report.copyCounter());
    }
    EXPECT_EQ(more, (std::vector<bool>{true, true, false}));
    EXPECT_EQ(counters, (std::vector<int>{1, 2, 0}));
    for (int i = 1; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(copies[i].txtBadgeName.geometry, copies[0].txtBadgeName.geometry);
        EXPECT_EQ(copies[i].txtBadgeName.fontSize, copies[0].txtBadgeName.fontSize);
        EXPECT_EQ(copies[i].txtPrintedInfo2.geometry, copies[0].txtPrintedInfo2.geometry);
    }
    EXPECT_EQ(copies[0].txtBadgeName.geometry, (TwipRect{270, 530, 5220, 1530}));
}

TEST_F(LabelFieldsTest, CopiesAreAtLeastOne) {
    for (const auto& [count, pages] :
         std::vector<std::pair<int, int>>{{-1, 1}, {0, 1}, {1, 1}, {3, 3}}) {
        clsReportInfo info;
        info.BadgeCount = count;
        EXPECT_EQ(rptSecurityLabel(info).pageCount(), pages) << count;
    }
}

} // namespace
} // namespace zelkora::label
