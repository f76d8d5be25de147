#pragma once

#include <QWidget>

class QFrame;
class QLabel;
class QTimer;

namespace zelkora {

// The splash picture, relative to the station folder; a plain panel stands in when it is missing.
inline constexpr char kSplashPictureFile[] = "artwork/Splash.png";
// Size of the splash picture, in pixels.
inline constexpr int kSplashPictureWidth = 520;
inline constexpr int kSplashPictureHeight = 316;

// "Version " followed by major.minor.revision of the program version.
QString VersionLine();

// The splash window "frmSplash", shown without waiting while the station starts: the product
// line and the version line. Its timer closes it 2000 ms after it is first shown, unless start-up
// closed it first.
class SplashWindow final : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);

    // Timer1: started when the window is first shown; its tick closes the window.
    QTimer* timer() const { return m_timer; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void tick();

    QFrame* m_frame;
    QLabel* m_picture;
    QLabel* m_platform;
    QLabel* m_version;
    QTimer* m_timer;
    bool m_shownOnce = false;
};

// The picture `fileName` (relative) from the station folder, so a site can replace it, else from
// the installed defaults; a null pixmap when neither holds a readable one.
QPixmap StationPicture(const QString& fileName);

} // namespace zelkora
