#include "app/gui/welcomewindow.h"

#include "app/core/programstate.h"
#include "app/core/sound.h"
#include "app/core/stationfolder.h"
#include "util/product.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace zelkora {

namespace {

constexpr int kWelcomeInterval = 3000;
// Colour value 255: pure red, the frame of an unregistered card.
const QColor kInvalidCardColour(255, 0, 0);

} // namespace

WelcomeWindow::WelcomeWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_frame(new QFrame(this))
    , m_welcome(new QLabel(m_frame))
    , m_userName(new QLabel(m_frame))
    , m_timer(new QTimer(this)) {
    setObjectName(QStringLiteral("frmWelcome"));
    setWindowTitle(QString::fromLatin1(kProgramTitle));
    setModal(true);

    m_frame->setObjectName(QStringLiteral("frmMessage"));
    m_frame->setFrameShape(QFrame::Box);
    m_frame->setLineWidth(2);

    m_welcome->setObjectName(QStringLiteral("lblWelcome"));
    m_welcome->setAlignment(Qt::AlignCenter);
    QFont welcomeFont(QStringLiteral("Arial"));
    welcomeFont.setPointSizeF(32.25);
    welcomeFont.setBold(true);
    m_welcome->setFont(welcomeFont);

    m_userName->setObjectName(QStringLiteral("lblUserName"));
    m_userName->setAlignment(Qt::AlignCenter);
    m_userName->setWordWrap(true);
    QFont nameFont(QStringLiteral("MS Sans Serif"));
    nameFont.setPointSize(24);
    nameFont.setBold(true);
    m_userName->setFont(nameFont);

    auto* lines = new QVBoxLayout(m_frame);
    lines->setContentsMargins(24, 24, 24, 24);
    lines->setSpacing(16);
    lines->addStretch(1);
    lines->addWidget(m_welcome);
    lines->addWidget(m_userName);
    lines->addStretch(1);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_frame);

    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(kWelcomeInterval);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &WelcomeWindow::tick);

    const ProgramState& state = programState();
    QString sound;
    if (state.cardHolderName.isEmpty()) {
        m_welcome->hide();
        m_frame->setAutoFillBackground(true);
        QPalette palette = m_frame->palette();
        palette.setColor(QPalette::Window, kInvalidCardColour);
        m_frame->setPalette(palette);
        m_userName->setText(QStringLiteral("Invalid RFID Card"));
        sound = QLatin1String(kInvalidCardSound);
    } else {
        m_welcome->setText(state.cardCheckIn ? QStringLiteral("Welcome")
                                             : QStringLiteral("Good Bye"));
        // A name is shown as it was typed into the card register, never as markup.
        m_userName->setTextFormat(Qt::PlainText);
        m_userName->setText(state.cardHolderName);
        sound = QLatin1String(state.cardCheckIn ? kLoginSound : kLogoutSound);
    }
    setAccessibleName(m_welcome->isHidden()
                          ? m_userName->text()
                          : m_welcome->text() + QLatin1Char(' ') + m_userName->text());

    setMinimumSize(640, 280);
    // A long name wraps rather than pushing the window off a small screen.
    if (const QScreen* area = screen())
        setMaximumWidth(qMax(minimumWidth(), area->availableGeometry().width() - 40));
    adjustSize();

    m_soundPath = GetAppPath() + sound;
    PlaySoundAsync(m_soundPath);
}

void WelcomeWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Started on show rather than on activation: a window manager that withholds activation
    // must not leave the station behind a modal window for good.
    if (!m_timer->isActive())
        m_timer->start();
}

void WelcomeWindow::mousePressEvent(QMouseEvent* event) {
    event->accept();
    tick();
}

void WelcomeWindow::tick() {
    m_timer->stop();
    accept();
}

void ShowWelcome(QWidget* owner) {
    WelcomeWindow window(owner);
    window.exec();
}

} // namespace zelkora
