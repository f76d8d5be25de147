#include "app/gui/aboutwindow.h"

#include "app/gui/formplacement.h"
#include "app/gui/splashwindow.h"
#include "util/product.h"
#include "util/twips.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelkora {

namespace {

// Design size of the client area, in twips.
constexpr int kScaleWidth = 5955;
constexpr int kScaleHeight = 4005;
constexpr int kLogoSize = 64;
constexpr int kTouchHeight = 40;

// A plain logo: the program's initial on a tinted square.
QPixmap plainLogo() {
    QPixmap pixmap(kLogoSize, kLogoSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0x1f, 0x4e, 0x79));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(pixmap.rect(), 10, 10);
    QFont font = painter.font();
    font.setPixelSize(kLogoSize * 3 / 5);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, QString::fromLatin1(kProgramTitle).left(1));
    return pixmap;
}

} // namespace

AboutWindow::AboutWindow(QWidget* parent)
    : QDialog(parent)
    , m_logo(new QLabel(this))
    , m_title(new QLabel(this))
    , m_description(new QLabel(QStringLiteral("App Description"), this))
    , m_version(new QLabel(this))
    , m_ok(new QPushButton(QStringLiteral("OK"), this)) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Orv"));
    setModal(true);

    m_logo->setObjectName(QStringLiteral("imgLogo"));
    m_logo->setAccessibleName(QStringLiteral("Logo"));
    m_logo->setFixedSize(kLogoSize, kLogoSize);
    m_logo->setAlignment(Qt::AlignCenter);
    QPixmap logo = StationPicture(QLatin1String(kAboutLogoFile));
    if (logo.isNull())
        logo = plainLogo();
    else
        logo = logo.scaled(m_logo->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_logo->setPixmap(logo);

    m_title->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = m_title->font();
    titleFont.setPointSize(16);
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    m_description->setObjectName(QStringLiteral("lblDescription"));
    m_description->setProperty("tag", QStringLiteral("1050"));
    m_description->setWordWrap(true);
    m_version->setObjectName(QStringLiteral("lblVersion"));

    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setAccessibleName(QStringLiteral("OK: close the about box"));
    m_ok->setDefault(true);
    m_ok->setMinimumSize(96, kTouchHeight);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(8);
    texts->addWidget(m_title);
    texts->addWidget(m_description);
    texts->addWidget(m_version);
    texts->addStretch(1);
    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(m_logo, 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(16, 16, 16, 16);
    window->addLayout(top, 1);
    window->addLayout(buttons);
    m_ok->setFocus();

    LoadCaptions(this);
    m_version->setText(VersionLine());
    m_title->setText(QString::fromLatin1(kProgramTitle));
    const QSize design(twipsToPixels(kScaleWidth, TwipsPerPixelX(this)),
                       twipsToPixels(kScaleHeight, TwipsPerPixelY(this)));
    resize(design.expandedTo(minimumSizeHint()));
    GetFormPosition(this, kScaleWidth, kScaleHeight);
}

void AboutWindow::done(int result) {
    StoreFormPosition(this);
    QDialog::done(result);
}

void ShowAbout(QWidget* owner) {
    AboutWindow window(owner);
    window.exec();
}

} // namespace zelkora
