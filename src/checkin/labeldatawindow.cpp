#include "checkin/labeldatawindow.h"

#include "app/core/log.h"
#include "app/core/message.h"
#include "app/core/programstate.h"
#include "app/core/sharedroutines.h"
#include "app/gui/formplacement.h"
#include "controls/autosize/autosizetextbox.h"
#include "util/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <cmath>

namespace zelkora {

namespace {

// Design places of the controls the layout does not move, in twips within their frame.
constexpr TwipsRect kNameLabel{120, 420, 1620, 540};
constexpr TwipsRect kName{1800, 420, 3900, 540};
constexpr TwipsRect kNoName{1800, 1020, 1800, 540};
constexpr TwipsRect kQtyLabel{3960, 1020, 780, 540};
constexpr TwipsRect kQty{4800, 1020, 900, 540};
constexpr TwipsRect kBadgeNameLabel{180, 1800, 1560, 540};
constexpr TwipsRect kMessageLabel{180, 2640, 1560, 540};
constexpr TwipsRect kWebCamLabel{5940, 420, 840, 540};
constexpr TwipsRect kWebCam{6840, 420, 3600, 2700};
constexpr TwipsRect kTakePicture{6840, 3300, 2700, 600};
constexpr TwipsRect kWebCamSettings{9660, 3300, 780, 600};
constexpr TwipsRect kField1Label{120, 420, 1620, 540};
constexpr TwipsRect kField2Label{120, 1080, 1620, 540};
constexpr TwipsRect kScanId{1800, 1800, 2400, 600};
constexpr TwipsRect kAdvSettings{1800, 2520, 3900, 540};
// The three buttons in their frame, packed to the right.
constexpr int kButtonWidth = 1440;
constexpr int kButtonHeight = 600;
constexpr int kButtonGap = 90;
constexpr int kButtonTop = 60;

constexpr int kTitleMinFont = 8;
constexpr int kTitleMaxFont = 28;

// The web-cam settings button's picture: a small gear, drawn so that it scales cleanly.
QIcon gearIcon(const QColor& color) {
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(24, 24);
    QPainterPath gear;
    constexpr int kTeeth = 8;
    for (int i = 0; i < kTeeth; ++i) {
        QPainterPath tooth;
        tooth.addRoundedRect(QRectF(-4.5, -21, 9, 12), 2, 2);
        gear.addPath(QTransform().rotate(i * 360.0 / kTeeth).map(tooth));
    }
    gear.addEllipse(QPointF(0, 0), 14.5, 14.5);
    QPainterPath hole;
    hole.addEllipse(QPointF(0, 0), 6, 6);
    painter.fillPath(gear.simplified().subtracted(hole), color);
    painter.end();
    return QIcon(pixmap);
}

// A caption that may be longer than its place beside the field (a name prefix, a question
// title): wrapped onto two lines, and set smaller only when even that does not fit.
void fitCaption(QLabel* label, const QFont& base) {
    constexpr double kSmallest = 7.0;
    label->setWordWrap(true);
    QFont font = base;
    const QSize room = label->contentsRect().size();
    const QStringList words = label->text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (;;) {
        label->setFont(font);
        const QFontMetrics metrics(font);
        int widest = 0;
        for (const QString& word : words)
            widest = std::max(widest, metrics.horizontalAdvance(word));
        const bool fits =
            widest <= room.width() && label->heightForWidth(room.width()) <= room.height();
        if (fits || font.pointSizeF() <= kSmallest)
            return;
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
}

void setTabStop(QWidget* widget, bool on) {
    widget->setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus);
}

QPushButton* makeButton(const char* name, const QString& caption, const QString& accessible,
                        QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(accessible);
    return button;
}

QLabel* makeLabel(const char* name, const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QLabel* makePictureArea(const char* name, const QString& accessible, QWidget* parent) {
    auto* picture = new QLabel(parent);
    picture->setObjectName(QLatin1String(name));
    picture->setAccessibleName(accessible);
    picture->setAlignment(Qt::AlignCenter);
    picture->setFrameShape(QFrame::StyledPanel);
    picture->setFrameShadow(QFrame::Sunken);
    picture->setAutoFillBackground(true);
    return picture;
}

} // namespace

LabelDataWindow::LabelDataWindow(QWidget* owner, const CheckInServices& services)
    : QDialog(owner)
    , m_services(services)
    , m_camera(services.makeCamera())
    , m_scanner(services.makeScanner()) {
    setObjectName(QStringLiteral("frmLabelData"));
    setWindowTitle(QLatin1String(kCaptionCreateBadge));
    setModal(true);
    QFont font = this->font();
    font.setPointSizeF(std::max(font.pointSizeF(), 10.5));
    setFont(font);
    buildControls();
    setUpTabOrder();

    m_camera->setFrameHandler([this](const QImage& frame) { frameArrived(frame); });
    m_scanner->setImageHandler([this](const QImage& image) { idImageArrived(image); });
}

LabelDataWindow::~LabelDataWindow() {
    shutDownDevices();
    m_camera->setFrameHandler({});
    m_scanner->setImageHandler({});
}

void LabelDataWindow::buildControls() {
    frmRequiredInformation = new QGroupBox(QStringLiteral("Required Information"), this);
    frmRequiredInformation->setObjectName(QStringLiteral("frmRequiredInformation"));
    frmRequiredInformation->setAccessibleName(QStringLiteral("Required Information"));

    QWidget* req = frmRequiredInformation;
    lblName = makeLabel("lblName", QStringLiteral("Name:"), req);
    cmbName = new QComboBox(req);
    cmbName->setObjectName(QStringLiteral("cmbName"));
    cmbName->setEditable(true);
    cmbName->setInsertPolicy(QComboBox::NoInsert);
    cmbName->lineEdit()->setMaxLength(kTextColumnSize);
    cmbName->setAccessibleName(QStringLiteral("Name"));
    lblName->setBuddy(cmbName);

    chkNoName = new QCheckBox(QStringLiteral("No Name?"), req);
    chkNoName->setObjectName(QStringLiteral("chkNoName"));
    chkNoName->setAccessibleName(QStringLiteral("No Name? Make labels without a name"));
    lblQty = makeLabel("lblQty", QStringLiteral("Qty:"), req);
    txtQty = new QLineEdit(QStringLiteral("1"), req);
    txtQty->setObjectName(QStringLiteral("txtQty"));
    txtQty->setAccessibleName(QStringLiteral("Number of labels"));
    txtQty->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtQty->setInputMethodHints(Qt::ImhDigitsOnly);
    txtQty->setEnabled(false);
    txtQty->installEventFilter(this);
    lblQty->setBuddy(txtQty);

    lblBadgeName = makeLabel("lblBadgeName", QStringLiteral("Title:"), req);
    txtBadgeName = new controls::AutoSizeTextbox(req);
    txtBadgeName->setObjectName(QStringLiteral("txtBadgeName"));
    txtBadgeName->setAccessibleName(QStringLiteral("Badge title"));
    txtBadgeName->putFont(QFont(QStringLiteral("Arial")));
    txtBadgeName->setAlignment(controls::AutoSizeTextbox::Center);
    txtBadgeName->setBackColor(Qt::white);
    txtBadgeName->setForeColor(Qt::black);
    txtBadgeName->setMinFontSize(kTitleMinFont);
    txtBadgeName->setMaxFontSize(kTitleMaxFont);
    txtBadgeName->setMaxLength(kTextColumnSize);
    lblBadgeName->setBuddy(txtBadgeName);

    lblMessageBoard = makeLabel("lblMessageBoard", QStringLiteral("Message:"), req);
    lblMessageBoard->setAlignment(Qt::AlignRight | Qt::AlignTop);
    txtMessageBoard = new QLabel(req);
    txtMessageBoard->setObjectName(QStringLiteral("txtMessageBoard"));
    txtMessageBoard->setAccessibleName(QStringLiteral("Message for the visitor"));
    txtMessageBoard->setWordWrap(true);
    txtMessageBoard->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    txtMessageBoard->setTextFormat(Qt::PlainText);
    txtMessageBoard->setFrameShape(QFrame::StyledPanel);
    txtMessageBoard->setMargin(4);

    lblWebCam = makeLabel("lblWebCam", QStringLiteral("Photo:"), req);
    lblWebCam->setAlignment(Qt::AlignRight | Qt::AlignTop);
    lblWebCam->setContentsMargins(0, 6, 0, 0);
    picWebCam2 = makePictureArea("picWebCam2", QStringLiteral("Web-cam photo"), req);
    QPalette dark = picWebCam2->palette();
    dark.setColor(QPalette::Window, QColor(0x20, 0x24, 0x2a));
    dark.setColor(QPalette::WindowText, QColor(0xc8, 0xcc, 0xd2));
    picWebCam2->setPalette(dark);
    cmdTakePicture = makeButton("cmdTakePicture", QStringLiteral("Take Picture"),
                                QStringLiteral("Take Picture"), req);
    pctWebCamSettings = new QToolButton(req);
    pctWebCamSettings->setObjectName(QStringLiteral("pctWebCamSettings"));
    pctWebCamSettings->setAccessibleName(QStringLiteral("Web-cam video format"));
    pctWebCamSettings->setToolTip(QStringLiteral("Video format"));
    pctWebCamSettings->setIcon(gearIcon(palette().color(QPalette::ButtonText)));
    pctWebCamSettings->setIconSize(QSize(24, 24));

    frmOptionalData = new QGroupBox(QStringLiteral("Additional Information"), this);
    frmOptionalData->setObjectName(QStringLiteral("frmOptionalData"));
    frmOptionalData->setAccessibleName(QStringLiteral("Additional Information"));
    QWidget* opt = frmOptionalData;
    lblField1 = makeLabel("lblField1", QStringLiteral("Field 1:"), opt);
    lblField2 = makeLabel("lblField2", QStringLiteral("Field 2:"), opt);
    cmbField1Answer = new QComboBox(opt);
    cmbField1Answer->setObjectName(QStringLiteral("cmbField1Answer"));
    cmbField2Answer = new QComboBox(opt);
    cmbField2Answer->setObjectName(QStringLiteral("cmbField2Answer"));
    txtInfo1Answer = new QLineEdit(opt);
    txtInfo1Answer->setObjectName(QStringLiteral("txtInfo1Answer"));
    txtInfo2Answer = new QLineEdit(opt);
    txtInfo2Answer->setObjectName(QStringLiteral("txtInfo2Answer"));
    for (QLineEdit* answer : {txtInfo1Answer, txtInfo2Answer})
        answer->setMaxLength(kTextColumnSize);
    cmdScanID =
        makeButton("cmdScanID", QStringLiteral("Scan ID"), QStringLiteral("Scan the ID card"), opt);
    chkAdvSettings = new QCheckBox(QStringLiteral("Scan Using Advanced Settings"), opt);
    chkAdvSettings->setObjectName(QStringLiteral("chkAdvSettings"));
    chkAdvSettings->setAccessibleName(QStringLiteral("Scan Using Advanced Settings"));
    picIDCard = makePictureArea("picIDCard", QStringLiteral("Scanned ID card"), opt);
    QPalette card = picIDCard->palette();
    card.setColor(QPalette::Window, QColor(0xf4, 0xf5, 0xf7));
    picIDCard->setPalette(card);

    fraButtonControls = new QFrame(this);
    fraButtonControls->setObjectName(QStringLiteral("fraButtonControls"));
    fraButtonControls->setAccessibleName(QStringLiteral("Commit buttons"));
    fraButtonControls->setFrameShape(QFrame::NoFrame);
    cmdCheckIn = makeButton("cmdCheckIn", QStringLiteral("Check In"),
                            QStringLiteral("Check In and print the badge"), fraButtonControls);
    cmdCheckOut = makeButton("cmdCheckOut", QStringLiteral("Check Out"),
                             QStringLiteral("Check In and Out at once"), fraButtonControls);
    cmdCancel = makeButton("cmdCancel", QStringLiteral("Cancel"), QStringLiteral("Cancel"),
                           fraButtonControls);
    cmdCheckIn->setDefault(true);
    QFont bold = cmdCheckIn->font();
    bold.setBold(true);
    cmdCheckIn->setFont(bold);

    const LabelDataDesign& design = DefaultLabelDataDesign();
    place(frmRequiredInformation, design.requiredFrame);
    place(lblName, kNameLabel);
    place(cmbName, kName);
    place(chkNoName, kNoName);
    place(lblQty, kQtyLabel);
    place(txtQty, kQty);
    place(lblBadgeName, kBadgeNameLabel);
    place(txtBadgeName, design.badgeName);
    place(lblMessageBoard, kMessageLabel);
    place(txtMessageBoard, design.messageBoard);
    place(lblWebCam, kWebCamLabel);
    place(picWebCam2, kWebCam);
    place(cmdTakePicture, kTakePicture);
    place(pctWebCamSettings, kWebCamSettings);
    place(frmOptionalData, design.optionalFrame);
    place(lblField1, kField1Label);
    place(lblField2, kField2Label);
    place(cmbField1Answer, design.field1Answer);
    place(cmbField2Answer, design.field2Answer);
    place(cmdScanID, kScanId);
    place(chkAdvSettings, kAdvSettings);
    place(picIDCard, design.idPicture);
    place(fraButtonControls, design.buttonFrame);

    connect(chkNoName, &QCheckBox::toggled, this, &LabelDataWindow::noNameClicked);
    connect(cmdTakePicture, &QPushButton::clicked, this, &LabelDataWindow::takePictureClicked);
    connect(pctWebCamSettings, &QToolButton::clicked, this,
            &LabelDataWindow::webCamSettingsClicked);
    connect(cmdScanID, &QPushButton::clicked, this, &LabelDataWindow::scanIdClicked);
    connect(cmdCheckIn, &QPushButton::clicked, this, [this] { commitClicked(false); });
    connect(cmdCheckOut, &QPushButton::clicked, this, [this] { commitClicked(true); });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void LabelDataWindow::setUpTabOrder() {
    QWidget* order[] = {
        cmbName,           chkNoName,       txtQty,         txtBadgeName, cmbField1Answer,
        txtInfo1Answer,    cmbField2Answer, txtInfo2Answer, cmdScanID,    cmdTakePicture,
        pctWebCamSettings, cmdCheckIn,      cmdCheckOut,    cmdCancel};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    pctWebCamSettings->setFocusPolicy(Qt::StrongFocus);
}

void LabelDataWindow::place(QWidget* widget, const TwipsRect& rect) const {
    const double tx = TwipsPerPixelX(this);
    const double ty = TwipsPerPixelY(this);
    widget->setGeometry(twipsToPixels(rect.left, tx), twipsToPixels(rect.top, ty),
                        twipsToPixels(rect.width, tx), twipsToPixels(rect.height, ty));
}

StationError LabelDataWindow::InitLabelData(int labelIndex) {
    WriteLog(QStringLiteral("In InitLabelData."));
    if (StationError e = LoadLabelDataSettings(labelIndex, &m_settings); e.isError())
        return e;
    m_commit =
        std::make_unique<CheckInCommit>(m_settings, m_services.printer.get(), m_services.paper);
    load();
    fillControls(PlanEntryForm(m_settings));
    if (m_settings.WebCamMode != kDeviceOff)
        capture::StartCapture(*m_camera);
    cmbName->setFocus();
    return {};
}

void LabelDataWindow::load() {
    m_gate.emplace(m_settings.WebCamMode, m_settings.ScannerMode);
    int model = m_settings.DefaultScanner;
    m_scannerReady = SelectScanner(*m_scanner, model, programState().scannerModels);
    applyLayout();
    applyGate();
}

void LabelDataWindow::applyLayout() {
    const bool idShown = m_scannerReady && m_settings.ScannerMode != kDeviceOff;
    const bool photoShown = WebCamUsable(m_settings.WebCamMode != kDeviceOff);
    m_layout = LayOutLabelData(DefaultLabelDataDesign(), idShown, photoShown);

    picIDCard->setVisible(idShown);
    cmdScanID->setVisible(idShown);
    chkAdvSettings->setVisible(false); // never offered: scans use its unticked design value
    picWebCam2->setVisible(photoShown);
    cmdTakePicture->setVisible(photoShown);
    lblWebCam->setEnabled(photoShown);
    pctWebCamSettings->setEnabled(photoShown && static_cast<bool>(m_services.videoFormatDialog));

    place(frmRequiredInformation, m_layout.requiredFrame);
    place(frmOptionalData, m_layout.optionalFrame);
    place(picIDCard, m_layout.idPicture);
    place(fraButtonControls, m_layout.buttonFrame);
    TwipsRect message = DefaultLabelDataDesign().messageBoard;
    message.width = m_layout.messageBoardWidth;
    place(txtMessageBoard, message);

    const double tx = TwipsPerPixelX(this);
    const double ty = TwipsPerPixelY(this);
    setFixedSize(twipsToPixels(m_layout.windowWidth, tx), twipsToPixels(m_layout.clientHeight, ty));
    GetFormPosition(this, kLabelDataScaleWidth, m_layout.windowHeight);
}

void LabelDataWindow::fillControls(const EntryFormPlan& plan) {
    cmbName->clear();
    for (const QString& name : plan.names)
        cmbName->addItem(name);
    cmbName->setCurrentIndex(-1);
    cmbName->setEditText(QString());

    txtBadgeName->setText(plan.badgeName);
    txtBadgeName->setEnabled(plan.titleEditable);
    setTabStop(txtBadgeName, plan.titleEditable);
    setTabStop(txtBadgeName->textField(), plan.titleEditable);

    lblMessageBoard->setVisible(plan.messageShown);
    txtMessageBoard->setVisible(plan.messageShown);
    txtMessageBoard->setText(plan.message);

    chkNoName->setEnabled(plan.noNameEnabled);
    setTabStop(chkNoName, plan.noNameEnabled);

    lblName->setText(plan.nameCaption);
    fitCaption(lblName, font());
    fillQuestion(0, plan.questions[0]);
    fillQuestion(1, plan.questions[1]);

    cmdCheckOut->setVisible(plan.checkOutShown);
    setTabStop(cmdCheckOut, plan.checkOutShown);
    setWindowTitle(plan.windowCaption);

    // Visible buttons packed to the right of their frame.
    const double tx = TwipsPerPixelX(this);
    const double ty = TwipsPerPixelY(this);
    int right = DefaultLabelDataDesign().buttonFrame.width;
    for (QPushButton* button : {cmdCancel, cmdCheckOut, cmdCheckIn}) {
        if (button->isHidden())
            continue;
        right -= kButtonWidth;
        button->setGeometry(twipsToPixels(right, tx), twipsToPixels(kButtonTop, ty),
                            twipsToPixels(kButtonWidth, tx), twipsToPixels(kButtonHeight, ty));
        right -= kButtonGap;
    }
}

void LabelDataWindow::fillQuestion(int index, const QuestionPlan& plan) {
    QLabel* label = index == 0 ? lblField1 : lblField2;
    QComboBox* list = index == 0 ? cmbField1Answer : cmbField2Answer;
    QLineEdit* text = index == 0 ? txtInfo1Answer : txtInfo2Answer;
    m_answerControls.at(static_cast<std::size_t>(index)) = plan.control;

    label->setText(plan.caption);
    fitCaption(label, font());
    // The free-form box lies exactly over the list.
    text->setGeometry(list->geometry());
    label->setBuddy(plan.control == AnswerControl::Text ? static_cast<QWidget*>(text) : list);
    // A question without a title still needs a name a screen reader can say.
    const QString spoken = plan.caption.isEmpty()
                               ? QStringLiteral("Additional answer %1").arg(index + 1)
                               : plan.caption;
    list->setAccessibleName(spoken);
    text->setAccessibleName(spoken);

    label->setVisible(plan.labelShown);
    const bool useList = plan.control == AnswerControl::List;
    const bool useText = plan.control == AnswerControl::Text;
    list->setVisible(useList);
    setTabStop(list, useList);
    text->setVisible(useText);
    setTabStop(text, useText);
    if (useList) {
        list->clear();
        list->addItems(plan.items);
        list->setCurrentIndex(-1); // nothing picked until the user picks
    }
}

bool LabelDataWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtQty && event->type() == QEvent::FocusIn) {
        // After the field's own focus handling, which would place the cursor.
        QTimer::singleShot(0, txtQty, &QLineEdit::selectAll);
    }
    return QDialog::eventFilter(watched, event);
}

void LabelDataWindow::noNameClicked(bool ticked) {
    if (ticked) {
        cmbName->setEditText(QLatin1String(kNoNameText));
        cmbName->setEnabled(false);
        txtQty->setEnabled(true);
    } else {
        cmbName->setEnabled(true);
        txtQty->setEnabled(false);
    }
}

void LabelDataWindow::takePictureClicked() {
    if (!m_gate || m_locked)
        return;
    if (!m_gate->pictureTaken()) {
        m_photo = m_camera->currentFrame();
        m_camera->stop();
        m_gate->pictureFrozen();
        showPicture(picWebCam2, m_photo);
        cmdTakePicture->setText(QStringLiteral("Restart Video"));
        cmdTakePicture->setAccessibleName(QStringLiteral("Restart Video"));
    } else {
        capture::StartCapture(*m_camera);
        m_photo = QImage();
        m_gate->videoRestarted();
        showPicture(picWebCam2, m_camera->currentFrame());
        cmdTakePicture->setText(QStringLiteral("Take Picture"));
        cmdTakePicture->setAccessibleName(QStringLiteral("Take Picture"));
    }
    applyGate();
}

void LabelDataWindow::webCamSettingsClicked() {
    if (m_services.videoFormatDialog && !m_locked)
        m_services.videoFormatDialog(*m_camera, this);
}

void LabelDataWindow::scanIdClicked() {
    if (m_locked)
        return;
    StationError e = m_scanner->openSource();
    if (!e.isError())
        e = m_scanner->setScanArea(capture::kIdCardArea);
    if (!e.isError())
        e = m_scanner->setShowDialog(chkAdvSettings->isChecked());
    if (!e.isError())
        e = m_scanner->startAcquisition();
    if (!e.isError())
        return;
    if (const std::optional<QString> message = capture::ScannerErrorMessage(e))
        ShowMessage(*message, MsgOk, QString(), true);
}

void LabelDataWindow::frameArrived(const QImage& frame) {
    if (m_gate && !m_gate->pictureTaken())
        showPicture(picWebCam2, frame);
}

void LabelDataWindow::idImageArrived(const QImage& image) {
    if (!m_gate || m_locked)
        return;
    m_idCard = image;
    showPicture(picIDCard, image);
    m_gate->idImageArrived();
    applyGate();
}

void LabelDataWindow::showPicture(QLabel* target, const QImage& image) {
    if (image.isNull()) {
        target->clear();
        return;
    }
    const QSize room = target->contentsRect().size();
    target->setPixmap(
        QPixmap::fromImage(image.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void LabelDataWindow::applyGate() {
    const bool on = m_gate && m_gate->enabled();
    cmdCheckIn->setEnabled(on);
    cmdCheckOut->setEnabled(on);
}

EntryValues LabelDataWindow::entryValues() const {
    EntryValues v;
    v.name = cmbName->currentText();
    v.badgeName = txtBadgeName->Text();
    v.noName = chkNoName->isChecked();
    v.quantityText = txtQty->text();
    const QComboBox* lists[] = {cmbField1Answer, cmbField2Answer};
    const QLineEdit* texts[] = {txtInfo1Answer, txtInfo2Answer};
    for (std::size_t i = 0; i < 2; ++i) {
        const AnswerControl control = m_answerControls.at(i);
        v.answers.at(i) =
            control == AnswerControl::Text ? texts[i]->text() : lists[i]->currentText();
        v.answerShown.at(i) = control != AnswerControl::Hidden;
    }
    return v;
}

void LabelDataWindow::commitClicked(bool checkOut) {
    if (!m_commit || !m_gate)
        return;
    const EntryPictures pictures{m_gate->pictureTaken(), m_photo, m_gate->idScanned(), m_idCard};
    const CheckInCommit::Outcome outcome = m_commit->run(checkOut, entryValues(), pictures);
    if (outcome == CheckInCommit::Outcome::Done) {
        accept();
        return;
    }
    if (m_commit->visitStored() && !m_locked)
        lockEntry(m_commit->storedByCheckOut());
}

void LabelDataWindow::lockEntry(bool checkOut) {
    // The visit is stored: what it holds may not change, and only the same button retries.
    m_locked = true;
    for (QWidget* field : std::initializer_list<QWidget*>{
             cmbName, chkNoName, txtQty, txtBadgeName, cmbField1Answer, cmbField2Answer,
             txtInfo1Answer, txtInfo2Answer, cmdTakePicture, pctWebCamSettings, cmdScanID})
        field->setEnabled(false);
    (checkOut ? cmdCheckIn : cmdCheckOut)->setEnabled(false);
    QPushButton* retry = checkOut ? cmdCheckOut : cmdCheckIn;
    retry->setEnabled(true);
    retry->setFocus();
}

void LabelDataWindow::shutDownDevices() {
    if (m_closed)
        return;
    m_closed = true;
    if (m_camera->isRunning() || WebCamUsable(m_settings.WebCamMode != kDeviceOff))
        m_camera->stop();
    if (m_scannerReady)
        m_scanner->closeSource();
}

void LabelDataWindow::done(int result) {
    shutDownDevices();
    QDialog::done(result);
}

StationError OpenLabelData(int labelIndex, QWidget* owner) {
    return OpenLabelData(labelIndex, owner, checkInServices());
}

StationError OpenLabelData(int labelIndex, QWidget* owner, const CheckInServices& services) {
    LabelDataWindow window(owner, services);
    if (StationError e = window.InitLabelData(labelIndex); e.isError())
        return e;
    window.exec();
    return {};
}

} // namespace zelkora
