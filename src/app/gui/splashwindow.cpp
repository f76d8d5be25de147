#include "app/gui/splashwindow.h"

#include "app/core/stationfolder.h"
#include "app/gui/formplacement.h"
#include "util/product.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace zelkora {

namespace {

constexpr int kSplashInterval = 2000;

// A plain splash panel with the program title, for a station without its splash picture.
QPixmap plainSplash() {
    QPixmap pixmap(kSplashPictureWidth, kSplashPictureHeight);
    QPainter painter(&pixmap);
    QLinearGradient band(0, 0, 0, pixmap.height());
    band.setColorAt(0, QColor(0x1f, 0x4e, 0x79));
    band.setColorAt(1, QColor(0x12, 0x2e, 0x48));
    painter.fillRect(pixmap.rect(), band);
    QFont font = painter.font();
    font.setPointSize(40);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, QString::fromLatin1(kProgramTitle));
    return pixmap;
}

} // namespace

QString VersionLine() {
    return QStringLiteral("Version ") + QString::number(ZELKORA_VERSION_MAJOR) + QLatin1Char('.') +
           QString::number(ZELKORA_VERSION_MINOR) + QLatin1Char('.') +
           QString::number(ZELKORA_VERSION_PATCH);
}

QPixmap StationPicture(const QString& fileName) {
    QPixmap pixmap;
    for (const QString& folder : {GetAppPath(), InstalledDataPath()}) {
        if (pixmap.load(folder + fileName))
            break;
    }
    return pixmap;
}

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , m_frame(new QFrame(this))
    , m_picture(new QLabel(m_frame))
    , m_platform(new QLabel(QStringLiteral("Platform"), m_frame))
    , m_version(new QLabel(QStringLiteral("Version"), m_frame))
    , m_timer(new QTimer(this)) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QString::fromLatin1(kProgramTitle));
    setAccessibleName(QStringLiteral("Zelkora is starting"));

    m_frame->setObjectName(QStringLiteral("fraMainFrame"));
    m_frame->setFrameShape(QFrame::Box);
    m_frame->setFrameShadow(QFrame::Plain);

    m_picture->setObjectName(QStringLiteral("pctSplash"));
    m_picture->setFixedSize(kSplashPictureWidth, kSplashPictureHeight);
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setAccessibleName(QStringLiteral("Splash picture"));
    QPixmap picture = StationPicture(QLatin1String(kSplashPictureFile));
    if (picture.isNull())
        picture = plainSplash();
    else if (picture.size() != m_picture->size())
        picture = picture.scaled(m_picture->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_picture->setPixmap(picture);

    m_platform->setObjectName(QStringLiteral("lblPlatform"));
    m_platform->setProperty("tag", QStringLiteral("1050"));
    QFont platformFont = m_platform->font();
    platformFont.setPointSize(14);
    platformFont.setBold(true);
    m_platform->setFont(platformFont);
    m_version->setObjectName(QStringLiteral("lblVersion"));
    m_version->setProperty("tag", QStringLiteral("1047"));
    m_version->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* captions = new QHBoxLayout;
    captions->addWidget(m_platform);
    captions->addStretch(1);
    captions->addWidget(m_version);
    auto* inner = new QVBoxLayout(m_frame);
    inner->setContentsMargins(8, 8, 8, 8);
    inner->addWidget(m_picture);
    inner->addLayout(captions);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_frame);

    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(kSplashInterval);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &SplashWindow::tick);

    LoadCaptions(this);
    m_version->setText(VersionLine());
    adjustSize();
}

void SplashWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    m_timer->start();
    if (const QScreen* area = screen() ? screen() : QGuiApplication::primaryScreen()) {
        const QRect geometry = area->geometry();
        move(geometry.x() + (geometry.width() - width()) / 2,
             geometry.y() + (geometry.height() - height()) / 2);
    }
}

void SplashWindow::tick() {
    m_timer->stop();
    close();
}

} // namespace zelkora
