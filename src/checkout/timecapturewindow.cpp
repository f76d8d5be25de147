#include "checkout/timecapturewindow.h"

#include "app/core/log.h"
#include "app/core/resources.h"
#include "app/gui/formplacement.h"
#include "app/gui/resourcepicture.h"
#include "util/twips.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelkora {

namespace {

// Design size of the window, in twips.
constexpr int kScaleWidth = 5895;
constexpr int kScaleHeight = 3255;
// Controls large enough for a finger.
constexpr int kTouchHeight = 40;

QLineEdit* makeNumberField(const char* name, const QString& spoken, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setAccessibleName(spoken);
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    field->setInputMethodHints(Qt::ImhFormattedNumbersOnly);
    field->setMinimumHeight(kTouchHeight);
    field->setMaximumWidth(120);
    return field;
}

} // namespace

TimeCaptureWindow::TimeCaptureWindow(QWidget* owner)
    : QDialog(owner)
    , lblInstructions(new QLabel(QLatin1String(kTimeCaptureInstructions), this))
    , lblHours(new QLabel(QStringLiteral("Hours"), this))
    , txtHours(makeNumberField("txtHours", QStringLiteral("Hours"), this))
    , lblMinutes(new QLabel(QStringLiteral("Minutes"), this))
    , txtMinutes(makeNumberField("txtMinutes", QStringLiteral("Minutes"), this))
    , cmdOK(new QPushButton(QStringLiteral("Ok"), this))
    , cmdCancel(new QPushButton(QStringLiteral("Cancel"), this))
    , pctFooter(new QLabel(this)) {
    setObjectName(QStringLiteral("frmTimeCapture"));
    setWindowTitle(QStringLiteral("Time Capture"));
    setModal(true);

    lblInstructions->setObjectName(QStringLiteral("lblInstructions"));
    lblInstructions->setWordWrap(true);
    lblInstructions->setTextFormat(Qt::PlainText);
    lblHours->setObjectName(QStringLiteral("lblHours"));
    lblHours->setBuddy(txtHours);
    lblMinutes->setObjectName(QStringLiteral("lblMinutes"));
    lblMinutes->setBuddy(txtMinutes);

    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setAccessibleName(QStringLiteral("Ok: check out after this time"));
    cmdOK->setDefault(true);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAccessibleName(QStringLiteral("Cancel: do not check out"));
    // Enter means Ok wherever the focus is; only the default button takes it.
    cmdCancel->setAutoDefault(false);
    for (QPushButton* button : {cmdOK, cmdCancel})
        button->setMinimumSize(96, kTouchHeight);

    pctFooter->setObjectName(QStringLiteral("pctFooter"));
    pctFooter->setAccessibleName(QStringLiteral("Footer picture"));
    pctFooter->setScaledContents(true);
    pctFooter->setFixedHeight(24);

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(10);
    fields->setVerticalSpacing(8);
    fields->addWidget(lblHours, 0, 0);
    fields->addWidget(txtHours, 0, 1);
    fields->addWidget(lblMinutes, 1, 0);
    fields->addWidget(txtMinutes, 1, 1);
    fields->setColumnStretch(2, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addStretch(1);
    auto* middle = new QHBoxLayout;
    middle->addLayout(fields, 1);
    middle->addLayout(buttons);
    auto* content = new QVBoxLayout;
    content->setContentsMargins(16, 14, 16, 12);
    content->setSpacing(12);
    content->addWidget(lblInstructions);
    content->addLayout(middle, 1);
    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(0, 0, 0, 0);
    window->setSpacing(0);
    window->addLayout(content, 1);
    window->addWidget(pctFooter);

    setTabOrder(txtHours, txtMinutes);
    setTabOrder(txtMinutes, cmdOK);
    setTabOrder(cmdOK, cmdCancel);

    connect(cmdOK, &QPushButton::clicked, this, &TimeCaptureWindow::okClicked);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    LoadCaptions(this);
    WriteLog(QStringLiteral("About to LoadLabelTypes."));
    WriteLog(QStringLiteral("About to GetFormPosition."));
    const QSize design(twipsToPixels(kScaleWidth, TwipsPerPixelX(this)),
                       twipsToPixels(kScaleHeight, TwipsPerPixelY(this)));
    resize(design.expandedTo(minimumSizeHint()));
    GetFormPosition(this, kScaleWidth, kScaleHeight);
    WriteLog(QStringLiteral("About to LoadFooter."));
    SetResourcePicture(pctFooter, BitmapSmallDialog);
}

void TimeCaptureWindow::InitForm(qint16 totalMinutes) {
    m_capture.InitForm(totalMinutes);
    txtHours->setText(m_capture.hoursText());
    txtMinutes->setText(m_capture.minutesText());
    txtHours->setFocus();
    txtHours->selectAll();
}

void TimeCaptureWindow::okClicked() {
    const std::optional<qint16> result = m_capture.Ok(txtHours->text(), txtMinutes->text());
    if (!result)
        return; // stays open for correction, the entry as typed
    // An accepted entry, or 0 after Cancel in one of the range messages: either way it closes.
    m_captured = *result;
    accept();
}

void TimeCaptureWindow::done(int result) {
    // Every way out but an accepted entry (Cancel, Escape, the close box) gives 0.
    if (result != QDialog::Accepted)
        m_captured = TimeCapture::Cancel();
    StoreFormPosition(this);
    QDialog::done(result);
}

qint16 CaptureTime(QWidget* owner, qint16 elapsed) {
    TimeCaptureWindow window(owner);
    window.InitForm(elapsed);
    window.exec();
    return window.capturedMinutes();
}

} // namespace zelkora
