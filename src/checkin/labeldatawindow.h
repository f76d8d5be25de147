#pragma once

#include "checkin/checkincommit.h"
#include "checkin/checkinservices.h"
#include "checkin/entryform.h"
#include "checkin/entrylayout.h"
#include "checkin/labeldatasettings.h"

#include <QDialog>
#include <QImage>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace zelkora {

namespace controls {
class AutoSizeTextbox;
}

// The label data entry window "frmLabelData": one visit of one label type is entered here and
// committed by Check In or Check Out; Cancel (or Escape) closes it without effect. Its rules,
// layout and commit live in window-free classes; the window wires them to its controls, which
// carry the system's control names as object names.
class LabelDataWindow final : public QDialog {
    Q_OBJECT
public:
    // A window over `owner` with its own camera and scanner from `services`.
    LabelDataWindow(QWidget* owner, const CheckInServices& services);
    ~LabelDataWindow() override;

    // Configures the window for label type `labelIndex` (0..6) from freshly loaded settings;
    // must be called once before the window is shown. A settings failure is returned.
    [[nodiscard]] StationError InitLabelData(int labelIndex);

    // The window's state, for the home screen's tests and for support.
    bool scannerReady() const { return m_scannerReady; }
    bool pictureTaken() const { return m_gate && m_gate->pictureTaken(); }
    bool idScanned() const { return m_gate && m_gate->idScanned(); }
    const LabelDataLayout& layoutResult() const { return m_layout; }
    const CheckInCommit* checkInCommit() const { return m_commit.get(); }

    // Every way the window closes ends here: the camera stops, the scanner closes.
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void setUpTabOrder();
    void load();
    void applyLayout();
    void fillControls(const EntryFormPlan& plan);
    void fillQuestion(int index, const QuestionPlan& plan);
    void place(QWidget* widget, const TwipsRect& rect) const;

    void noNameClicked(bool ticked);
    void takePictureClicked();
    void webCamSettingsClicked();
    void scanIdClicked();
    void frameArrived(const QImage& frame);
    void idImageArrived(const QImage& image);
    void commitClicked(bool checkOut);
    void applyGate();
    void lockEntry(bool checkOut);
    void showPicture(QLabel* target, const QImage& image);
    void shutDownDevices();

    EntryValues entryValues() const;

    CheckInServices m_services;
    std::unique_ptr<capture::FrameSource> m_camera;
    std::unique_ptr<capture::IdScanner> m_scanner; // the window's scanner component "TwainPRO"

    LabelDataSettings m_settings;
    std::optional<CheckInButtonGate> m_gate;
    std::unique_ptr<CheckInCommit> m_commit;
    LabelDataLayout m_layout;
    std::array<AnswerControl, 2> m_answerControls{AnswerControl::Hidden, AnswerControl::Hidden};
    bool m_scannerReady = false;
    bool m_locked = false;
    bool m_closed = false;
    QImage m_photo;  // the frozen web-cam picture
    QImage m_idCard; // the last scanned ID card

    QGroupBox* frmRequiredInformation;
    QLabel* lblName;
    QComboBox* cmbName;
    QCheckBox* chkNoName;
    QLabel* lblQty;
    QLineEdit* txtQty;
    QLabel* lblBadgeName;
    controls::AutoSizeTextbox* txtBadgeName;
    QLabel* lblMessageBoard;
    QLabel* txtMessageBoard;
    QLabel* lblWebCam;
    QLabel* picWebCam2;
    QPushButton* cmdTakePicture;
    QToolButton* pctWebCamSettings;
    QGroupBox* frmOptionalData;
    QLabel* lblField1;
    QLabel* lblField2;
    QComboBox* cmbField1Answer;
    QComboBox* cmbField2Answer;
    QLineEdit* txtInfo1Answer;
    QLineEdit* txtInfo2Answer;
    QPushButton* cmdScanID;
    QCheckBox* chkAdvSettings;
    QLabel* picIDCard;
    QFrame* fraButtonControls;
    QPushButton* cmdCheckIn;
    QPushButton* cmdCheckOut;
    QPushButton* cmdCancel;
};

// The home screen's label-type button: creates the entry window for label type `labelIndex`
// over `owner`, configures it and shows it modally until it closes. A window whose settings
// cannot be read is not shown; the error is returned for the caller to report. The first form
// uses the program's services (checkInServices()).
[[nodiscard]] StationError OpenLabelData(int labelIndex, QWidget* owner);
[[nodiscard]] StationError OpenLabelData(int labelIndex, QWidget* owner,
                                         const CheckInServices& services);

} // namespace zelkora
