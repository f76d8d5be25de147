#pragma once

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zelkora {

// The password window "frmPassword": collects the administrator password, decides nothing.
// Enter anywhere in the window acts as OK, Escape as Cancel.
class PasswordWindow final : public QDialog {
    Q_OBJECT
public:
    explicit PasswordWindow(QWidget* parent = nullptr);

    // The text typed into txtPassword.
    QString password() const;

    void done(int result) override;

private:
    QLabel* m_label;
    QLineEdit* m_text;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QLabel* m_footer;
};

// Shows frmPassword modally over `owner`: the typed text after OK, nullopt after Cancel.
std::optional<QString> AskAdminPassword(QWidget* owner);

// The administrator password gate as the windows call it: the "BypassVRAXPassword" setting from
// the settings store, the password asked in frmPassword over `owner`.
bool CheckAdminPassword(QWidget* owner);

} // namespace zelkora
