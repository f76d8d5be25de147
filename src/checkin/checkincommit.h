#pragma once

#include "checkin/entryform.h"
#include "checkin/label/reportinfo.h"
#include "checkin/labeldatasettings.h"
#include "checkin/printing/report.h"

#include <QDateTime>
#include <QImage>
#include <QString>
#include <functional>
#include <optional>

namespace zelkora {

// Sets the paper bin and paper size of a label type's printer from its roll and size choices
// (the list positions of the Default Settings dialog). `printer.deviceName` is already set; a
// choice the printer does not offer leaves its default. An error stops the print.
using PaperSelector = std::function<StationError(qint16 paperRoll, qint16 paperSize,
                                                 printing::PrinterSettings& printer)>;

// The settings store key that switches the label preview on (any value but "0").
inline constexpr char kShowLabelReportSetting[] = "ShowLabelReport";

// The pictures of the entry window at the time of the commit.
struct EntryPictures {
    bool pictureTaken = false; // a web-cam picture is frozen
    QImage photo;
    bool idScanned = false; // an ID card image arrived
    QImage idCard;
};

// The commit of Check In and Check Out: validates the entry, stores the visit with qAddLabel
// (and closes it at once for Check Out), saves its pictures in the station's "photos" folder,
// and prints the security label. One instance serves one entry window.
//
// Once the visit is stored it stays this commit's visit: a later run after a failure (pictures,
// printer) finishes the same visit and prints the same badge instead of storing another.
class CheckInCommit {
public:
    enum class Outcome {
        Invalid, // a validation message was shown; nothing was done
        Failed,  // the failure message was shown; what was done before it stays done
        Done,    // stored and printed as configured: the window closes
    };

    // `printer` may be null (nothing to print with: printing fails) and must outlive the commit;
    // an empty `paper` leaves the printer's default paper.
    CheckInCommit(LabelDataSettings settings, BadgePrinter* printer, PaperSelector paper);

    // Runs the commit for Check In (`checkOut` false) or Check Out with what the window holds.
    Outcome run(bool checkOut, const EntryValues& entry, const EntryPictures& pictures);

    // True once the visit is stored: the entry may no longer change.
    bool visitStored() const { return m_visit.has_value(); }
    // The stored visit's badge ID; 0 before it is stored and for nameless labels.
    qint32 badgeId() const { return m_visit ? m_visit->badgeId : 0; }
    // Whether the stored visit was made by Check Out.
    bool storedByCheckOut() const { return m_visit && m_visit->checkOut; }
    // The saved web-cam photo's path; empty when none was saved.
    const QString& photoPath() const { return m_photoPath; }
    // The record of the last print (or print attempt).
    const clsReportInfo& reportInfo() const { return m_info; }

private:
    struct StoredVisit {
        QDateTime commitTime;
        qint32 badgeId = 0;
        bool checkOut = false;
        EntryValues entry;
        EntryPictures pictures;
        qint32 quantity = 1;
        bool photoDone = false;
        bool idDone = false;
    };

    StationError storeVisit(bool checkOut, const EntryValues& entry, const QDateTime& when,
                            qint32* badgeId) const;
    StationError savePictures(StoredVisit& visit);
    void fillReportInfo(const EntryValues& entry, const QDateTime& when, qint32 badgeId,
                        qint32 quantity);
    QString imagePath() const;
    StationError print();
    Outcome fail(const StationError& error);

    LabelDataSettings m_settings;
    BadgePrinter* m_printer;
    PaperSelector m_paper;
    std::optional<StoredVisit> m_visit;
    QString m_photoPath;
    clsReportInfo m_info;
};

} // namespace zelkora
