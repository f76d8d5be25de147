#include "reports/summary/summaryreport.h"

#include "db/accessdatabase.h"
#include "db/dberror.h"
#include "db/parameter.h"
#include "util/clock.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageSize>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <limits>

namespace zelkora {

namespace {

constexpr double kTwipsPerInch = 1440;
// The design is 10620 twips wide; on Letter paper (12240 twips) that leaves 810 on each side.
constexpr double kSideMargin = 810;
constexpr double kTopMargin = 720;
constexpr double kPageHeight = 15840 - 2 * kTopMargin; // the printable height of Letter
constexpr double kDesignWidth = 10620;

constexpr double kHeaderHeight = 2100;
constexpr double kRowHeight = 615;
constexpr double kGroupFooterHeight = 420;
constexpr double kFooterHeight = 360;
constexpr double kFooterTop = kPageHeight - kFooterHeight;
// The pages read by one statement: a preview paging forward or a print over many pages reads
// the rows of several pages at a time instead of skipping to each page's offset again.
constexpr int kPagesPerRead = 10;

const QString kFont = QStringLiteral("Arial");

void installFontSubstitutes() {
    if (QFont::substitutes(kFont).isEmpty())
        QFont::insertSubstitutions(kFont,
                                   {QStringLiteral("Liberation Sans"),
                                    QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")});
}

QFont font(double points, bool bold = false, bool italic = false) {
    QFont f(kFont);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

// Twips to device pixels, from the section's top left.
struct Scale {
    double x;
    double y;
    explicit Scale(const QPaintDevice& device)
        : x(device.logicalDpiX() / kTwipsPerInch)
        , y(device.logicalDpiY() / kTwipsPerInch) {}
    QRectF rect(double left, double top, double width, double height) const {
        return {left * x, top * y, width * x, height * y};
    }
    QPointF point(double left, double top) const { return {left * x, top * y}; }
};

// A field: `text` in the box (twips) at `top` of its section, cut at the box's sides.
void drawField(QPainter& painter, const Scale& s, double left, double top, double width,
               double height, const QString& text, const QFont& f,
               Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop, bool wrap = false) {
    if (text.isEmpty())
        return;
    painter.setFont(f);
    const QRectF box = s.rect(left, top, width, height);
    painter.save();
    painter.setClipRect(box);
    painter.drawText(box, static_cast<int>(align) | (wrap ? Qt::TextWordWrap : 0), text);
    painter.restore();
}

void hline(QPainter& painter, const Scale& s, double top, double from = 0,
           double to = kDesignWidth) {
    painter.drawLine(s.point(from, top), s.point(to, top));
}

void vline(QPainter& painter, const Scale& s, double left, double from, double to) {
    painter.drawLine(s.point(left, from), s.point(left, to));
}

QString withoutTrailingSemicolons(QString sql) {
    sql = sql.trimmed();
    while (sql.endsWith(QLatin1Char(';')))
        sql = sql.chopped(1).trimmed();
    return sql;
}

StationError missingField(const QString& name) {
    return StationError{db::kErrItemNotFound,
                        QStringLiteral("The report's rows have no field \"%1\".").arg(name),
                        QStringLiteral("Summary report")};
}

QString text(const QVariant& value) {
    return value.isNull() ? QString() : value.toString();
}

} // namespace

QString SummaryDateTimeText(const QVariant& stored) {
    if (stored.isNull())
        return {};
    const QDateTime when = db::DateFromStored(stored);
    if (!when.isValid())
        return stored.toString();
    return QLocale::c().toString(when, QStringLiteral("MM/dd/yy hh:mm AP"));
}

QString SummaryTimeText(const QVariant& stored) {
    if (stored.isNull())
        return {};
    const QDateTime when = db::DateFromStored(stored);
    if (!when.isValid())
        return stored.toString();
    return QLocale::c().toString(when.time(), QStringLiteral("hh:mm AP"));
}

// ---- SummaryReport

SummaryReport::SummaryReport(Design design, QString companyName, QString parameterValues,
                             SummaryQuery query)
    : m_design(std::move(design))
    , m_companyName(std::move(companyName))
    , m_parameterValues(std::move(parameterValues))
    , m_query(std::move(query)) {}

QPageLayout SummaryReport::pageLayout() const {
    const double side = kSideMargin / 20; // points
    const double top = kTopMargin / 20;
    return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                       QMarginsF(side, top, side, top), QPageLayout::Point);
}

StationError SummaryReport::start(QPaintDevice& device) {
    Q_UNUSED(device);
    installFontSubstitutes();
    m_started = false;
    m_cacheFirst = -1;
    m_cache.clear();
    if (m_parameterValues.isEmpty())
        m_parameterValues = QStringLiteral("None");
    m_reportDate = Clock::current().now();

    const QString inner = withoutTrailingSemicolons(m_query.sql);
    QString aggregate = QStringLiteral("SELECT COUNT(*)");
    if (m_design.elapsedColumns)
        aggregate += QStringLiteral(", SUM(\"Minutes\")");
    aggregate += QStringLiteral(" FROM (") + inner + QLatin1Char(')');
    db::RecordSet totals;
    if (StationError error = db::RunSQLReturnRS(aggregate, &totals, m_query.values);
        error.isError())
        return error;
    m_rowCount = totals.value(0, 0).toLongLong();
    m_totalMinutes = m_design.elapsedColumns ? totals.value(0, 1).toLongLong() : 0;
    m_started = true;
    // The first page is read now, so that a query whose columns are not the report's fails
    // before anything is shown.
    return readPages(0, kPagesPerRead);
}

std::optional<int> SummaryReport::pageCount() const {
    if (!m_started)
        return std::nullopt;
    const qint64 full = m_rowCount / kRowsPerPage;
    const qint64 rest = m_rowCount % kRowsPerPage;
    qint64 pages = std::max<qint64>(1, full + (rest ? 1 : 0));
    if (m_design.elapsedColumns && m_rowCount > 0) {
        const qint64 onLast = rest ? rest : kRowsPerPage;
        if (kHeaderHeight + onLast * kRowHeight + kGroupFooterHeight > kFooterTop)
            ++pages;
    }
    return static_cast<int>(std::min<qint64>(pages, std::numeric_limits<int>::max()));
}

StationError SummaryReport::readPages(int firstPage, int pages) {
    const qint64 offset = static_cast<qint64>(firstPage) * kRowsPerPage;
    const qint64 limit = static_cast<qint64>(pages) * kRowsPerPage;
    const QString sql =
        withoutTrailingSemicolons(m_query.sql) + QStringLiteral(" LIMIT ? OFFSET ?");
    QVariantList values = m_query.values;
    values << limit << offset;

    const QStringList names = columnNames();
    QList<QList<Row>> read;
    StationError failure;
    const StationError error =
        db::RunSQLForEach(sql, values, static_cast<int>(limit), [&](const db::RecordSet& slice) {
            QList<int> fields;
            for (const QString& name : names) {
                const int field = slice.indexOf(name);
                if (field < 0) {
                    failure = missingField(name);
                    return false;
                }
                fields << field;
            }
            for (int r = 0; r < slice.rowCount(); ++r) {
                QVariantList row;
                for (int field : fields)
                    row << slice.value(r, field);
                if (read.isEmpty() || read.last().size() == kRowsPerPage)
                    read.emplaceBack();
                read.last().append(formatRow(row));
            }
            return true;
        });
    if (error.isError())
        return error;
    if (failure.isError())
        return failure;
    m_cacheFirst = firstPage;
    m_cache = std::move(read);
    return {};
}

bool SummaryReport::paintPage(int index, QPainter& painter, StationError* error) {
    const std::optional<int> pages = pageCount();
    if (!pages || index < 0 || index >= *pages)
        return false;
    if (m_progress && !m_progress(index, *pages)) {
        *error = StationError{kErrCancelled, QStringLiteral("The report was cancelled."),
                              QStringLiteral("Summary report")};
        return false;
    }
    const bool cached =
        m_cacheFirst >= 0 && index >= m_cacheFirst && index < m_cacheFirst + kPagesPerRead;
    if (!cached) {
        // Paging backwards reads the pages before this one, so the page before is at hand.
        const int first = index < m_cacheFirst ? std::max(0, index - kPagesPerRead + 1) : index;
        if (StationError e = readPages(first, kPagesPerRead); e.isError()) {
            *error = e;
            return false;
        }
    }
    const int slot = index - m_cacheFirst;
    const QList<Row> rows = slot < m_cache.size() ? m_cache.at(slot) : QList<Row>{};

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintHeader(painter, index);
    double top = kHeaderHeight;
    for (const Row& row : rows) {
        paintRow(painter, row, top);
        top += kRowHeight;
    }
    if (m_design.elapsedColumns && index == *pages - 1)
        paintGroupFooter(painter, top);
    paintFooter(painter, index);
    painter.restore();
    return true;
}

void SummaryReport::paintHeader(QPainter& painter, int index) const {
    Q_UNUSED(index);
    const Scale s(*painter.device());
    const QColor ink(0x1a, 0x1a, 0x1a);
    painter.setPen(ink);
    drawField(painter, s, 30, 0, m_design.titleWidth, 450, m_design.title, font(14, true));
    drawField(painter, s, 30, 510, m_design.schoolWidth, m_design.schoolHeight, m_companyName,
              font(12, true), Qt::AlignLeft | Qt::AlignTop, true);
    // Right-aligned against the criteria, with a blank's room between them.
    drawField(painter, s, m_design.paramsLabelLeft, 60, 1965 - 75, 270,
              QStringLiteral("Report Parameters:"), font(9, true), Qt::AlignRight | Qt::AlignTop);
    drawField(painter, s, m_design.paramsLeft, 75, m_design.paramsWidth, 1215, m_parameterValues,
              font(9), Qt::AlignLeft | Qt::AlignTop, true);

    // The heading box: a light band behind the two heading rows, ruled as designed.
    painter.fillRect(s.rect(0, 1410, kDesignWidth, 570), QColor(0xe8, 0xec, 0xf2));
    QPen rule(ink);
    rule.setWidthF(std::max(1.0, 15 * s.y)); // about a point
    painter.setPen(rule);
    for (double y : {1350, 1410, 1980, 2040})
        hline(painter, s, y);
    for (double x : {0.0, 720.0, 2325.0, 4140.0, kDesignWidth})
        vline(painter, s, x, 1350, 2040);

    painter.setPen(ink);
    const QFont heading = font(8.5, true);
    drawField(painter, s, 90, 1440, 540, 255, QStringLiteral("ID #"), heading);
    drawField(painter, s, 720 + 45, 1440, 1545, 255, QStringLiteral("Name"), heading);
    drawField(painter, s, 2355 + 45, 1440, 1740, 255, QStringLiteral("Date Issued"), heading);
    drawField(painter, s, 4230, 1440, 6300, 255, QStringLiteral("Additional Information 1"),
              heading);
    drawField(painter, s, 720 + 45, 1710, 1545, 255, QStringLiteral("Badge Name"), heading);
    if (m_design.elapsedColumns) {
        drawField(painter, s, 2370 + 30, 1710, 945, 255, QStringLiteral("Signed Out"), heading);
        drawField(painter, s, 3345 + 15, 1725, 780, 255, QStringLiteral("Elapsed"), heading);
    }
    drawField(painter, s, 4245, 1710, 6300, 255, QStringLiteral("Additional Information 2"),
              heading);
}

void SummaryReport::paintRow(QPainter& painter, const Row& row, double top) const {
    const Scale s(*painter.device());
    painter.save();
    painter.translate(0, top * s.y);
    const QColor ink(0x1a, 0x1a, 0x1a);
    QPen rule(QColor(0x8a, 0x8f, 0x98));
    rule.setWidthF(std::max(1.0, 8 * s.y));
    painter.setPen(rule);
    // Line43 and Line46, the row's top and bottom rules; the separators reach down to Line46.
    hline(painter, s, 15);
    hline(painter, s, 585);
    vline(painter, s, 0, 15, 585);            // Line47
    vline(painter, s, 720, 15, 585);          // Line54
    vline(painter, s, 2325, 30, 585);         // Line42
    vline(painter, s, 4140, 15, 585);         // Line48
    vline(painter, s, kDesignWidth, 15, 585); // Line53

    painter.setPen(ink);
    const QFont detail = font(8.5);
    drawField(painter, s, 90, 30, 540, 255, row.id, font(8.5, true));
    drawField(painter, s, 720 + 45, 30, 1545, 255, row.name, detail);
    drawField(painter, s, 2370 + 30, 45, 1740, 255, row.logInTime, detail);
    drawField(painter, s, 4230, 45, 6300, 255, row.field1, detail);
    drawField(painter, s, 720 + 45, 285, 1545, 255, row.badgeName, detail);
    if (m_design.elapsedColumns) {
        drawField(painter, s, 2370 + 30, 285, 960, 255, row.logOutTime, detail);
        // "Checkout" may reach to the column's rule.
        drawField(painter, s, 3345 + 15, 300, 780, 255, row.elapsed, detail);
    }
    drawField(painter, s, 4230, 315, 6300, 255, row.field2, detail);
    painter.restore();
}

void SummaryReport::paintGroupFooter(QPainter& painter, double top) const {
    const Scale s(*painter.device());
    painter.save();
    painter.translate(0, top * s.y);
    QPen rule(QColor(0x1a, 0x1a, 0x1a));
    rule.setWidthF(std::max(1.0, 15 * s.y));
    painter.setPen(rule);
    hline(painter, s, 60, 2325, 5685);
    drawField(painter, s, 2355, 120, 960, 270, QStringLiteral("Total:"), font(10, true));
    drawField(painter, s, 3345, 120, 2340, 270, totalText(), font(10, true));
    painter.restore();
}

void SummaryReport::paintFooter(QPainter& painter, int index) const {
    const Scale s(*painter.device());
    painter.save();
    painter.translate(0, kFooterTop * s.y);
    QPen rule(QColor(0x8a, 0x8f, 0x98));
    rule.setWidthF(std::max(1.0, 8 * s.y));
    painter.setPen(rule);
    hline(painter, s, 0);
    painter.setPen(QColor(0x1a, 0x1a, 0x1a));
    // The pages completed before this one, plus one.
    drawField(painter, s, 465, 90, 4770, 255, QStringLiteral("Page ") + QString::number(index + 1),
              font(8));
    drawField(painter, s, 5535, 90, 4770, 255,
              QStringLiteral("Report Date: ") + generalDate(m_reportDate), font(8),
              Qt::AlignRight | Qt::AlignTop);
    painter.restore();
}

// ---- rptLabelSummary

rptLabelSummary::rptLabelSummary(QString companyName, QString parameterValues, SummaryQuery query)
    : SummaryReport(Design{QStringLiteral("Security Summary Report"), 3690, 6480, 780, 4605, 6570,
                           3990, true},
                    std::move(companyName), std::move(parameterValues), std::move(query)) {}

QString rptLabelSummary::caption() {
    return QStringLiteral("Orv School Security Summary Report");
}

QString rptLabelSummary::FormatTotal(qint64 minutes) {
    if (minutes < 60)
        return QString::number(minutes) + QStringLiteral(" minutes");
    return QString::number(minutes / 60) + QStringLiteral(" hours ") +
           QString::number(minutes % 60) + QStringLiteral(" minutes");
}

QStringList rptLabelSummary::columnNames() const {
    return {QStringLiteral("ID"),        QStringLiteral("Name"),       QStringLiteral("BadgeName"),
            QStringLiteral("LogInTime"), QStringLiteral("LogOutTime"), QStringLiteral("Minutes"),
            QStringLiteral("Field1"),    QStringLiteral("Field2")};
}

SummaryReport::Row rptLabelSummary::formatRow(const QVariantList& v) const {
    Row row;
    row.id = text(v.value(0));
    row.name = text(v.value(1));
    row.badgeName = text(v.value(2));
    row.logInTime = SummaryDateTimeText(v.value(3));
    row.logOutTime = SummaryTimeText(v.value(4));
    row.elapsed = text(v.value(5));
    row.field1 = text(v.value(6));
    row.field2 = text(v.value(7));
    // A visit opened and closed in the same minute (the one-step check-in and out).
    if (row.elapsed == QStringLiteral("0")) {
        row.elapsed = QStringLiteral("Checkout");
        row.logOutTime.clear();
    }
    return row;
}

QString rptLabelSummary::totalText() const {
    return FormatTotal(totalMinutes());
}

// ---- rptCheckoutSummary

rptCheckoutSummary::rptCheckoutSummary(QString companyName, QString parameterValues,
                                       SummaryQuery query)
    : SummaryReport(
          Design{QStringLiteral("Checkout Report"), 3240, 5205, 780, 3345, 5310, 5280, false},
          std::move(companyName), std::move(parameterValues), std::move(query)) {}

QString rptCheckoutSummary::caption() {
    return QStringLiteral("Orv School Checkout Summary Report");
}

QStringList rptCheckoutSummary::columnNames() const {
    return {QStringLiteral("ID"),       QStringLiteral("Name"),  QStringLiteral("Badge Name"),
            QStringLiteral("Check In"), QStringLiteral("Info1"), QStringLiteral("Info2")};
}

SummaryReport::Row rptCheckoutSummary::formatRow(const QVariantList& v) const {
    Row row;
    row.id = text(v.value(0));
    row.name = text(v.value(1));
    row.badgeName = text(v.value(2));
    row.logInTime = SummaryDateTimeText(v.value(3));
    row.field1 = text(v.value(4));
    row.field2 = text(v.value(5));
    return row;
}

} // namespace zelkora
