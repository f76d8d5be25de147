// The entry window offscreen: its configurations, field rules, validation order, the capture
// areas and their enabling rules, and the commit through its buttons.
#include "app/core/programstate.h"
#include "app/gui/formplacement.h"
#include "checkin/labeldatawindow.h"
#include "controls/autosize/autosizetextbox.h"
#include "db/dbtestsupport.h"
#include "settings/vraxsettings.h"
#include "support/fixedclock.h"
#include "support/scriptedprompter.h"
#include "synthetic.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

namespace zelkora {
namespace {

class LabelDataWindowTest : public test::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        programState().webCamAvailable = true;
        services.camera = [this] {
            auto source = std::make_unique<test::SyntheticFrameSource>();
            source->startSucceeds = cameraWorks;
            camera = source.get();
            return source;
        };
        services.scanner = [this] {
            auto source = std::make_unique<test::SyntheticIdScanner>();
            source->sources = scannerSources;
            scanner = source.get();
            return source;
        };
        services.printer = printer;
    }
    void TearDown() override {
        programState().webCamAvailable = true;
        DatabaseTest::TearDown();
    }

    // Label type 1 as `arrange` leaves it; the rest of the settings at their defaults.
    void configure(const std::function<void(cVRAXSettings&)>& arrange) {
        cVRAXSettings settings;
        ASSERT_FALSE(settings.LoadValues().isError());
        arrange(settings);
        ASSERT_FALSE(settings.SaveValues().isError());
    }

    std::unique_ptr<LabelDataWindow> open(int labelIndex = 0) {
        auto window = std::make_unique<LabelDataWindow>(nullptr, services);
        EXPECT_FALSE(window->InitLabelData(labelIndex).isError());
        return window;
    }

    template <typename T>
    static T* child(const LabelDataWindow& window, const char* name) {
        T* found = window.findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static QPushButton* button(const LabelDataWindow& w, const char* name) {
        return child<QPushButton>(w, name);
    }
    static bool tabStop(const QWidget* widget) { return widget->focusPolicy() & Qt::TabFocus; }

    int rowCount() {
        return rawColumn(QStringLiteral("SELECT COUNT(*) FROM Labels")).value(0).toInt();
    }
    QStringList messages() const {
        QStringList texts;
        for (const MessageRequest& m : prompter.messages)
            texts << m.text;
        return texts;
    }

    CheckInServices services;
    std::shared_ptr<test::RecordingBadgePrinter> printer =
        std::make_shared<test::RecordingBadgePrinter>();
    test::SyntheticFrameSource* camera = nullptr;
    test::SyntheticIdScanner* scanner = nullptr;
    bool cameraWorks = true;
    QStringList scannerSources;
    test::ScriptedPrompter prompter;
    test::FixedClock clock{at("2010-12-03 09:05:07")};
};

TEST_F(LabelDataWindowTest, SimpleLabelType) {
    configure([](cVRAXSettings& s) {
        s.setLabel1Title(QStringLiteral("Visitor"));
        s.setLabel1Info1Title(QStringLiteral("Host"));
        s.setLabel1Info1Printed(true);
        s.setLabel1Info2Title(QStringLiteral("Car"));
        s.setLabel1Info2Answers(QStringLiteral("   "));
        s.setLabel1PreloadList(QStringLiteral("A\r\nB\r\n"));
    });
    auto w = open();
    EXPECT_EQ(w->objectName(), QStringLiteral("frmLabelData"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Create Security Badge"));

    auto* name = child<QComboBox>(*w, "cmbName");
    EXPECT_EQ(name->count(), 3);
    EXPECT_EQ(name->itemText(2), QString()) << "a list ending in CR LF has an empty last entry";
    EXPECT_EQ(name->currentText(), QString());
    EXPECT_EQ(child<QLabel>(*w, "lblName")->text(), QStringLiteral(" Name:"));

    auto* title = child<controls::AutoSizeTextbox>(*w, "txtBadgeName");
    EXPECT_EQ(title->Text(), QStringLiteral("Visitor"));
    EXPECT_FALSE(title->isEnabled()) << "a set title without AllowTitleChange is fixed";
    EXPECT_FALSE(tabStop(title->textField()));

    auto* noName = child<QCheckBox>(*w, "chkNoName");
    EXPECT_FALSE(noName->isHidden());
    EXPECT_FALSE(noName->isEnabled());
    EXPECT_FALSE(tabStop(noName));
    EXPECT_FALSE(child<QLineEdit>(*w, "txtQty")->isEnabled());
    EXPECT_EQ(child<QLineEdit>(*w, "txtQty")->text(), QStringLiteral("1"));

    EXPECT_EQ(child<QLabel>(*w, "lblField1")->text(), QStringLiteral("Host (printed)"));
    EXPECT_EQ(child<QLabel>(*w, "lblField2")->text(), QStringLiteral("Car"));
    // No answers, or only spaces: free text over the hidden list.
    for (const char* text : {"txtInfo1Answer", "txtInfo2Answer"})
        EXPECT_FALSE(child<QLineEdit>(*w, text)->isHidden()) << text;
    for (const char* list : {"cmbField1Answer", "cmbField2Answer"})
        EXPECT_TRUE(child<QComboBox>(*w, list)->isHidden()) << list;
    EXPECT_EQ(child<QLineEdit>(*w, "txtInfo2Answer")->geometry(),
              child<QComboBox>(*w, "cmbField2Answer")->geometry());

    EXPECT_TRUE(button(*w, "cmdCheckOut")->isHidden());
    EXPECT_FALSE(tabStop(button(*w, "cmdCheckOut")));
    EXPECT_TRUE(button(*w, "cmdCheckIn")->isEnabled());
    EXPECT_TRUE(child<QLabel>(*w, "txtMessageBoard")->isHidden());
    // Neither device: the narrow window.
    EXPECT_TRUE(child<QLabel>(*w, "picWebCam2")->isHidden());
    EXPECT_TRUE(child<QLabel>(*w, "picIDCard")->isHidden());
    EXPECT_EQ(w->layoutResult().windowWidth,
              LayOutLabelData(DefaultLabelDataDesign(), false, false).windowWidth);
    EXPECT_EQ(w->width(), qRound(w->layoutResult().windowWidth / TwipsPerPixelX(w.get())));
    EXPECT_EQ(w->property("scaleWidth").toInt(), 10890);
}

TEST_F(LabelDataWindowTest, FullLabelType) {
    scannerSources = {QStringLiteral("docketport 665"), QStringLiteral("DocketPORT 665")};
    configure([](cVRAXSettings& s) {
        s.setLabel1Title(QStringLiteral("Contractor"));
        s.setLabel1AllowTitleChange(true);
        s.setLabel1AllowNoName(true);
        s.setLabel1NameLabelPrefix(QStringLiteral("Contractor's"));
        s.setLabel1MessageBoard(QStringLiteral("Report to the site office."));
        s.setLabel1IncludeCheckinAndCheckout(true);
        s.setLabel1Info1Title(QStringLiteral("Company"));
        s.setLabel1Info1Answers(QStringLiteral("Acme\r\nGlobex"));
        s.setLabel1Info2Displayed(false);
        s.setLabel1WebCamMode(2);
        s.setLabel1ScannerMode(2);
    });
    auto w = open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Check In/Out"));
    EXPECT_FALSE(button(*w, "cmdCheckOut")->isHidden());
    EXPECT_EQ(child<QLabel>(*w, "lblName")->text(), QStringLiteral("Contractor's Name:"));
    EXPECT_TRUE(child<controls::AutoSizeTextbox>(*w, "txtBadgeName")->isEnabled());
    EXPECT_TRUE(child<QCheckBox>(*w, "chkNoName")->isEnabled());
    EXPECT_FALSE(child<QLabel>(*w, "txtMessageBoard")->isHidden());

    auto* list = child<QComboBox>(*w, "cmbField1Answer");
    EXPECT_FALSE(list->isHidden());
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(list->currentText(), QString()) << "nothing is picked at open";
    EXPECT_TRUE(child<QLabel>(*w, "lblField2")->isHidden());
    EXPECT_TRUE(child<QComboBox>(*w, "cmbField2Answer")->isHidden());
    EXPECT_TRUE(child<QLineEdit>(*w, "txtInfo2Answer")->isHidden());

    // The exact model name (letter case counts) was selected; both areas are shown.
    EXPECT_TRUE(w->scannerReady());
    EXPECT_EQ(scanner->selected, 1);
    EXPECT_FALSE(child<QLabel>(*w, "picIDCard")->isHidden());
    EXPECT_FALSE(button(*w, "cmdScanID")->isHidden());
    EXPECT_TRUE(child<QCheckBox>(*w, "chkAdvSettings")->isHidden());
    EXPECT_FALSE(child<QLabel>(*w, "picWebCam2")->isHidden());
    EXPECT_EQ(camera->starts, 1);
    EXPECT_TRUE(button(*w, "cmdCheckIn")->isEnabled()) << "optional devices do not wait";
    const LabelDataLayout& l = w->layoutResult();
    EXPECT_TRUE(l.idAreaShown && l.photoAreaShown);
    EXPECT_EQ(child<QGroupBox>(*w, "frmOptionalData")->height(),
              qRound(l.optionalFrame.height / TwipsPerPixelY(w.get())));

    w->reject();
    EXPECT_EQ(camera->stops, 1);
    EXPECT_EQ(scanner->closes, 1);
}

TEST_F(LabelDataWindowTest, EveryControlHasAnAccessibleName) {
    scannerSources = {QStringLiteral("DocketPORT 665")};
    configure([](cVRAXSettings& s) {
        s.setLabel1WebCamMode(2);
        s.setLabel1ScannerMode(2);
        s.setLabel1IncludeCheckinAndCheckout(true);
    });
    auto w = open();
    int checked = 0;
    for (const QWidget* widget : w->findChildren<QWidget*>()) {
        const QString name = widget->objectName();
        static const QStringList kinds{QStringLiteral("cmb"), QStringLiteral("chk"),
                                       QStringLiteral("txt"), QStringLiteral("cmd"),
                                       QStringLiteral("pic"), QStringLiteral("pct"),
                                       QStringLiteral("frm"), QStringLiteral("fra")};
        if (std::none_of(kinds.cbegin(), kinds.cend(),
                         [&](const QString& kind) { return name.startsWith(kind); }))
            continue;
        ++checked;
        EXPECT_FALSE(widget->accessibleName().isEmpty()) << name.toStdString();
    }
    EXPECT_GE(checked, 20);
}

TEST_F(LabelDataWindowTest, NoNameSwapsNameAndQuantity) {
    configure([](cVRAXSettings& s) {
        s.setLabel1Title(QStringLiteral("Guest"));
        s.setLabel1AllowNoName(true);
    });
    auto w = open();
    auto* name = child<QComboBox>(*w, "cmbName");
    auto* qty = child<QLineEdit>(*w, "txtQty");
    name->setEditText(QStringLiteral("Ann"));
    child<QCheckBox>(*w, "chkNoName")->click();
    EXPECT_EQ(name->currentText(), QStringLiteral("Name will not be printed"));
    EXPECT_FALSE(name->isEnabled());
    EXPECT_TRUE(qty->isEnabled());
    child<QCheckBox>(*w, "chkNoName")->click();
    EXPECT_EQ(name->currentText(), QStringLiteral("Name will not be printed"));
    EXPECT_TRUE(name->isEnabled());
    EXPECT_FALSE(qty->isEnabled());
}

TEST_F(LabelDataWindowTest, QuantitySelectsItsTextOnFocus) {
    configure([](cVRAXSettings& s) { s.setLabel1AllowNoName(true); });
    auto w = open();
    w->show();
    QApplication::setActiveWindow(w.get());
    child<QCheckBox>(*w, "chkNoName")->click();
    auto* qty = child<QLineEdit>(*w, "txtQty");
    qty->setText(QStringLiteral("12"));
    qty->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(qty->selectedText(), QStringLiteral("12"));
}

TEST_F(LabelDataWindowTest, ValidationMessagesInOrder) {
    configure([](cVRAXSettings& s) {
        s.setLabel1AllowNoName(true);
        s.setLabel1Info1Title(QStringLiteral("Host"));
        s.setLabel1Info1Required(true);
        s.setLabel1Info2Title(QStringLiteral("Badge colour"));
        s.setLabel1Info2Required(true);
        s.setLabel1Info2Answers(QStringLiteral("Red\r\nBlue"));
    });
    auto w = open();
    auto* checkIn = button(*w, "cmdCheckIn");
    auto* title = child<controls::AutoSizeTextbox>(*w, "txtBadgeName");
    EXPECT_TRUE(title->isEnabled()) << "an empty title is editable";

    child<QComboBox>(*w, "cmbName")->setEditText(QStringLiteral("Ann"));
    checkIn->click(); // empty title
    child<QCheckBox>(*w, "chkNoName")->click();
    title->setText(QStringLiteral("Guest"));
    child<QLineEdit>(*w, "txtQty")->setText(QStringLiteral("many"));
    checkIn->click();
    child<QLineEdit>(*w, "txtQty")->setText(QStringLiteral("-2"));
    checkIn->click();
    child<QLineEdit>(*w, "txtQty")->setText(QStringLiteral("2"));
    child<QLineEdit>(*w, "txtInfo1Answer")->setText(QStringLiteral("  "));
    checkIn->click();
    child<QLineEdit>(*w, "txtInfo1Answer")->setText(QStringLiteral("Bob"));
    checkIn->click(); // nothing picked in the list
    child<QComboBox>(*w, "cmbField2Answer")->setCurrentIndex(1);
    checkIn->click();

    EXPECT_EQ(messages(), (QStringList{
                              QStringLiteral("You must enter a value in the Title field."),
                              QStringLiteral("You must enter a numeric value in the Qty field."),
                              QStringLiteral("You must enter a positive value in the Qty field."),
                              QStringLiteral("You must enter a value for the Host field."),
                              QStringLiteral("You must enter a value for the Badge colour field."),
                          }));
    EXPECT_EQ(w->result(), QDialog::Accepted);
    ASSERT_EQ(printer->prints.size(), 1);
    EXPECT_EQ(printer->prints.at(0).info.BadgeCount, 2);
    EXPECT_EQ(printer->prints.at(0).info.PrintedInfo2, QString());
    EXPECT_EQ(rowCount(), 0);
}

TEST_F(LabelDataWindowTest, EmptyNameIsTheFirstMessage) {
    configure([](cVRAXSettings&) {});
    auto w = open();
    button(*w, "cmdCheckIn")->click();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("You must enter a value in the Name field.")});
    EXPECT_EQ(prompter.messages.at(0).code, 48);
}

TEST_F(LabelDataWindowTest, TypedTextCannotExceedTheColumns) {
    configure([](cVRAXSettings& s) {
        s.setLabel1Title(QString(80, QLatin1Char('T')));
        s.setLabel1AllowTitleChange(true);
    });
    auto w = open();
    auto* name = child<QComboBox>(*w, "cmbName");
    name->setFocus();
    QTest::keyClicks(name->lineEdit(), QString(70, QLatin1Char('n')));
    EXPECT_EQ(name->currentText().size(), 50);
    EXPECT_EQ(child<controls::AutoSizeTextbox>(*w, "txtBadgeName")->Text().size(), 50);
    EXPECT_EQ(child<QLineEdit>(*w, "txtInfo1Answer")->maxLength(), 50);

    button(*w, "cmdCheckIn")->click();
    EXPECT_TRUE(prompter.messages.isEmpty());
    EXPECT_EQ(rawColumn(QStringLiteral("SELECT length(Name) FROM Labels")).value(0).toInt(), 50);
}

TEST_F(LabelDataWindowTest, RequiredWebCamGatesTheButtons) {
    configure([](cVRAXSettings& s) {
        s.setLabel1Title(QStringLiteral("Visitor"));
        s.setLabel1WebCamMode(1);
        s.setLabel1IncludeCheckinAndCheckout(true);
    });
    auto w = open();
    auto* take = button(*w, "cmdTakePicture");
    EXPECT_FALSE(button(*w, "cmdCheckIn")->isEnabled());
    EXPECT_FALSE(button(*w, "cmdCheckOut")->isEnabled());
    ASSERT_TRUE(camera->running);
    camera->emitFrame(test::TestPicture({640, 480}, Qt::darkGreen));
    EXPECT_FALSE(child<QLabel>(*w, "picWebCam2")->pixmap().isNull());

    take->click();
    EXPECT_TRUE(w->pictureTaken());
    EXPECT_FALSE(camera->running);
    EXPECT_EQ(take->text(), QStringLiteral("Restart Video"));
    EXPECT_TRUE(button(*w, "cmdCheckIn")->isEnabled());
    EXPECT_TRUE(button(*w, "cmdCheckOut")->isEnabled());

    take->click();
    EXPECT_FALSE(w->pictureTaken());
    EXPECT_TRUE(camera->running);
    EXPECT_EQ(take->text(), QStringLiteral("Take Picture"));
    EXPECT_FALSE(button(*w, "cmdCheckIn")->isEnabled());

    camera->emitFrame(test::TestPicture({640, 480}, Qt::darkRed));
    take->click();
    child<QComboBox>(*w, "cmbName")->setEditText(QStringLiteral("Ann Able"));
    button(*w, "cmdCheckIn")->click();
    EXPECT_EQ(w->result(), QDialog::Accepted);
    const QString photo = w->checkInCommit()->photoPath();
    EXPECT_TRUE(QFileInfo::exists(photo)) << photo.toStdString();
}

TEST_F(LabelDataWindowTest, CameraThatCannotStartHidesThePhotoAreaNextTime) {
    cameraWorks = false;
    configure([](cVRAXSettings& s) {
        s.setLabel1Title(QStringLiteral("Visitor"));
        s.setLabel1WebCamMode(1);
    });
    {
        // The first window after start still shows the area; the empty picture can be frozen.
        auto first = open();
        EXPECT_FALSE(child<QLabel>(*first, "picWebCam2")->isHidden());
        EXPECT_FALSE(programState().webCamAvailable);
        button(*first, "cmdTakePicture")->click();
        EXPECT_TRUE(button(*first, "cmdCheckIn")->isEnabled());
        child<QComboBox>(*first, "cmbName")->setEditText(QStringLiteral("Ann"));
        button(*first, "cmdCheckIn")->click();
        EXPECT_EQ(first->result(), QDialog::Accepted) << "no frame means no photo, not a failure";
        EXPECT_TRUE(first->checkInCommit()->photoPath().isEmpty());
    }
    auto second = open();
    EXPECT_TRUE(child<QLabel>(*second, "picWebCam2")->isHidden());
    EXPECT_TRUE(button(*second, "cmdTakePicture")->isHidden());
    EXPECT_FALSE(child<QLabel>(*second, "lblWebCam")->isEnabled());
    EXPECT_FALSE(button(*second, "cmdCheckIn")->isEnabled()) << "only Cancel is possible";
}

TEST_F(LabelDataWindowTest, RequiredScanGatesTheButtonsAndReportsScannerErrors) {
    scannerSources = {QStringLiteral("DocketPORT 665")};
    configure([](cVRAXSettings& s) {
        s.setLabel1Title(QStringLiteral("Visitor"));
        s.setLabel1ScannerMode(1);
        s.setDefaultScanner(5); // past the end of the model list: the first model
    });
    auto w = open();
    EXPECT_TRUE(w->scannerReady());
    EXPECT_FALSE(button(*w, "cmdCheckIn")->isEnabled());

    scanner->failure = {capture::kScannerErrorBase + 21, QStringLiteral("Cover open\nClose it"),
                        QStringLiteral("TwainPRO")};
    button(*w, "cmdScanID")->click();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("21: Cover open  Close it")});
    EXPECT_EQ(prompter.messages.at(0).code, 0);
    scanner->failure = {capture::kScannerErrorBase + 1000, QStringLiteral("x"),
                        QStringLiteral("TwainPRO")};
    button(*w, "cmdScanID")->click();
    EXPECT_EQ(prompter.messages.size(), 1) << "code 1000 shows nothing";

    scanner->failure = {};
    button(*w, "cmdScanID")->click();
    EXPECT_EQ(scanner->acquisitions, 1);
    EXPECT_DOUBLE_EQ(scanner->area.right, 3.5);
    EXPECT_DOUBLE_EQ(scanner->area.bottom, 2.2);
    EXPECT_FALSE(scanner->showDialog);
    scanner->emitImage(test::TestPicture({350, 220}, Qt::lightGray));
    EXPECT_TRUE(w->idScanned());
    EXPECT_TRUE(button(*w, "cmdCheckIn")->isEnabled());
    EXPECT_FALSE(child<QLabel>(*w, "picIDCard")->pixmap().isNull());
}

TEST_F(LabelDataWindowTest, ScannerNotFoundHidesTheIdArea) {
    scannerSources = {QStringLiteral("Some Other Scanner")};
    configure([](cVRAXSettings& s) { s.setLabel1ScannerMode(1); });
    auto w = open();
    EXPECT_FALSE(w->scannerReady());
    EXPECT_TRUE(child<QLabel>(*w, "picIDCard")->isHidden());
    EXPECT_TRUE(button(*w, "cmdScanID")->isHidden());
    EXPECT_FALSE(button(*w, "cmdCheckIn")->isEnabled());
    w->reject();
    EXPECT_EQ(scanner->closes, 0) << "a scanner that was never selected is not closed";
}

TEST_F(LabelDataWindowTest, PrintFailureLocksTheEntryAndTheRetryPrintsTheStoredVisit) {
    configure([](cVRAXSettings& s) {
        s.setLabel1Title(QStringLiteral("Visitor"));
        s.setLabel1IncludeCheckinAndCheckout(true);
    });
    auto w = open();
    child<QComboBox>(*w, "cmbName")->setEditText(QStringLiteral("Ann Able"));
    printer->failing = true;
    button(*w, "cmdCheckOut")->click();
    EXPECT_EQ(messages(), QStringList{QStringLiteral(
                              "Please make sure you have a printer selected in the Default "
                              "Settings screen.")});
    EXPECT_EQ(w->result(), 0);
    EXPECT_EQ(rowCount(), 1);
    EXPECT_FALSE(child<QComboBox>(*w, "cmbName")->isEnabled());
    EXPECT_FALSE(button(*w, "cmdCheckIn")->isEnabled());
    EXPECT_TRUE(button(*w, "cmdCheckOut")->isEnabled());
    EXPECT_TRUE(button(*w, "cmdCancel")->isEnabled());

    printer->failing = false;
    button(*w, "cmdCheckOut")->click();
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_EQ(rowCount(), 1);
    EXPECT_EQ(printer->prints.size(), 1);
}

TEST_F(LabelDataWindowTest, KeyboardEnterChecksInAndEscapeCancels) {
    configure([](cVRAXSettings& s) { s.setLabel1Title(QStringLiteral("Visitor")); });
    auto w = open();
    w->show();
    QApplication::setActiveWindow(w.get());
    auto* name = child<QComboBox>(*w, "cmbName");
    name->setFocus();
    QTest::keyClicks(name->lineEdit(), QStringLiteral("Ann"));
    QTest::keyClick(name->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_EQ(rowCount(), 1);
    EXPECT_EQ(name->count(), 0) << "Enter commits; it does not add to the list";

    auto other = open();
    other->show();
    QApplication::setActiveWindow(other.get());
    QTest::keyClick(other.get(), Qt::Key_Escape);
    EXPECT_EQ(other->result(), QDialog::Rejected);
    EXPECT_FALSE(other->isVisible());
    EXPECT_EQ(rowCount(), 1);
}

TEST_F(LabelDataWindowTest, OpenLabelDataShowsTheWindowModallyOrReportsTheLoad) {
    EXPECT_TRUE(OpenLabelData(7, nullptr, services).isError());
    configure([](cVRAXSettings& s) { s.setLabel3Title(QStringLiteral("Vendor")); });
    QString shownTitle;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        shownTitle =
            modal->findChild<controls::AutoSizeTextbox*>(QStringLiteral("txtBadgeName"))->Text();
        modal->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
    });
    EXPECT_FALSE(OpenLabelData(2, nullptr, services).isError());
    EXPECT_EQ(shownTitle, QStringLiteral("Vendor"));
    EXPECT_EQ(rowCount(), 0);
}

} // namespace
} // namespace zelkora
