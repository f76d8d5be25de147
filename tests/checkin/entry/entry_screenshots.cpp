// Renders the entry window of a simple and of a full label type to entry-simple.png and
// entry-full.png in the folder given, with a synthetic camera and scanner, in a throwaway
// station and settings folder.
#include "checkin/labeldatawindow.h"
#include "controls/autosize/autosizetextbox.h"
#include "settings/vraxsettings.h"
#include "synthetic.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLinearGradient>
#include <QPainterPath>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>

using namespace zelkora;

namespace {

// A web-cam frame: a head and shoulders before a lit wall.
QImage cameraFrame() {
    QImage image(640, 480, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient wall(0, 0, 640, 480);
    wall.setColorAt(0, QColor(0x9a, 0xa8, 0xb8));
    wall.setColorAt(1, QColor(0x4a, 0x55, 0x66));
    p.fillRect(image.rect(), wall);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2d, 0x3e, 0x5c));
    p.drawEllipse(QRectF(150, 330, 340, 300)); // shoulders
    p.setBrush(QColor(0xe0, 0xb8, 0x98));
    p.drawRect(QRectF(290, 280, 60, 70));      // neck
    p.drawEllipse(QRectF(240, 110, 160, 200)); // face
    p.setBrush(QColor(0x4b, 0x32, 0x22));
    QPainterPath hair;
    hair.moveTo(238, 200);
    hair.cubicTo(230, 90, 410, 80, 402, 200);
    hair.cubicTo(390, 140, 250, 140, 238, 200);
    p.drawPath(hair);
    return image;
}

// A scanned ID card: photo, name lines and a stripe.
QImage idCard() {
    QImage image(350, 220, QImage::Format_RGB32);
    image.fill(QColor(0xf7, 0xf4, 0xec));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRect(0, 0, 350, 38), QColor(0x1f, 0x5a, 0x96));
    p.setPen(Qt::white);
    QFont font(QStringLiteral("Liberation Sans"), 11, QFont::Bold);
    p.setFont(font);
    p.drawText(QRect(12, 0, 330, 38), Qt::AlignVCenter, QStringLiteral("DRIVER LICENSE"));
    p.fillRect(QRect(16, 54, 90, 112), QColor(0xb8, 0xc4, 0xd0));
    p.setBrush(QColor(0xe0, 0xb8, 0x98));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRect(38, 66, 46, 56));
    p.setBrush(QColor(0x2d, 0x3e, 0x5c));
    p.drawEllipse(QRect(24, 124, 74, 60));
    p.setPen(QColor(0x30, 0x30, 0x30));
    font.setPointSize(9);
    p.setFont(font);
    p.drawText(QPoint(122, 70), QStringLiteral("MORGAN, ALEX J"));
    font.setBold(false);
    p.setFont(font);
    p.drawText(QPoint(122, 92), QStringLiteral("1204 HARBOR VIEW RD"));
    p.drawText(QPoint(122, 110), QStringLiteral("DOB 04/17/1984"));
    p.drawText(QPoint(122, 128), QStringLiteral("EXP 04/17/2027"));
    p.fillRect(QRect(0, 188, 350, 14), QColor(0xd9, 0x8c, 0x2b));
    return image;
}

bool render(int labelIndex, const QString& path, const std::function<void(LabelDataWindow&)>& fill,
            bool devices) {
    test::SyntheticFrameSource* camera = nullptr;
    test::SyntheticIdScanner* scanner = nullptr;
    CheckInServices services;
    services.camera = [&camera] {
        auto source = std::make_unique<test::SyntheticFrameSource>();
        camera = source.get();
        return source;
    };
    services.scanner = [&scanner] {
        auto source = std::make_unique<test::SyntheticIdScanner>();
        source->sources = {QStringLiteral("DocketPORT 665")};
        scanner = source.get();
        return source;
    };
    services.videoFormatDialog = [](capture::FrameSource&, QWidget*) {};
    LabelDataWindow window(nullptr, services);
    if (window.InitLabelData(labelIndex).isError())
        return false;
    window.show();
    if (devices) {
        camera->emitFrame(cameraFrame());
        scanner->emitImage(idCard());
    }
    fill(window);
    QApplication::processEvents();
    return window.grab().save(path);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        QTextStream(stderr) << "usage: entry_screenshots <folder>\n";
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QLatin1Char('/');
    QTemporaryDir home;
    qputenv("ZELKORA_HOME", (home.path() + QStringLiteral("/station/")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toLocal8Bit());
    QDir().mkpath(home.path() + QStringLiteral("/station"));

    cVRAXSettings s;
    if (s.LoadValues().isError())
        return 1;
    s.setLabel1Title(QStringLiteral("VISITOR"));
    s.setLabel1PreloadList(QStringLiteral("Alex Morgan\r\nJamie Lee\r\nSam Patel"));
    s.setLabel1Info1Title(QStringLiteral("Visiting"));
    s.setLabel1Info2Title(QStringLiteral("Company"));
    s.setLabel1Info2Printed(true);

    s.setLabel2Title(QStringLiteral("CONTRACTOR"));
    s.setLabel2AllowTitleChange(true);
    s.setLabel2AllowNoName(true);
    s.setLabel2NameLabelPrefix(QStringLiteral("Contractor's"));
    s.setLabel2MessageBoard(QStringLiteral(
        "Please sign the safety briefing at the site office and wear your badge at all times."));
    s.setLabel2IncludeCheckinAndCheckout(true);
    s.setLabel2Info1Title(QStringLiteral("Contractor firm"));
    s.setLabel2Info1Answers(QStringLiteral("Northwind Electric\r\nBlue Ridge HVAC\r\nOther"));
    s.setLabel2Info1Printed(true);
    s.setLabel2Info1Required(true);
    s.setLabel2Info2Title(QStringLiteral("Work order"));
    s.setLabel2WebCamMode(1);
    s.setLabel2ScannerMode(2);
    if (s.SaveValues().isError())
        return 1;

    const bool simple = render(
        0, out + QStringLiteral("entry-simple.png"),
        [](LabelDataWindow& w) {
            w.findChild<QComboBox*>(QStringLiteral("cmbName"))
                ->setEditText(QStringLiteral("Jamie Lee"));
        },
        false);
    const bool full = render(
        1, out + QStringLiteral("entry-full.png"),
        [](LabelDataWindow& w) {
            w.findChild<QComboBox*>(QStringLiteral("cmbName"))
                ->setEditText(QStringLiteral("Alex Morgan"));
            w.findChild<QComboBox*>(QStringLiteral("cmbField1Answer"))->setCurrentIndex(0);
            w.findChild<QPushButton*>(QStringLiteral("cmdTakePicture"))->click();
        },
        true);
    return simple && full ? 0 : 1;
}
