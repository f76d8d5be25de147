#pragma once

#include "checkin/printing/report.h"
#include "util/error.h"

#include <QDateTime>
#include <QList>
#include <QPageLayout>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <functional>
#include <optional>

class QPainter;
class QPaintDevice;

namespace zelkora {

// The rows a summary report shows: the caller's ordered select ("?" placeholders) and its bound
// values. The report never copies every row: it counts and totals the rows with one aggregate
// over this select and reads only the rows of the pages it paints (LIMIT/OFFSET appended), so
// the select must not end in a LIMIT of its own. A trailing ";" is allowed.
struct SummaryQuery {
    QString sql;
    QVariantList values;
};

// What the two summary reports share: the page header with the title, the company and the
// criteria, the boxed two-line headings, the detail rows with their ruled lines and the page
// footer "Page N" / "Report Date: ...", on a portrait Letter page with a fixed number of rows
// per page.
class SummaryReport : public printing::Report {
public:
    // Detail rows on each page.
    static constexpr int kRowsPerPage = 19;

    // CompanyName: printed in the page header.
    void setCompanyName(QString name) { m_companyName = std::move(name); }
    const QString& companyName() const { return m_companyName; }
    // ParameterValues: the multi-line criteria text; the report-start event makes an empty one
    // "None".
    void setParameterValues(QString text) { m_parameterValues = std::move(text); }
    const QString& parameterValues() const { return m_parameterValues; }
    void setQuery(SummaryQuery query) { m_query = std::move(query); }
    const SummaryQuery& query() const { return m_query; }

    // Called before each page is painted with the page (from 0) and the page count; returning
    // false cancels the rendering (error kErrCancelled).
    using ProgressHandler = std::function<bool(int page, int pageCount)>;
    void setProgressHandler(ProgressHandler handler) { m_progress = std::move(handler); }

    // Error number of a rendering cancelled through the progress handler.
    static constexpr long kErrCancelled = 18; // "User interrupt occurred"

    // Portrait Letter, the 10620-twip wide design centred across it.
    QPageLayout pageLayout() const override;
    // Report start: orientation portrait, "None" for empty criteria, the report date fixed
    // (Clock::current()), the rows counted and totalled with one aggregate over the query.
    StationError start(QPaintDevice& device) override;
    // Paints page `index`, reading only its rows (pages are read a few at a time and kept).
    bool paintPage(int index, QPainter& painter, StationError* error) override;
    // Known after start(): rows / kRowsPerPage rounded up, at least 1, plus a page when the
    // group footer does not fit after the last row.
    std::optional<int> pageCount() const override;

    // After start(): the number of rows of the query.
    qint64 rowCount() const { return m_rowCount; }
    // The orientation the report-start event gives the printer: 1, portrait.
    static constexpr int kOrientation = 1;

protected:
    // One detail row as the detail format event leaves it: the texts of its fields.
    struct Row {
        QString id, name, badgeName, logInTime, logOutTime, elapsed, field1, field2;
    };
    // The design's differences between the two reports.
    struct Design {
        QString title;      // lblReportTitle
        double titleWidth;  // twips
        double schoolWidth; // lblSchoolName
        double schoolHeight;
        double paramsLabelLeft; // lblParams
        double paramsLeft;      // txtParams
        double paramsWidth;
        bool elapsedColumns; // "Signed Out" / "Elapsed" and the group footer
    };

    SummaryReport(Design design, QString companyName, QString parameterValues, SummaryQuery query);

    // The detail format event: turns one row of the query, its bound columns in the order of
    // columnNames(), into the texts of its fields.
    virtual Row formatRow(const QVariantList& values) const = 0;
    // The query's columns the detail binds, in the order formatRow() receives them.
    virtual QStringList columnNames() const = 0;
    // The text of the group footer's total, empty when the report has no group footer.
    virtual QString totalText() const { return {}; }
    // The sum of `Minutes` over all rows, after start() (label summary only).
    qint64 totalMinutes() const { return m_totalMinutes; }

private:
    StationError readPages(int firstPage, int pages);
    void paintHeader(QPainter& painter, int index) const;
    void paintRow(QPainter& painter, const Row& row, double top) const;
    void paintGroupFooter(QPainter& painter, double top) const;
    void paintFooter(QPainter& painter, int index) const;

    Design m_design;
    QString m_companyName;
    QString m_parameterValues;
    SummaryQuery m_query;
    ProgressHandler m_progress;
    QDateTime m_reportDate;
    qint64 m_rowCount = 0;
    qint64 m_totalMinutes = 0;
    bool m_started = false;
    // The pages read last: page m_cacheFirst onwards, kRowsPerPage rows each.
    int m_cacheFirst = -1;
    QList<QList<Row>> m_cache;
};

// rptLabelSummary: any visits, with check-out time, elapsed minutes and the total. The query
// must return the columns of qLabelSummaryReport: ID, Name, BadgeName, LogInTime, LogOutTime,
// Minutes, Field1, Field2 (others are ignored).
class rptLabelSummary final : public SummaryReport {
public:
    rptLabelSummary(QString companyName = {}, QString parameterValues = {},
                    SummaryQuery query = {});

    // The preview's caption, "Orv School Security Summary Report".
    static QString caption();
    // The group footer's total: "45 minutes", "1 hours 0 minutes", "2 hours 15 minutes".
    static QString FormatTotal(qint64 minutes);

protected:
    Row formatRow(const QVariantList& values) const override;
    QStringList columnNames() const override;
    QString totalText() const override;
};

// rptCheckoutSummary: the open visits of the check-out window. The query must return the
// columns of the check-out window's query: ID, "Badge Name", Name, "Check In", "Info1",
// "Info2" (others are ignored).
class rptCheckoutSummary final : public SummaryReport {
public:
    rptCheckoutSummary(QString companyName = {}, QString parameterValues = {},
                       SummaryQuery query = {});

    // The preview's caption, "Orv School Checkout Summary Report".
    static QString caption();

protected:
    Row formatRow(const QVariantList& values) const override;
    QStringList columnNames() const override;
};

// The date formats of the detail rows: "mm/dd/yy hh:mm AMPM" ("03/04/26 02:05 PM") and
// "hh:mm AMPM" ("02:05 PM"); a value that is no date gives its own text, a null nothing.
QString SummaryDateTimeText(const QVariant& stored);
QString SummaryTimeText(const QVariant& stored);

} // namespace zelkora
