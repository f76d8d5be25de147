#include "checkin/printing/changeprinter.h"
#include "cupsserver.h"

#include <gtest/gtest.h>

using namespace zelkora;
using namespace zelkora::printing;
using zelkora::test::CupsServer;

TEST(PaperChoices, RollAndSizePositionsTurnIntoBinAndPaperName) {
    struct Case {
        int position;
        bool twinRoll;
        const char* bin;
        const char* paper;
    };
    const std::vector<Case> cases = {
        {0, true, "Auto", ""},
        {1, true, "Left", "30256 Shipping"},
        {2, true, "Right", "Continuous, Wide"},
        {3, true, "Auto", ""},
        {-1, true, "Auto", ""},
        {1, false, "", "30256 Shipping"},
        {2, false, "", "Continuous, Wide"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        EXPECT_EQ(PaperBinForRoll(c.position, c.twinRoll), QLatin1String(c.bin));
        EXPECT_EQ(PaperSizeName(c.position), QLatin1String(c.paper));
    }
    EXPECT_EQ(PaperRollChoices(),
              (QStringList{QStringLiteral("Default Paper Roll"), QStringLiteral("Left Paper Roll"),
                           QStringLiteral("Right Paper Roll")}));
    EXPECT_EQ(PaperSizeChoices(),
              (QStringList{QStringLiteral("Default Paper Size"), QStringLiteral("30256 Shipping"),
                           QStringLiteral("Continuous, Wide")}));
}

class ChangePrinterTest : public ::testing::Test {
protected:
    void SetUp() override { ZELKORA_REQUIRE_CUPS(); }
};

TEST_F(ChangePrinterTest, PrinterListNamesTheDestinations) {
    EXPECT_EQ(PrinterList(QStringLiteral("PrinterPorts")),
              (QStringList{QStringLiteral("Plain"), QStringLiteral("Twin450"),
                           QStringLiteral("TwinOld")}));
    EXPECT_EQ(PrinterList(QStringLiteral("devices")).size(), 3);
    EXPECT_TRUE(PrinterList(QStringLiteral("Windows")).isEmpty());
}

TEST_F(ChangePrinterTest, TwinRollTestKnowsBothTwinTurbosAndNothingElse) {
    struct Case {
        const char* printer;
        bool twin;
        const char* driver;
    };
    const std::vector<Case> cases = {
        {"TwinOld", true, "DYMO LabelWriter Twin Turbo"},
        {"Twin450", true, "DYMO LabelWriter 450 Twin Turbo"},
        {"Plain", false, "Generic PostScript Printer"},
        {"NoSuchPrinter", false, ""},
        {"", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.printer);
        QString driver;
        EXPECT_EQ(TwinRollTest(QString::fromLatin1(c.printer), &driver), c.twin);
        EXPECT_EQ(driver, QLatin1String(c.driver));
    }
}

TEST_F(ChangePrinterTest, PaperCodeLookupGivesThePageSizeKeywordWhateverTheCase) {
    struct Case {
        const char* paper;
        const char* printer;
        const char* code;
    };
    const std::vector<Case> cases = {
        {"30256 Shipping", "TwinOld", "w167h288"},
        {"30256 SHIPPING", "Twin450", "w167h288"},
        {"Continuous, Wide", "TwinOld", "w154h792"},
        {"continuous, wide", "Twin450", "w154h792"},
        {"30256 Shipping", "Plain", ""},
        {"No Such Paper", "TwinOld", ""},
        {"", "TwinOld", ""},
        {"30256 Shipping", "NoSuchPrinter", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.paper) + " on " + c.printer);
        EXPECT_EQ(PaperCodeLookup(QString::fromLatin1(c.paper), QString::fromLatin1(c.printer)),
                  QLatin1String(c.code));
    }
}

TEST_F(ChangePrinterTest, LabelPrinterSettingsApplyRollOnlyOnTwinRollPrinters) {
    struct Case {
        const char* printer;
        int roll;
        int size;
        const char* bin;
        const char* code;
    };
    const std::vector<Case> cases = {
        {"TwinOld", 1, 1, "Left", "w167h288"},
        {"TwinOld", 2, 2, "Right", "w154h792"},
        {"TwinOld", 0, 0, "Auto", ""},
        {"TwinOld", 9, 7, "Auto", ""},
        {"Twin450", 2, 1, "Right", "w167h288"},
        {"Plain", 1, 1, "", ""},
        {"Plain", 2, 0, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.printer) + " " + std::to_string(c.roll) + "/" +
                     std::to_string(c.size));
        PrinterSettings settings;
        ASSERT_FALSE(LabelPrinterSettings(QString::fromLatin1(c.printer), c.roll, c.size, &settings)
                         .isError());
        EXPECT_EQ(settings.deviceName, QLatin1String(c.printer));
        EXPECT_EQ(settings.port, QLatin1String("file:///dev/null"));
        EXPECT_EQ(settings.paperBin, QLatin1String(c.bin));
        EXPECT_EQ(settings.paperSizeCode, QLatin1String(c.code));
        EXPECT_EQ(settings.orientation, 0);
    }
}

TEST_F(ChangePrinterTest, AMissingPrinterIsError484AndLeavesTheSettingsAlone) {
    for (const QString& name : {QStringLiteral("NoSuchPrinter"), QString()}) {
        PrinterSettings settings;
        settings.deviceName = QStringLiteral("TwinOld");
        const StationError error = LabelPrinterSettings(name, 1, 1, &settings);
        EXPECT_EQ(error.number, kErrPrinterNotFound);
        EXPECT_FALSE(error.description.isEmpty());
        EXPECT_EQ(settings.deviceName, QLatin1String("TwinOld"));
        EXPECT_EQ(SetDeviceName(settings, name).number, kErrPrinterNotFound);
    }
    EXPECT_FALSE(FindQueue(QStringLiteral("NoSuchPrinter")).has_value());
}
