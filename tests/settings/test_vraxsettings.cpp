#include "settings/settingsstore.h"
#include "settings/vraxsettings.h"
#include "support/testenv.h"
#include "util/textfile.h"

#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

namespace zelkora {
namespace {

using Field = cVRAXSettings::LabelField;
namespace codec = settingcodec;

// The store keys in save order, spelled out here independently of the model's own table.
QStringList expectedKeyOrder() {
    QStringList keys = {
        QStringLiteral("CompanyName"),         QStringLiteral("Director"),
        QStringLiteral("DirectorPhoneNumber"), QStringLiteral("WelcomeLine1"),
        QStringLiteral("WelcomeLine2"),        QStringLiteral("ReportPrinter"),
        QStringLiteral("LogoutDays"),          QStringLiteral("ForceCase"),
        QStringLiteral("MainGraphic"),         QStringLiteral("ActivateInternetLinks"),
        QStringLiteral("DefaultScanner")};
    const char* const fields[] = {"Title",
                                  "Description",
                                  "GraphicOption",
                                  "PrintingOption",
                                  "AllowTitleChange",
                                  "AllowNoName",
                                  "MessageBoard",
                                  "IncludeCheckinAndCheckout",
                                  "Info1Title",
                                  "Info1Required",
                                  "Info1Printed",
                                  "Info1Displayed",
                                  "Info1DisplayAtCheckout",
                                  "Info1Answers",
                                  "Info2Title",
                                  "Info2Required",
                                  "Info2Printed",
                                  "Info2Displayed",
                                  "Info2DisplayAtCheckout",
                                  "Info2Answers",
                                  "AutoLogoutType",
                                  "AutoLogoutTime",
                                  "NameLabelPrefix",
                                  "PreloadList",
                                  "Printer",
                                  "PrinterPaperRoll",
                                  "WebCamMode",
                                  "ScannerMode",
                                  "PrinterPaperSize"};
    for (int n = 1; n <= 7; ++n)
        for (const char* field : fields)
            keys << QStringLiteral("Label%1%2").arg(n).arg(QLatin1String(field));
    return keys;
}

class VraxSettingsTest : public test::StationTest {
protected:
    void writeStore(const QByteArray& lines) { writeFile(settingsFile(), "[Settings]\n" + lines); }

    // The keys of the store file in file order, and their values.
    QStringList storedKeys() const {
        QStringList keys;
        for (const QString& line : splitLines(decodeText(readFile(settingsFile()))))
            if (const qsizetype eq = line.indexOf(QLatin1Char('=')); eq > 0)
                keys << line.left(eq);
        return keys;
    }
    static QString stored(const QString& key) {
        return GetSetting(key, QStringLiteral("<absent>"));
    }

    // Makes the store folder unusable: a regular file stands where a folder must be.
    void blockStore() {
        const QString blocker = root() + QStringLiteral("/blocker");
        writeFile(blocker, "x");
        qputenv("XDG_CONFIG_HOME", (blocker + QStringLiteral("/config")).toLocal8Bit());
    }
};

TEST(SettingCodec, Flags) {
    struct Case {
        QString stored;
        std::optional<bool> expected;
    };
    const std::vector<Case> cases = {
        {QStringLiteral("True"), true},   {QStringLiteral("true"), true},
        {QStringLiteral("TRUE"), true},   {QStringLiteral("False"), false},
        {QStringLiteral("fAlSe"), false}, {QStringLiteral("0"), false},
        {QStringLiteral("-1"), true},     {QStringLiteral("1"), true},
        {QStringLiteral("70000"), true},  {QStringLiteral("0.0"), false},
        {QStringLiteral("0.4"), true},    {QStringLiteral(" True "), true},
        {QStringLiteral("abc"), {}},      {QString(), {}},
        {QStringLiteral("Yes"), {}},      {QStringLiteral("Truex"), {}},
        {QStringLiteral("nan"), {}},      {QStringLiteral("inf"), {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(codec::parseFlag(c.stored), c.expected) << c.stored.toStdString();
    EXPECT_EQ(codec::formatFlag(true), QStringLiteral("True"));
    EXPECT_EQ(codec::formatFlag(false), QStringLiteral("False"));
}

TEST(SettingCodec, Numbers) {
    struct Case {
        QString stored;
        std::optional<qint16> expected;
    };
    const std::vector<Case> cases = {
        {QStringLiteral("0"), 0},
        {QStringLiteral("-1"), -1},
        {QStringLiteral(" 12 "), 12},
        {QStringLiteral("2.5"), 2},
        {QStringLiteral("3.5"), 4},
        {QStringLiteral("-2.5"), -2},
        {QStringLiteral("0.5"), 0},
        {QStringLiteral("1.5"), 2},
        {QStringLiteral("2.6"), 3},
        {QStringLiteral("32767"), 32767},
        {QStringLiteral("-32768"), -32768},
        {QStringLiteral("32767.4"), 32767},
        {QStringLiteral("-32768.5"), -32768},
        {QStringLiteral("32767.5"), {}},
        {QStringLiteral("32768"), {}},
        {QStringLiteral("-32769"), {}},
        {QStringLiteral("70000"), {}},
        {QStringLiteral("abc"), {}},
        {QString(), {}},
        {QStringLiteral("True"), {}},
        {QStringLiteral("1x"), {}},
        {QStringLiteral("inf"), {}},
        {QStringLiteral("nan"), {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(codec::parseNumber(c.stored), c.expected) << c.stored.toStdString();
    EXPECT_EQ(codec::formatNumber(-32768), QStringLiteral("-32768"));
    EXPECT_EQ(codec::formatNumber(7), QStringLiteral("7"));
}

TEST(SettingCodec, Lists) {
    struct Case {
        QString lines;
        QString stored;
    };
    const std::vector<Case> roundTrips = {
        {QStringLiteral("Yes\r\nNo"), QStringLiteral("Yes<BR>No")},
        {QStringLiteral("a\r\n\r\nb\r\n"), QStringLiteral("a<BR><BR>b<BR>")},
        {QStringLiteral("single"), QStringLiteral("single")},
        {QString(), QString()},
    };
    for (const Case& c : roundTrips) {
        EXPECT_EQ(codec::encodeList(c.lines), c.stored);
        EXPECT_EQ(codec::decodeList(c.stored), c.lines);
    }
    // Only the exact marker is a line break; a typed "<BR>" becomes one.
    EXPECT_EQ(codec::decodeList(QStringLiteral("a<br>b<Br>c")), QStringLiteral("a<br>b<Br>c"));
    EXPECT_EQ(codec::decodeList(codec::encodeList(QStringLiteral("one<BR>two"))),
              QStringLiteral("one\r\ntwo"));
    // A bare line break cannot live in a store line, so it is kept as a line break.
    EXPECT_EQ(codec::encodeList(QStringLiteral("a\nb\rc")), QStringLiteral("a<BR>b<BR>c"));
}

TEST(VraxSettingsModel, StartsEmptyAndNamesItsProperties) {
    cVRAXSettings s;
    EXPECT_TRUE(s.CompanyName().isEmpty());
    EXPECT_FALSE(s.ActivateInternetLinks());
    EXPECT_EQ(s.MainGraphic(), 0);
    EXPECT_TRUE(s.Label7GraphicOption().isEmpty());
    EXPECT_FALSE(s.Label1Info1Displayed());

    s.setLabel3Printer(QStringLiteral("DYMO"));
    s.setLabelWebCamMode(5, 2);
    s.setLabel5Info2Required(true);
    EXPECT_EQ(s.LabelPrinter(3), QStringLiteral("DYMO"));
    EXPECT_TRUE(s.LabelPrinter(4).isEmpty());
    EXPECT_EQ(s.Label5WebCamMode(), 2);
    EXPECT_TRUE(s.LabelInfo2Required(5));
    EXPECT_EQ(cVRAXSettings::LabelKey(3, Field::Printer), QStringLiteral("Label3Printer"));
    EXPECT_EQ(cVRAXSettings::LabelKey(7, Field::PrinterPaperSize),
              QStringLiteral("Label7PrinterPaperSize"));
}

TEST_F(VraxSettingsTest, EmptyStoreLoadsDefaultsUpgradesOnceAndWritesEveryKey) {
    cVRAXSettings s;
    const StationError error = s.LoadValues();
    ASSERT_FALSE(error.isError()) << error.description.toStdString();

    EXPECT_EQ(s.CompanyName(), QStringLiteral("Company Name"));
    EXPECT_TRUE(s.DirectorName().isEmpty());
    EXPECT_TRUE(s.DirectorPhone().isEmpty());
    EXPECT_EQ(s.WelcomeLine1(), QStringLiteral("Welcome to"));
    EXPECT_EQ(s.WelcomeLine2(), QStringLiteral("My Company, Inc."));
    EXPECT_TRUE(s.ReportPrinter().isEmpty());
    EXPECT_EQ(s.LogoutDays(), 1);
    EXPECT_FALSE(s.ForceCase());
    EXPECT_EQ(s.MainGraphic(), 1);
    EXPECT_TRUE(s.ActivateInternetLinks());
    EXPECT_EQ(s.DefaultScanner(), 1);
    for (int n = 1; n <= 7; ++n) {
        SCOPED_TRACE(n);
        EXPECT_TRUE(s.LabelTitle(n).isEmpty());
        EXPECT_EQ(s.LabelGraphicOption(n), QStringLiteral("No Graphic"));
        EXPECT_EQ(s.LabelPrintingOption(n), QStringLiteral("Print Label"));
        EXPECT_FALSE(s.LabelAllowTitleChange(n));
        EXPECT_FALSE(s.LabelInfo1Required(n));
        EXPECT_TRUE(s.LabelInfo1Displayed(n));
        EXPECT_TRUE(s.LabelInfo2Displayed(n));
        EXPECT_FALSE(s.LabelInfo2DisplayAtCheckout(n));
        EXPECT_EQ(s.LabelAutoLogoutType(n), QStringLiteral("0"));
        EXPECT_TRUE(s.LabelAutoLogoutTime(n).isEmpty());
        EXPECT_TRUE(s.LabelPrinter(n).isEmpty());
        EXPECT_TRUE(s.LabelPreloadList(n).isEmpty());
        EXPECT_EQ(s.LabelWebCamMode(n), 0);
        EXPECT_EQ(s.LabelPrinterPaperSize(n), 0);
    }

    // "MainGraphic" is written by the graphic step (at the head of the file) and every key
    // once by the upgrade's save, in save order.
    QStringList expected = expectedKeyOrder();
    expected.removeOne(QStringLiteral("MainGraphic"));
    expected.prepend(QStringLiteral("MainGraphic"));
    EXPECT_EQ(storedKeys(), expected);
    EXPECT_EQ(stored(QStringLiteral("MainGraphic")), QStringLiteral("1"));
    EXPECT_EQ(stored(QStringLiteral("Label4Info1Displayed")), QStringLiteral("True"));
    EXPECT_EQ(stored(QStringLiteral("Label1AutoLogoutType")), QStringLiteral("0"));

    // A second load finds the upgrade done: a legacy key added now is neither used nor removed.
    const QByteArray afterFirst = readFile(settingsFile());
    ASSERT_TRUE(SaveSetting(QStringLiteral("AutoLogout"), QStringLiteral("11:00 PM")));
    cVRAXSettings again;
    ASSERT_FALSE(again.LoadValues().isError());
    EXPECT_EQ(again.Label2AutoLogoutType(), QStringLiteral("0"));
    EXPECT_TRUE(again.Label2AutoLogoutTime().isEmpty());
    EXPECT_EQ(stored(QStringLiteral("AutoLogout")), QStringLiteral("11:00 PM"));
    ASSERT_TRUE(DeleteSetting(QStringLiteral("AutoLogout")));
    EXPECT_EQ(readFile(settingsFile()), afterFirst);

    // ... and yields the same values: saving it changes no byte.
    ASSERT_FALSE(again.SaveValues().isError());
    EXPECT_EQ(readFile(settingsFile()), afterFirst);
}

TEST_F(VraxSettingsTest, LegacyUpgrade) {
    struct Case {
        const char* name;
        QByteArray store;
        std::function<void(const cVRAXSettings&)> check;
    };
    const std::vector<Case> cases = {
        {"AutoLogout Never", "AutoLogout=Never\n",
         [](const cVRAXSettings& s) {
             for (int n = 1; n <= 7; ++n) {
                 EXPECT_EQ(s.LabelAutoLogoutType(n), QStringLiteral("0")) << n;
                 EXPECT_TRUE(s.LabelAutoLogoutTime(n).isEmpty()) << n;
             }
         }},
        {"AutoLogout never is a clock text", "AutoLogout=never\n",
         [](const cVRAXSettings& s) {
             EXPECT_EQ(s.Label4AutoLogoutType(), QStringLiteral("1"));
             EXPECT_EQ(s.Label4AutoLogoutTime(), QStringLiteral("never"));
         }},
        {"one rule, printer, list and camera for all types",
         "AutoLogout=11:00 PM\n"
         "LabelPrinter=DYMO LabelWriter Twin Turbo\n"
         "PreloadList=Ann<BR>Bob\n"
         "Label3CaptureWebCamImage=True\n"
         "Label6CaptureWebCamImage=-1\n"
         "Label7CaptureWebCamImage=False\n"
         // Own keys of a type win over the upgraded values.
         "Label5Printer=Front desk\n"
         "Label2AutoLogoutType=2\n"
         "Label2AutoLogoutTime=+ 0:30 min\n"
         "Label4PreloadList=Cy\n"
         "Label6WebCamMode=2\n",
         [](const cVRAXSettings& s) {
             for (int n = 1; n <= 7; ++n) {
                 SCOPED_TRACE(n);
                 EXPECT_EQ(s.LabelAutoLogoutType(n),
                           n == 2 ? QStringLiteral("2") : QStringLiteral("1"));
                 EXPECT_EQ(s.LabelAutoLogoutTime(n),
                           n == 2 ? QStringLiteral("+ 0:30 min") : QStringLiteral("11:00 PM"));
                 EXPECT_EQ(s.LabelPrinter(n), n == 5
                                                  ? QStringLiteral("Front desk")
                                                  : QStringLiteral("DYMO LabelWriter Twin Turbo"));
                 EXPECT_EQ(s.LabelPreloadList(n),
                           n == 4 ? QStringLiteral("Cy") : QStringLiteral("Ann\r\nBob"));
                 EXPECT_EQ(s.LabelWebCamMode(n), n == 3 ? 1 : n == 6 ? 2 : 0);
             }
             EXPECT_EQ(GetSetting(QStringLiteral("Label1PreloadList")),
                       QStringLiteral("Ann<BR>Bob"));
             EXPECT_EQ(GetSetting(QStringLiteral("Label7Printer")),
                       QStringLiteral("DYMO LabelWriter Twin Turbo"));
         }},
        {"type 1 without its own rule", "Label1AutoLogoutType=\nLabel3AutoLogoutType=2\n",
         [](const cVRAXSettings& s) {
             EXPECT_EQ(s.Label1AutoLogoutType(), QStringLiteral("0"));
             EXPECT_EQ(s.Label3AutoLogoutType(), QStringLiteral("2"));
             EXPECT_EQ(GetSetting(QStringLiteral("Label1AutoLogoutType")), QStringLiteral("0"));
         }},
    };
    const QStringList legacyKeys = {QStringLiteral("AutoLogout"), QStringLiteral("LabelPrinter"),
                                    QStringLiteral("PreloadList")};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeStore("MainGraphic=1\n" + c.store);
        cVRAXSettings s;
        const StationError error = s.LoadValues();
        ASSERT_FALSE(error.isError()) << error.description.toStdString();
        c.check(s);
        for (const QString& key : legacyKeys)
            EXPECT_EQ(stored(key), QStringLiteral("<absent>")) << key.toStdString();
        for (int n = 1; n <= 7; ++n)
            EXPECT_EQ(stored(QStringLiteral("Label%1CaptureWebCamImage").arg(n)),
                      QStringLiteral("<absent>"));
        EXPECT_EQ(storedKeys().size(), expectedKeyOrder().size());
    }
}

TEST_F(VraxSettingsTest, MainGraphicFromTheLegacyFlag) {
    struct Case {
        QByteArray store;
        qint16 expected;
        QString storedLegacy; // what remains of DisplayPredatorGraphic
    };
    const std::vector<Case> cases = {
        {"DisplayPredatorGraphic=False\n", 0, QStringLiteral("<absent>")},
        {"DisplayPredatorGraphic=0\n", 0, QStringLiteral("<absent>")},
        {"DisplayPredatorGraphic=True\n", 1, QStringLiteral("<absent>")},
        {"MainGraphic=-3\nDisplayPredatorGraphic=false\n", 0, QStringLiteral("<absent>")},
        {"", 1, QStringLiteral("<absent>")},
        // A stored choice stands; the legacy key is then not looked at.
        {"MainGraphic=0\nDisplayPredatorGraphic=True\n", 0, QStringLiteral("True")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.store.constData());
        writeStore("Label1AutoLogoutType=0\n" + c.store);
        cVRAXSettings s;
        ASSERT_FALSE(s.LoadValues().isError());
        EXPECT_EQ(s.MainGraphic(), c.expected);
        EXPECT_EQ(stored(QStringLiteral("MainGraphic")), QString::number(c.expected));
        EXPECT_EQ(stored(QStringLiteral("DisplayPredatorGraphic")), c.storedLegacy);
    }
}

TEST_F(VraxSettingsTest, UnconvertibleValueStopsTheLoadWithoutWriteBack) {
    struct Case {
        QString key;
        QByteArray lines; // placed first, so they win over the common lines below
        long number;
    };
    const std::vector<Case> cases = {
        {QStringLiteral("ForceCase"), "ForceCase=abc\n", 13},
        {QStringLiteral("LogoutDays"), "LogoutDays=70000\n", 6},
        {QStringLiteral("DefaultScanner"), "DefaultScanner=\n", 13},
        {QStringLiteral("ActivateInternetLinks"), "ActivateInternetLinks=\n", 13},
        {QStringLiteral("DisplayPredatorGraphic"), "MainGraphic=-1\nDisplayPredatorGraphic=shown\n",
         13},
        {QStringLiteral("Label3CaptureWebCamImage"), "Label3CaptureWebCamImage=on\n", 13},
        {QStringLiteral("Label4Info1Required"), "Label4Info1Required=Yes\n", 13},
        {QStringLiteral("Label6ScannerMode"), "Label6ScannerMode=two\n", 13},
        {QStringLiteral("Label7PrinterPaperSize"), "Label7PrinterPaperSize=1e9\n", 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key.toStdString());
        // A legacy store, so that a successful load would upgrade and write back.
        writeStore(c.lines + "CompanyName=Acme\nMainGraphic=1\nAutoLogout=Never\n"
                             "Label7Title=Late\nLabel7PrinterPaperSize=2\n");
        const QByteArray before = readFile(settingsFile());

        cVRAXSettings s;
        s.setLogoutDays(5);
        s.setLabel7Title(QStringLiteral("Previous"));
        const StationError error = s.LoadValues();
        EXPECT_EQ(error.number, c.number);
        EXPECT_TRUE(error.description.contains(QLatin1Char('"') + c.key + QLatin1Char('"')))
            << error.description.toStdString();

        EXPECT_EQ(s.CompanyName(), QStringLiteral("Acme")); // read before the bad key
        EXPECT_EQ(s.LogoutDays(), c.key == QLatin1String("LogoutDays") ? 5 : 1);
        if (c.key != QLatin1String("Label7PrinterPaperSize")) {
            EXPECT_EQ(s.Label7Title(), QStringLiteral("Previous")); // not reached
        }
        EXPECT_EQ(readFile(settingsFile()), before);
    }
}

TEST_F(VraxSettingsTest, SaveWritesEveryKeyInOrderWithItsEncoding) {
    cVRAXSettings s;
    s.setCompanyName(QStringLiteral("Acme, Inc."));
    s.setLogoutDays(-5);
    s.setForceCase(true);
    s.setLabel2Info1Answers(QStringLiteral("Yes\r\nNo"));
    s.setLabel7PrinterPaperRoll(2);
    s.setLabel7Info2Displayed(false);
    ASSERT_FALSE(s.SaveValues().isError());

    EXPECT_EQ(storedKeys(), expectedKeyOrder());
    EXPECT_EQ(stored(QStringLiteral("CompanyName")), QStringLiteral("Acme, Inc."));
    EXPECT_EQ(stored(QStringLiteral("Director")), QString());
    EXPECT_EQ(stored(QStringLiteral("LogoutDays")), QStringLiteral("-5"));
    EXPECT_EQ(stored(QStringLiteral("ForceCase")), QStringLiteral("True"));
    EXPECT_EQ(stored(QStringLiteral("ActivateInternetLinks")), QStringLiteral("False"));
    EXPECT_EQ(stored(QStringLiteral("Label2Info1Answers")), QStringLiteral("Yes<BR>No"));
    EXPECT_EQ(stored(QStringLiteral("Label7PrinterPaperRoll")), QStringLiteral("2"));
    EXPECT_EQ(stored(QStringLiteral("Label7Info2Displayed")), QStringLiteral("False"));
}

TEST_F(VraxSettingsTest, ValuesRoundTripThroughTheStore) {
    cVRAXSettings s;
    ASSERT_FALSE(s.LoadValues().isError());
    s.setCompanyName(QStringLiteral("  Acme, Inc. = Café  "));
    s.setLabel2Info1Answers(QStringLiteral("Yes\r\nNo"));
    s.setLabel5PreloadList(QStringLiteral("Ann\r\n\r\nBob <BR> Cy"));
    s.setLabel3ScannerMode(2);
    s.setLabel6AllowNoName(true);
    s.setMainGraphic(0);
    ASSERT_FALSE(s.SaveValues().isError());

    cVRAXSettings back;
    ASSERT_FALSE(back.LoadValues().isError());
    EXPECT_EQ(back.CompanyName(), QStringLiteral("  Acme, Inc. = Café  "));
    EXPECT_EQ(back.Label2Info1Answers(), QStringLiteral("Yes\r\nNo"));
    EXPECT_EQ(back.Label5PreloadList(), QStringLiteral("Ann\r\n\r\nBob \r\n Cy"));
    EXPECT_EQ(back.Label3ScannerMode(), 2);
    EXPECT_TRUE(back.Label6AllowNoName());
    EXPECT_FALSE(back.Label5AllowNoName());
    EXPECT_EQ(back.MainGraphic(), 0);
}

TEST_F(VraxSettingsTest, StoreFailureStopsTheSaveAtThatKey) {
    cVRAXSettings s;
    s.setLabel2MessageBoard(QStringLiteral("two\nlines")); // a text, which a line cannot hold
    const StationError error = s.SaveValues();
    EXPECT_EQ(error.number, 75);
    EXPECT_TRUE(error.description.contains(QLatin1String("\"Label2MessageBoard\"")))
        << error.description.toStdString();
    const QStringList all = expectedKeyOrder();
    EXPECT_EQ(storedKeys(), all.mid(0, all.indexOf(QStringLiteral("Label2MessageBoard"))));

    blockStore();
    const StationError blocked = s.SaveValues();
    EXPECT_EQ(blocked.number, 75);
    EXPECT_TRUE(blocked.description.contains(QLatin1String("\"CompanyName\"")));
}

TEST_F(VraxSettingsTest, FailedWriteBackStillLoadsEverything) {
    blockStore();
    cVRAXSettings s;
    const StationError error = s.LoadValues();
    EXPECT_EQ(error.number, 75);
    EXPECT_TRUE(error.description.contains(QLatin1String("\"MainGraphic\"")));
    EXPECT_EQ(s.MainGraphic(), 1);
    EXPECT_EQ(s.Label7GraphicOption(), QStringLiteral("No Graphic"));
    EXPECT_EQ(s.Label7AutoLogoutType(), QStringLiteral("0"));
}

} // namespace
} // namespace zelkora
