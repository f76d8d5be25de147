#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace zelkora {

// The logo of the about box, relative to the station folder; a plain monogram stands in when it
// is missing.
inline constexpr char kAboutLogoFile[] = "artwork/AppIcon.png";

// The about box "frmAbout": program title, product line and version line. OK, Enter or Escape
// closes it; closing stores its position.
class AboutWindow final : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);

    void done(int result) override;

private:
    QLabel* m_logo;
    QLabel* m_title;
    QLabel* m_description;
    QLabel* m_version;
    QPushButton* m_ok;
};

// Shows frmAbout modally over `owner` until it is closed.
void ShowAbout(QWidget* owner);

} // namespace zelkora
