#include "app/gui/passwordwindow.h"

#include "app/core/passwordgate.h"
#include "app/core/resources.h"
#include "app/gui/formplacement.h"
#include "app/gui/resourcepicture.h"
#include "settings/settingsstore.h"
#include "util/twips.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelkora {

namespace {

// Design size of the client area, in twips.
constexpr int kScaleWidth = 5985;
constexpr int kScaleHeight = 2970;
// Buttons large enough for a finger.
constexpr int kTouchHeight = 40;

// Shows "*" for each character typed, whatever the platform's password character is.
class StarPasswordStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

PasswordWindow::PasswordWindow(QWidget* parent)
    : QDialog(parent)
    , m_label(new QLabel(QStringLiteral("Password:"), this))
    , m_text(new QLineEdit(this))
    , m_ok(new QPushButton(QStringLiteral("OK"), this))
    , m_cancel(new QPushButton(QStringLiteral("Cancel"), this))
    , m_footer(new QLabel(this)) {
    setObjectName(QStringLiteral("frmPassword"));
    setWindowTitle(QStringLiteral("Password Required"));
    setModal(true);

    m_label->setObjectName(QStringLiteral("lblPassword"));
    m_label->setBuddy(m_text);
    m_text->setObjectName(QStringLiteral("txtPassword"));
    m_text->setEchoMode(QLineEdit::Password);
    // Created after the text box, with the window as parent, so it outlives the text box.
    auto* style = new StarPasswordStyle();
    style->setParent(this);
    m_text->setStyle(style);
    m_text->setAccessibleName(QStringLiteral("Administrator password"));
    m_text->setMinimumHeight(kTouchHeight);

    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setAccessibleName(QStringLiteral("OK: check the password"));
    m_ok->setDefault(true);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cancel->setAccessibleName(QStringLiteral("Cancel"));
    // Enter on Cancel must still mean OK: only the default button takes Enter.
    m_cancel->setAutoDefault(false);
    for (QPushButton* button : {m_ok, m_cancel}) {
        button->setMinimumSize(96, kTouchHeight);
    }

    m_footer->setObjectName(QStringLiteral("picFooter"));
    m_footer->setAccessibleName(QStringLiteral("Footer picture"));
    m_footer->setScaledContents(true);
    m_footer->setFixedHeight(24);

    auto* entry = new QHBoxLayout;
    entry->addWidget(m_label);
    entry->addWidget(m_text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* content = new QVBoxLayout;
    content->setContentsMargins(16, 16, 16, 12);
    content->setSpacing(12);
    content->addLayout(entry);
    content->addStretch(1);
    content->addLayout(buttons);
    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(0, 0, 0, 0);
    window->setSpacing(0);
    window->addLayout(content, 1);
    window->addWidget(m_footer);

    setTabOrder(m_text, m_ok);
    setTabOrder(m_ok, m_cancel);
    m_text->setFocus();

    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    LoadCaptions(this);
    SetResourcePicture(m_footer, BitmapSmallDialog);
    const QSize design(twipsToPixels(kScaleWidth, TwipsPerPixelX(this)),
                       twipsToPixels(kScaleHeight, TwipsPerPixelY(this)));
    resize(design.expandedTo(minimumSizeHint()));
    GetFormPosition(this, kScaleWidth, kScaleHeight);
}

QString PasswordWindow::password() const {
    return m_text->text();
}

void PasswordWindow::done(int result) {
    StoreFormPosition(this);
    QDialog::done(result);
}

std::optional<QString> AskAdminPassword(QWidget* owner) {
    PasswordWindow window(owner);
    if (window.exec() != QDialog::Accepted)
        return std::nullopt;
    return window.password();
}

bool CheckAdminPassword(QWidget* owner) {
    return CheckAdminPassword(
        GetSetting(QLatin1String(kBypassPasswordSetting), QStringLiteral("0")),
        [owner] { return AskAdminPassword(owner); });
}

} // namespace zelkora
