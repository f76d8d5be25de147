#include "checkin/checkincommit.h"

#include "app/core/log.h"
#include "app/core/message.h"
#include "app/core/sharedroutines.h"
#include "app/core/stationfolder.h"
#include "capture/picturefiles.h"
#include "db/accessdatabase.h"
#include "settings/settingsstore.h"
#include "util/clock.h"

namespace zelkora {

namespace {

constexpr char kPrintFailure[] =
    "Please make sure you have a printer selected in the Default Settings screen.";
constexpr char kPrintFailureTitle[] = "An error occurred while printing.";

db::Parameter text(const char* name, const QString& value) {
    return {QLatin1String(name), db::ParamVarChar, kTextColumnSize, value};
}

db::Parameters addLabelParameters(qint32 typeId, const EntryValues& entry, const QDateTime& when,
                                  const QString& atCheckout1, const QString& atCheckout2) {
    db::Parameters p{{QStringLiteral("@TypeID"), db::ParamInteger, 4, typeId},
                     text("@BadgeName", entry.badgeName),
                     text("@Name", entry.name),
                     {QStringLiteral("@LogInTime"), db::ParamTimeStamp, 8, when},
                     text("@Field1", entry.answers[0]),
                     text("@Field2", entry.answers[1])};
    for (const char* unused : {"@Field3", "@Field4", "@Field5", "@Field6", "@Field7", "@Field8"})
        p.append(text(unused, QString()));
    p.append(text("@Field9", atCheckout1));
    p.append(text("@Field10", atCheckout2));
    return p;
}

} // namespace

CheckInCommit::CheckInCommit(LabelDataSettings settings, BadgePrinter* printer, PaperSelector paper)
    : m_settings(std::move(settings))
    , m_printer(printer)
    , m_paper(std::move(paper)) {}

CheckInCommit::Outcome CheckInCommit::run(bool checkOut, const EntryValues& entry,
                                          const EntryPictures& pictures) {
    if (!m_visit) {
        const EntryValidation validation = ValidateEntry(m_settings, entry);
        if (!validation.ok()) {
            ShowMessage(validation.message, MsgOk | MsgExclamation);
            return Outcome::Invalid;
        }
        // One time for the log-in, the log-out and the printed date.
        const QDateTime when = Clock::current().now();

        if (entry.noName) {
            // A nameless label is only printed: nothing is stored, no picture saved.
            if (!m_settings.PrintLabel)
                return Outcome::Done;
            fillReportInfo(entry, when, 0, validation.quantity);
            if (StationError e = print(); e.isError())
                return fail(e);
            return Outcome::Done;
        }

        WriteLog(QStringLiteral("About the insert Data."));
        qint32 badgeId = 0;
        if (StationError e = storeVisit(checkOut, entry, when, &badgeId); e.isError())
            return fail(e);
        WriteLog(QStringLiteral("Badge ID is ") + QString::number(badgeId) + QStringLiteral("."));
        m_visit = StoredVisit{when, badgeId, checkOut, entry, pictures, validation.quantity};
    }

    StoredVisit& visit = *m_visit;
    if (StationError e = savePictures(visit); e.isError())
        return fail(e);
    if (!m_settings.PrintLabel)
        return Outcome::Done;
    fillReportInfo(visit.entry, visit.commitTime, visit.badgeId, visit.quantity);
    if (StationError e = print(); e.isError())
        return fail(e);
    return Outcome::Done;
}

StationError CheckInCommit::storeVisit(bool checkOut, const EntryValues& entry,
                                       const QDateTime& when, qint32* badgeId) const {
    const QString atCheckout1 =
        m_settings.questions[0].DisplayAtCheckout ? entry.answers[0] : QString();
    const QString atCheckout2 =
        m_settings.questions[1].DisplayAtCheckout ? entry.answers[1] : QString();
    // The visit and its check-out are one step: a Check Out never leaves an open visit behind.
    return db::RunInTransaction([&]() -> StationError {
        db::ExecResult added;
        if (StationError e = db::RunSP(
                QStringLiteral("qAddLabel"),
                addLabelParameters(m_settings.labelIndex, entry, when, atCheckout1, atCheckout2),
                &added);
            e.isError())
            return e;
        // The ID this insert handed back, not the highest ID: another station may have added a
        // row at the same moment.
        *badgeId = added.returnedId.isNull() ? 0 : added.returnedId.toInt();
        if (!checkOut)
            return {};
        return db::RunSP(QStringLiteral("qLogOut"),
                         {{QStringLiteral("@LogOutTime"), db::ParamTime, 8, when},
                          {QStringLiteral("@ID"), db::ParamInteger, 4, *badgeId}});
    });
}

StationError CheckInCommit::savePictures(StoredVisit& visit) {
    const QString stem = GetAppPath() + QStringLiteral("photos/") + QString::number(visit.badgeId) +
                         QLatin1Char('_') + StripFileNameChars(visit.entry.name);
    if (visit.pictures.pictureTaken && !visit.photoDone) {
        if (visit.pictures.photo.isNull()) {
            // A frozen picture of a camera that never delivered a frame: nothing to keep.
            WriteLog(QStringLiteral("No web-cam frame to save."));
        } else {
            const QString path = stem + QStringLiteral(".jpg");
            capture::CreateFolders(path);
            if (StationError e = capture::SaveJpeg(visit.pictures.photo, path); e.isError())
                return e;
            m_photoPath = path;
        }
        visit.photoDone = true;
    }
    if (visit.pictures.idScanned && !visit.idDone) {
        QString path;
        if (!m_photoPath.isEmpty()) {
            path = m_photoPath;
            path.replace(QStringLiteral(".jpg"), QStringLiteral("_ID.jpg"));
        } else {
            path = stem + QStringLiteral("_ID.jpg");
            capture::CreateFolders(path);
        }
        if (StationError e = capture::SaveJpeg(visit.pictures.idCard, path); e.isError())
            return e;
        visit.idDone = true;
    }
    return {};
}

void CheckInCommit::fillReportInfo(const EntryValues& entry, const QDateTime& when, qint32 badgeId,
                                   qint32 quantity) {
    clsReportInfo info;
    info.BadgeName = entry.badgeName;
    info.PersonsName = entry.noName ? QString() : entry.name;
    info.CompanyName = m_settings.CompanyName;
    info.PrintDate = when;
    info.BadgeID = badgeId;
    info.StyleID = 0;
    info.BadgeCount = quantity;
    info.TypeID = m_settings.labelIndex;
    info.ForceUppercase = m_settings.ForceCase;
    info.ImagePath = imagePath();
    info.PrintedInfo1 = m_settings.questions[0].Printed ? entry.answers[0] : QString();
    info.PrintedInfo2 = m_settings.questions[1].Printed ? entry.answers[1] : QString();
    m_info = info;
}

QString CheckInCommit::imagePath() const {
    if (m_settings.IncludeGraphic) {
        const QString stem = GetAppPath() + QString::number(m_settings.labelNumber);
        for (const char* extension : {".jpg", ".jpeg", ".bmp"}) {
            const QString candidate = stem + QLatin1String(extension);
            if (FileExists(candidate))
                return candidate;
        }
        // Not checked: the report prints without a picture when it is missing.
        return stem + QStringLiteral(".wmf");
    }
    if (m_settings.UseWebcamImage)
        return m_photoPath;
    return {};
}

StationError CheckInCommit::print() {
    if (!m_printer)
        return {482, QStringLiteral("Printer error"), QStringLiteral("CheckInCommit")};
    printing::PrinterSettings printer;
    printer.deviceName = m_settings.Printer;
    if (m_paper) {
        if (StationError e =
                m_paper(m_settings.PrinterPaperRoll, m_settings.PrinterPaperSize, printer);
            e.isError())
            return e;
    }
    const bool preview = GetSetting(QLatin1String(kShowLabelReportSetting), QStringLiteral("0")) !=
                         QLatin1String("0");
    return m_printer->printBadge(m_info, printer, preview);
}

CheckInCommit::Outcome CheckInCommit::fail(const StationError& error) {
    // The cause stays in the log for support staff; the desk sees the printer hint.
    WriteLog(QStringLiteral("Check-in failed: ") + QString::number(error.number) +
             QStringLiteral(" ") + error.description + QStringLiteral(" (") + error.source +
             QLatin1Char(')'));
    ShowMessage(QLatin1String(kPrintFailure), MsgOk | MsgCritical,
                QLatin1String(kPrintFailureTitle));
    return Outcome::Failed;
}

} // namespace zelkora
