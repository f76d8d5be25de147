#pragma once

#include "checkout/timecapture.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zelkora {

// The time capture dialog "frmTimeCapture" (title "Time Capture"): shows the minutes since
// check-in as hours and minutes for the receptionist to confirm or correct. Ok checks the entry
// (TimeCapture::Ok); Cancel, Escape and the close box give 0. The result is CapturedMinutes().
class TimeCaptureWindow final : public QDialog {
    Q_OBJECT
public:
    explicit TimeCaptureWindow(QWidget* owner = nullptr);

    // Stores `totalMinutes` as the upper limit and fills the fields; call before showing.
    void InitForm(qint16 totalMinutes);

    // The dialog's result once it has closed: the accepted minutes, 0 when cancelled.
    qint16 capturedMinutes() const { return m_captured; }

    void done(int result) override;

private:
    void okClicked();

    TimeCapture m_capture;
    qint16 m_captured = 0;

    QLabel* lblInstructions;
    QLabel* lblHours;
    QLineEdit* txtHours;
    QLabel* lblMinutes;
    QLineEdit* txtMinutes;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QLabel* pctFooter;
};

// Shows the time capture dialog modally over `owner` with `elapsed` minutes proposed and returns
// the minutes after check-in the user accepted, 0 when cancelled (also in CapturedMinutes()).
qint16 CaptureTime(QWidget* owner, qint16 elapsed);

} // namespace zelkora
