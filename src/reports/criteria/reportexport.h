#pragma once

#include "reports/criteria/reportcriteria.h"
#include "util/error.h"

#include <QByteArray>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <vector>

namespace zelkora::reports {

// The export file's name in the chosen folder.
inline constexpr char kExportFileName[] = "Orv_Security.txt";

// The columns of qLabelSummaryReport the export writes, in file order.
QString ExportColumns();
// The first line of the file, with its CR LF.
QByteArray ExportHeaderLine();
// `folder` with a "/" added when it has none at its end, then "Orv_Security.txt".
QString ExportFilePath(const QString& folder);

// Writes stored date texts ("YYYY-MM-DD HH:MM:SS") in the general date form, as generalDate()
// does, without building a date object per value: the system's formats are read once.
class GeneralDateWriter {
public:
    GeneralDateWriter();
    // The same for another locale and formats (Qt's format letters): date, a blank, time.
    GeneralDateWriter(const QLocale& locale, const QString& dateFormat, const QString& timeFormat);
    // Appends the general date form of `stored` to `out`; a text that is no stored date is
    // appended as it is.
    void append(const QString& stored, QString& out) const;

private:
    struct Token {
        enum Kind {
            Literal,
            Year2,
            Year4,
            Month,
            Month2,
            MonthShort,
            MonthLong,
            Day,
            Day2,
            DayShort,
            DayLong,
            Hour12,
            Hour12_2,
            Hour24,
            Hour24_2,
            Minute,
            Minute2,
            Second,
            Second2,
            AmPm,
            AmPmLower
        } kind;
        QString text;
    };
    std::vector<Token> m_tokens;
    bool m_fallback = false; // the formats hold fields this writer does not know
    QLocale m_locale;
    QString m_dateFormat;
    QString m_timeFormat;
    QString m_am;
    QString m_pm;
    QStringList m_monthNames[2]; // short, long; index month - 1
    QStringList m_dayNames[2];   // short, long; index day of week - 1
};

// Told how many rows were written so far (and the total when known, else -1); returning false
// cancels the export.
using ExportProgress = std::function<bool(qint64 rowsWritten, qint64 rowsTotal)>;

struct ExportOutcome {
    StationError error;     // a database or file error; nothing was written
    bool cancelled = false; // stopped through the progress callback; nothing was written
    qint64 rows = 0;        // rows written
    QString path;           // the file
};

// Writes the rows of `query` (built with ExportColumns()) into "Orv_Security.txt" in `folder`:
// the header line, one line per row with ID, badge title, name, check-in and check-out time in
// the general date form, minutes, the two additional answers, TAB-separated, nulls as empty
// fields, each line ending in CR LF, and one more CR LF at the end. The rows are streamed through
// the data layer's forward-only reader and the file is replaced only when every row is written:
// a failed or cancelled export leaves any earlier file as it was and creates none. A TAB, CR or
// LF inside a value becomes a blank, so that every visit stays one line of eight fields.
// `progress` is called after every slice of rows.
ExportOutcome ExportReport(const ReportQuery& query, const QString& folder, qint64 rowsTotal = -1,
                           const ExportProgress& progress = {});

// The number of rows of `query` (its countSql).
StationError CountReportRows(const ReportQuery& query, qint64* rows);

} // namespace zelkora::reports
