#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QTimer;

namespace zelkora {

// Sound files in the station folder played by the welcome window.
inline constexpr char kLoginSound[] = "LoginRFID.wav";
inline constexpr char kLogoutSound[] = "LogoutRFID.wav";
inline constexpr char kInvalidCardSound[] = "InvalidRFID.wav";

// The welcome window "frmWelcome", which confirms a card swipe. It reads the card holder name
// and the card check-in flag of the program state when it is created, starts the matching sound
// without waiting for it, and closes itself 3000 ms after it is shown. Escape or a tap closes it
// sooner.
class WelcomeWindow final : public QDialog {
    Q_OBJECT
public:
    explicit WelcomeWindow(QWidget* parent = nullptr);

    // Timer1: started when the window is shown; its tick closes the window.
    QTimer* timer() const { return m_timer; }
    // The sound file this window asked to play.
    const QString& soundPath() const { return m_soundPath; }

protected:
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void tick();

    QFrame* m_frame;
    QLabel* m_welcome;
    QLabel* m_userName;
    QTimer* m_timer;
    QString m_soundPath;
};

// Shows frmWelcome modally over `owner` until it closes itself.
void ShowWelcome(QWidget* owner);

} // namespace zelkora
