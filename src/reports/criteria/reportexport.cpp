#include "reports/criteria/reportexport.h"

#include "db/accessdatabase.h"
#include "db/parameter.h"
#include "util/clock.h"

#include <QLocale>
#include <QRegularExpression>
#include <QSaveFile>
#include <array>

namespace zelkora::reports {

namespace {

// Error number of a file that cannot be written ("Path/File access error").
constexpr long kErrFileAccess = 75;
// Rows per slice of the forward-only read: one progress call each.
constexpr int kSliceRows = 1000;

const std::array<const char*, 8> kExportFields = {"ID",         "BadgeName", "Name",   "LogInTime",
                                                  "LogOutTime", "Minutes",   "Field1", "Field2"};
constexpr int kFirstDateField = 3;
constexpr int kLastDateField = 4;

StationError fileError(const QString& path, const QString& why) {
    return {kErrFileAccess,
            QStringLiteral("Path/File access error: %1 cannot be written (%2).").arg(path, why),
            QStringLiteral("ExportReport")};
}

// A value of a text column with the characters that would split its line made blanks.
void appendText(const QString& text, QString& out) {
    const qsizetype start = out.size();
    out += text;
    for (qsizetype i = start; i < out.size(); ++i) {
        const QChar c = out.at(i);
        if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            out[i] = QLatin1Char(' ');
    }
}

void appendTwoDigits(int value, QString& out) {
    out += QLatin1Char(static_cast<char>('0' + value / 10));
    out += QLatin1Char(static_cast<char>('0' + value % 10));
}

void appendNumber(int value, bool twoDigits, QString& out) {
    if (twoDigits || value >= 10)
        appendTwoDigits(value % 100, out);
    else
        out += QLatin1Char(static_cast<char>('0' + value));
}

// Digits at `at` of the stored text as a number; -1 when any is not a digit.
int digitsAt(const QString& text, int at, int count) {
    int value = 0;
    for (int i = at; i < at + count; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

} // namespace

QString ExportColumns() {
    QStringList names;
    for (const char* field : kExportFields)
        names << QLatin1String(field);
    return names.join(QLatin1Char(','));
}

QByteArray ExportHeaderLine() {
    return QByteArrayLiteral("ID\tLabel Name\tName\tCheck In Time\tCheck Out Time\tMinutes\t"
                             "Additional Info 1\tAdditional Info 2\r\n");
}

QString ExportFilePath(const QString& folder) {
    QString path = folder;
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path + QLatin1String(kExportFileName);
}

namespace {

// The same formats generalDate() uses: short date with a four-digit year, the long time without
// time zone.
QString generalDateFormat(const QLocale& locale) {
    QString date = locale.dateFormat(QLocale::ShortFormat);
    if (!date.contains(QLatin1String("yyyy")))
        date.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return date;
}

QString generalTimeFormat(const QLocale& locale) {
    static const QRegularExpression zone(QStringLiteral("\\s*t+"));
    return locale.timeFormat(QLocale::LongFormat).remove(zone).trimmed();
}

} // namespace

GeneralDateWriter::GeneralDateWriter()
    : GeneralDateWriter(QLocale::system(), generalDateFormat(QLocale::system()),
                        generalTimeFormat(QLocale::system())) {}

GeneralDateWriter::GeneralDateWriter(const QLocale& locale, const QString& date,
                                     const QString& time) {
    const QString format = date + QLatin1Char(' ') + time;
    for (int i = 0; i < 2; ++i) {
        const QLocale::FormatType type = i == 0 ? QLocale::ShortFormat : QLocale::LongFormat;
        for (int month = 1; month <= 12; ++month)
            m_monthNames[i] << locale.monthName(month, type);
        for (int day = 1; day <= 7; ++day)
            m_dayNames[i] << locale.dayName(day, type);
    }
    m_locale = locale;
    m_dateFormat = date;
    m_timeFormat = time;
    m_am = locale.amText();
    m_pm = locale.pmText();
    m_fallback = locale.zeroDigit() != QLatin1String("0");

    bool twelveHour = false;
    for (qsizetype i = 0; i < format.size() && !m_fallback;) {
        const QChar c = format.at(i);
        qsizetype run = 1;
        while (i + run < format.size() && format.at(i + run) == c)
            ++run;
        auto literal = [this](const QString& text) {
            if (!m_tokens.empty() && m_tokens.back().kind == Token::Literal)
                m_tokens.back().text += text;
            else
                m_tokens.push_back({Token::Literal, text});
        };
        auto field = [&](Token::Kind one, Token::Kind two) {
            if (run > 2)
                m_fallback = true;
            else
                m_tokens.push_back({run == 1 ? one : two, {}});
            i += run;
        };
        // Day and month fields: numbers, or the short and long names.
        auto named = [&](Token::Kind one, Token::Kind two, Token::Kind three, Token::Kind four) {
            const Token::Kind kinds[] = {one, two, three, four};
            if (run > 4)
                m_fallback = true;
            else
                m_tokens.push_back({kinds[run - 1], {}});
            i += run;
        };
        switch (c.unicode()) {
        case '\'': {
            const qsizetype end = format.indexOf(QLatin1Char('\''), i + 1);
            if (end == i + 1) {
                literal(QStringLiteral("'"));
                i += 2;
            } else if (end < 0) {
                literal(format.mid(i + 1));
                i = format.size();
            } else {
                literal(format.mid(i + 1, end - i - 1));
                i = end + 1;
            }
            break;
        }
        case 'y':
            if (run == 2 || run == 4)
                m_tokens.push_back({run == 2 ? Token::Year2 : Token::Year4, {}});
            else
                m_fallback = true;
            i += run;
            break;
        case 'M':
            named(Token::Month, Token::Month2, Token::MonthShort, Token::MonthLong);
            break;
        case 'd':
            named(Token::Day, Token::Day2, Token::DayShort, Token::DayLong);
            break;
        case 'h':
            field(Token::Hour12, Token::Hour12_2);
            break;
        case 'H':
            field(Token::Hour24, Token::Hour24_2);
            break;
        case 'm':
            field(Token::Minute, Token::Minute2);
            break;
        case 's':
            field(Token::Second, Token::Second2);
            break;
        case 'A':
        case 'a': {
            const bool upper = c == QLatin1Char('A');
            const bool pair =
                i + 1 < format.size() && format.at(i + 1).toLower() == QLatin1Char('p');
            m_tokens.push_back({upper ? Token::AmPm : Token::AmPmLower, {}});
            twelveHour = true;
            i += pair ? 2 : 1;
            break;
        }
        case 'z':
        case 't':
            m_fallback = true;
            break;
        default:
            literal(format.mid(i, run));
            i += run;
            break;
        }
    }
    if (!twelveHour) {
        // Without AM/PM "h" counts the hours of the whole day.
        for (Token& token : m_tokens) {
            if (token.kind == Token::Hour12)
                token.kind = Token::Hour24;
            else if (token.kind == Token::Hour12_2)
                token.kind = Token::Hour24_2;
        }
    }
}

void GeneralDateWriter::append(const QString& stored, QString& out) const {
    int fields[6] = {-1, -1, -1, -1, -1, -1};
    bool parsed = stored.size() == 19 && stored.at(4) == QLatin1Char('-') &&
                  stored.at(7) == QLatin1Char('-') && stored.at(10) == QLatin1Char(' ') &&
                  stored.at(13) == QLatin1Char(':') && stored.at(16) == QLatin1Char(':');
    if (parsed) {
        const int at[6][2] = {{0, 4}, {5, 2}, {8, 2}, {11, 2}, {14, 2}, {17, 2}};
        for (int i = 0; i < 6 && parsed; ++i) {
            fields[i] = digitsAt(stored, at[i][0], at[i][1]);
            parsed = fields[i] >= 0;
        }
        parsed = parsed && QDate::isValid(fields[0], fields[1], fields[2]) && fields[3] < 24 &&
                 fields[4] < 60 && fields[5] < 60;
    }
    if (!parsed) {
        const QDateTime when = db::DateFromStored(stored);
        out += when.isValid() ? generalDate(when) : stored;
        return;
    }
    if (m_fallback) {
        // Month or day names and the like: the locale formats the date and the time apart, as
        // generalDate() does, without a time zone look-up per value.
        out += m_locale.toString(QDate(fields[0], fields[1], fields[2]), m_dateFormat);
        out += QLatin1Char(' ');
        out += m_locale.toString(QTime(fields[3], fields[4], fields[5]), m_timeFormat);
        return;
    }
    const int year = fields[0];
    const int hour = fields[3];
    const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    for (const Token& token : m_tokens) {
        switch (token.kind) {
        case Token::Literal:
            out += token.text;
            break;
        case Token::Year2:
            appendTwoDigits(year % 100, out);
            break;
        case Token::Year4:
            out += QString::number(year).rightJustified(4, QLatin1Char('0'));
            break;
        case Token::Month:
        case Token::Month2:
            appendNumber(fields[1], token.kind == Token::Month2, out);
            break;
        case Token::MonthShort:
        case Token::MonthLong:
            out += m_monthNames[token.kind == Token::MonthLong ? 1 : 0].at(fields[1] - 1);
            break;
        case Token::Day:
        case Token::Day2:
            appendNumber(fields[2], token.kind == Token::Day2, out);
            break;
        case Token::DayShort:
        case Token::DayLong:
            out += m_dayNames[token.kind == Token::DayLong ? 1 : 0].at(
                QDate(fields[0], fields[1], fields[2]).dayOfWeek() - 1);
            break;
        case Token::Hour12:
        case Token::Hour12_2:
            appendNumber(hour12, token.kind == Token::Hour12_2, out);
            break;
        case Token::Hour24:
        case Token::Hour24_2:
            appendNumber(hour, token.kind == Token::Hour24_2, out);
            break;
        case Token::Minute:
        case Token::Minute2:
            appendNumber(fields[4], token.kind == Token::Minute2, out);
            break;
        case Token::Second:
        case Token::Second2:
            appendNumber(fields[5], token.kind == Token::Second2, out);
            break;
        case Token::AmPm:
            out += (hour < 12 ? m_am : m_pm).toUpper();
            break;
        case Token::AmPmLower:
            out += (hour < 12 ? m_am : m_pm).toLower();
            break;
        }
    }
}

ExportOutcome ExportReport(const ReportQuery& query, const QString& folder, qint64 rowsTotal,
                           const ExportProgress& progress) {
    ExportOutcome outcome;
    outcome.path = ExportFilePath(folder);

    // Written beside the old file and renamed over it at the end, so that nothing half-written
    // is ever left under the export's name.
    QSaveFile file(outcome.path);
    if (!file.open(QIODevice::WriteOnly)) {
        outcome.error = fileError(outcome.path, file.errorString());
        return outcome;
    }
    if (file.write(ExportHeaderLine()) < 0) {
        outcome.error = fileError(outcome.path, file.errorString());
        return outcome;
    }

    const GeneralDateWriter dates;
    std::array<int, kExportFields.size()> columns{};
    bool resolved = false;
    bool writeFailed = false;
    QString text;
    const db::SliceHandler handler = [&](const db::RecordSet& slice) {
        if (!resolved) {
            for (std::size_t f = 0; f < kExportFields.size(); ++f)
                columns[f] = slice.indexOf(QLatin1String(kExportFields[f]));
            resolved = true;
        }
        text.clear();
        for (int row = 0; row < slice.rowCount(); ++row) {
            for (std::size_t f = 0; f < columns.size(); ++f) {
                if (f > 0)
                    text += QLatin1Char('\t');
                const QVariant value = slice.value(row, columns[f]);
                if (value.isNull())
                    continue;
                const int field = static_cast<int>(f);
                if (field >= kFirstDateField && field <= kLastDateField)
                    dates.append(value.toString(), text);
                else
                    appendText(value.toString(), text);
            }
            text += QLatin1String("\r\n");
        }
        const QByteArray bytes = text.toUtf8();
        if (file.write(bytes) != bytes.size()) {
            writeFailed = true;
            return false;
        }
        outcome.rows += slice.rowCount();
        if (progress && !progress(outcome.rows, rowsTotal)) {
            outcome.cancelled = true;
            return false;
        }
        return true;
    };
    const StationError read = db::RunSQLForEach(query.sql, query.values, kSliceRows, handler);

    if (read.isError() || writeFailed || outcome.cancelled) {
        const QString why = file.errorString();
        file.cancelWriting();
        file.commit(); // discards the temporary file
        if (read.isError())
            outcome.error = read;
        else if (writeFailed)
            outcome.error = fileError(outcome.path, why);
        if (outcome.error.isError())
            outcome.cancelled = false;
        outcome.rows = 0;
        return outcome;
    }
    if (file.write("\r\n", 2) != 2 || !file.commit())
        outcome.error = fileError(outcome.path, file.errorString());
    if (outcome.error.isError())
        outcome.rows = 0;
    return outcome;
}

StationError CountReportRows(const ReportQuery& query, qint64* rows) {
    db::RecordSet result;
    StationError error = db::RunSQLReturnRS(query.countSql, &result, query.values);
    if (!error.isError() && rows)
        *rows = result.value(0, 0).toLongLong();
    return error;
}

} // namespace zelkora::reports
