// Times the data layer against SQLite's own C interface on one station database of many visits:
// the statements of a card swipe, a check-in, the check-out window's list and the automatic
// logout, and the cost of opening a connection. Both sides run the same statements in the same
// run, one repetition after the other, so that the state of the file is the same for both.
//
//   bench_db [--visits N] [--cards N] [--open N] [--reps N] [--quick] [--no-flush] [--keep DIR]
//            [--only open,list,swipe,checkin,logout]
#include "app/core/stationfolder.h"
#include "benchsupport.h"
#include "checkout/autologout.h"
#include "db/accessdatabase.h"
#include "db/schema.h"
#include "db/sqldialect.h"
#include "settings/settingsstore.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <random>
#include <sqlite3.h>
#include <string>
#include <vector>

using namespace zelkora;
using namespace zelkora::bench;

namespace {

using Clock = SteadyClock;

struct Options {
    int visits = 1000000;
    int cards = 10000;
    int open = 1000;
    int reps = 0; // 0: scaled with the number of visits
    bool quick = false;
    bool noFlush = false;
    QString keep;
    QStringList only; // the sections to run; empty: all
};

// ---- times

double medianUs(std::vector<double> us) {
    if (us.empty())
        return 0;
    std::sort(us.begin(), us.end());
    return us[us.size() / 2];
}

double since(Clock::time_point start) {
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

// ---- the raw side: one connection, statements prepared once

class Raw {
public:
    explicit Raw(const std::string& path) {
        if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            fail("raw open", QString::fromUtf8(sqlite3_errmsg(m_db)));
        configure(m_db);
    }
    ~Raw() {
        for (sqlite3_stmt* s : m_statements)
            sqlite3_finalize(s);
        sqlite3_close(m_db);
    }
    Raw(const Raw&) = delete;
    Raw& operator=(const Raw&) = delete;

    // The same settings the layer gives its connection.
    static void configure(sqlite3* db) {
        exec(db, "PRAGMA journal_mode=WAL");
        exec(db, "PRAGMA synchronous=FULL");
        sqlite3_busy_timeout(db, 5000);
    }
    static void exec(sqlite3* db, const char* sql) {
        char* message = nullptr;
        if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK)
            fail(sql, QString::fromUtf8(message));
    }
    sqlite3* db() const { return m_db; }

    sqlite3_stmt* prepare(const QString& sql) {
        const QByteArray text = sql.toUtf8();
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v3(m_db, text.constData(), static_cast<int>(text.size()),
                               SQLITE_PREPARE_PERSISTENT, &statement, nullptr) != SQLITE_OK)
            fail("raw prepare",
                 sql + QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(m_db)));
        m_statements.push_back(statement);
        return statement;
    }

private:
    sqlite3* m_db = nullptr;
    std::vector<sqlite3_stmt*> m_statements;
};

std::string columnText(sqlite3_stmt* s, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s, column));
    return text ? std::string(text, static_cast<size_t>(sqlite3_column_bytes(s, column)))
                : std::string();
}

void stepToEnd(sqlite3_stmt* s, const char* what) {
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        fail(what, QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(s))));
    sqlite3_reset(s);
}

// ---- the database of the run

const char* const kTitles[] = {"Visitor",  "Contractor", "Vendor", "Employee",
                               "Delivery", "Interview",  "Guest"};

std::string cardNumber(int i) {
    char text[16];
    std::snprintf(text, sizeof text, "04%08d", i);
    return text;
}

// Fills the delivered database with cards and a year of visits ending now, in one transaction
// on a connection of its own; ~90 % of the open visits began during the last day.
void fillDatabase(const std::string& path, const Options& options, std::time_t now) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        fail("fill open");
    Raw::exec(db, "BEGIN IMMEDIATE");
    std::mt19937 random(42);

    sqlite3_stmt* card = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO PredefinedList (FirstName, LastName, LabelTypeID, RFCardID) "
                       "VALUES (?, ?, ?, ?)",
                       -1, &card, nullptr);
    for (int i = 0; i < options.cards; ++i) {
        bindText(card, 1, "First" + std::to_string(i));
        bindText(card, 2, "Last" + std::to_string(i));
        sqlite3_bind_int(card, 3, i % 7);
        bindText(card, 4, cardNumber(i));
        stepToEnd(card, "fill card");
    }
    sqlite3_finalize(card);

    const int n = options.visits;
    std::vector<char> open(static_cast<size_t>(n), 0);
    const std::time_t year = 365L * 24 * 3600;
    const std::time_t start = now - year;
    const int lastDayFirst = std::max(0, n - std::max(1, n / 365));
    const int wanted = std::min(options.open, n);
    // A small database has fewer visits in its last day than it has open ones: the rest are
    // open visits of earlier days.
    const int recentWanted = std::min(wanted * 9 / 10, n - lastDayFirst);
    std::uniform_int_distribution<int> lastDay(lastDayFirst, n - 1);
    std::uniform_int_distribution<int> anyDay(0, n - 1);
    for (int marked = 0; marked < wanted;) {
        const int i = marked < recentWanted ? lastDay(random) : anyDay(random);
        if (!open[static_cast<size_t>(i)]) {
            open[static_cast<size_t>(i)] = 1;
            ++marked;
        }
    }

    sqlite3_stmt* visit = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO Labels (TypeID, BadgeName, Name, LogInTime, LogOutTime, "
                       "Field1, Field2, Field4, Field9, Field10) VALUES (?, ?, ?, ?, ?, ?, ?, ?, "
                       "?, ?)",
                       -1, &visit, nullptr);
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<int> minutes(10, 600);
    for (int i = 0; i < n; ++i) {
        const std::time_t in =
            start + static_cast<std::time_t>(static_cast<double>(year) * i / n) + random() % 60;
        const bool byCard = percent(random) < 30;
        const int cardIndex = static_cast<int>(random() % static_cast<unsigned>(options.cards));
        const int type = byCard ? cardIndex % 7 : static_cast<int>(random() % 7);
        const bool answers = !byCard && percent(random) < 20;
        sqlite3_bind_int(visit, 1, type);
        bindText(visit, 2, kTitles[type]);
        bindText(visit, 3,
                 byCard ? "First" + std::to_string(cardIndex) + " Last" + std::to_string(cardIndex)
                        : "Visitor " + std::to_string(i));
        bindText(visit, 4, dateText(in));
        bindText(visit, 5,
                 open[static_cast<size_t>(i)] ? std::string()
                                              : dateText(in + 60L * minutes(random)));
        bindText(visit, 6, answers ? "Acme Corp" : "");
        bindText(visit, 7, answers ? "Meeting room 4" : "");
        bindText(visit, 8, byCard ? cardNumber(cardIndex) : "");
        bindText(visit, 9, answers ? "Acme Corp" : "");
        bindText(visit, 10, answers ? "Meeting room 4" : "");
        stepToEnd(visit, "fill visit");
    }
    sqlite3_finalize(visit);
    Raw::exec(db, "COMMIT");
    sqlite3_close(db);
}

// ---- measuring

struct Figure {
    const char* name;
    std::vector<double> layer;
    std::vector<double> raw;
};

// Runs `layer` and `raw` `reps` times each, alternating which goes first.
void measure(Figure* figure, int reps, const std::function<void(int)>& layer,
             const std::function<void(int)>& raw) {
    for (int i = 0; i < reps; ++i) {
        for (int side = 0; side < 2; ++side) {
            const bool layerNow = (side == 0) == (i % 2 == 0);
            const Clock::time_point started = Clock::now();
            if (layerNow) {
                layer(i);
                figure->layer.push_back(since(started));
            } else {
                raw(i);
                figure->raw.push_back(since(started));
            }
        }
    }
}

void print(const Figure& figure) {
    const double layer = medianUs(figure.layer);
    const double raw = medianUs(figure.raw);
    std::printf("%-42s %10.1f %10.1f %7.2f%s\n", figure.name, layer, raw, raw > 0 ? layer / raw : 0,
                raw > 0 && layer / raw > 1.5 ? "  over 1.5" : "");
}

// The automatic logout's seven rules: a mix of clock times and intervals.
const std::pair<int, const char*> kRules[7] = {
    {2, "+ 1:30 hr"}, {1, "05:00 PM"}, {2, "+ 0:30 min"}, {1, "06:00 PM"},
    {2, "+ 4:00 hr"}, {1, "11:45 PM"}, {2, "+ 12:00 hr"}};

// The update RunAutoLogout runs for a rule, with its values but the current time, which each
// pass binds last.
AutoLogoutStatement logoutUpdate(const AutoLogoutRule& rule) {
    AutoLogoutStatement update = BuildAutoLogoutStatement(rule, QString());
    update.values.removeLast();
    return update;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Times the data layer against SQLite's C interface."));
    parser.addHelpOption();
    const QCommandLineOption visitsOption(QStringLiteral("visits"),
                                          QStringLiteral("Visits in the database."),
                                          QStringLiteral("N"), QStringLiteral("1000000"));
    const QCommandLineOption cardsOption(QStringLiteral("cards"),
                                         QStringLiteral("Registered cards."), QStringLiteral("N"),
                                         QStringLiteral("10000"));
    const QCommandLineOption openOption(QStringLiteral("open"), QStringLiteral("Open visits."),
                                        QStringLiteral("N"), QStringLiteral("1000"));
    const QCommandLineOption repsOption(
        QStringLiteral("reps"),
        QStringLiteral("Repetitions of each operation (default: scaled with the visits)."),
        QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption quickOption(QStringLiteral("quick"),
                                         QStringLiteral("Few repetitions, for a smoke run."));
    const QCommandLineOption keepOption(QStringLiteral("keep"),
                                        QStringLiteral("Build the station in DIR and keep it."),
                                        QStringLiteral("DIR"));
    const QCommandLineOption onlyOption(
        QStringLiteral("only"),
        QStringLiteral("Run only these sections, comma-separated: open, list, swipe, checkin, "
                       "logout (for profiling)."),
        QStringLiteral("LIST"));
    const QCommandLineOption noFlushOption(
        QStringLiteral("no-flush"),
        QStringLiteral("Commit without waiting for the disk (synchronous=NORMAL) on both sides, "
                       "so that the writes show the processor time alone."));
    parser.addOptions({visitsOption, cardsOption, openOption, repsOption, quickOption, keepOption,
                       noFlushOption, onlyOption});
    parser.process(app);

    Options options;
    options.visits = std::max(1, parser.value(visitsOption).toInt());
    options.cards = std::max(1, parser.value(cardsOption).toInt());
    options.open = std::max(0, parser.value(openOption).toInt());
    options.reps = parser.value(repsOption).toInt();
    options.quick = parser.isSet(quickOption);
    options.keep = parser.value(keepOption);
    options.noFlush = parser.isSet(noFlushOption);
    if (parser.isSet(onlyOption))
        options.only = parser.value(onlyOption).split(QLatin1Char(','), Qt::SkipEmptyParts);
    const auto runs = [&](const char* section) {
        return options.only.isEmpty() || options.only.contains(QLatin1String(section));
    };
    int reps = options.reps;
    if (reps <= 0)
        reps = options.quick ? 20 : std::clamp(options.visits / 500, 200, 2000);
    // Each repetition of a swipe and a check-in swipes one card per side.
    reps = std::min(reps, options.cards / 2);
    const int slowReps = std::max(10, reps / 4); // the list and the automatic logout

    // A station folder and a settings store of the run's own.
    QTemporaryDir temporary;
    const QString root = options.keep.isEmpty() ? temporary.path() : options.keep;
    const QString station = root + QStringLiteral("/station/");
    if (!QDir().mkpath(station) || !QDir().mkpath(root + QStringLiteral("/config")))
        fail("cannot create", root);
    qputenv("ZELKORA_HOME", QFile::encodeName(station));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root + QStringLiteral("/config")));

    QString why;
    if (!db::CreateDeliveredDatabase(station, nullptr, &why))
        fail("CreateDeliveredDatabase", why);
    const db::VersionCheck version = db::CheckDatabaseVersion();
    if (version.outcome != db::DbOutcome::Ok)
        check(version.error, "CheckDatabaseVersion");
    db::ReleaseConnection();

    const std::string path = QFile::encodeName(db::GetDatabasePath()).toStdString();
    const std::time_t now = std::time(nullptr);
    const Clock::time_point filling = Clock::now();
    fillDatabase(path, options, now);
    std::printf("database: %d visits over a year, %d cards, %d open visits; built in %.1f s\n",
                options.visits, options.cards, std::min(options.open, options.visits),
                since(filling) / 1e6);
    std::printf("%d repetitions (%d for the list and the automatic logout); median in "
                "microseconds\n\n",
                reps, slowReps);
    std::printf("%-42s %10s %10s %7s\n", "operation", "data layer", "raw", "ratio");

    Raw raw(path);

    // ---- opening a connection: the layer's first call after a release, against SQLite's open
    // with the same settings and the same look-up.
    const QString cardSql = QStringLiteral(
        "SELECT FirstName,LastName,LabelTypeID FROM PredefinedList WHERE RFCardID=?");
    if (runs("open")) {
        Figure figure{"connection open + card look-up", {}, {}};
        const std::string uri = "file:" + path + "?mode=rw";
        const QByteArray cardUtf8 = cardSql.toUtf8();
        measure(
            &figure, slowReps,
            [&](int i) {
                db::ReleaseConnection();
                db::RecordSet rows;
                check(db::RunSQLReturnRS(cardSql, &rows,
                                         {QString::fromStdString(cardNumber(i % options.cards))}),
                      "open");
            },
            [&](int i) {
                sqlite3* db = nullptr;
                if (sqlite3_open_v2(uri.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_URI,
                                    nullptr) != SQLITE_OK)
                    fail("raw open");
                Raw::configure(db);
                sqlite3_stmt* s = nullptr;
                sqlite3_prepare_v2(db, cardUtf8.constData(), -1, &s, nullptr);
                bindText(s, 1, cardNumber(i % options.cards));
                stepToEnd(s, "raw open look-up");
                sqlite3_finalize(s);
                sqlite3_close(db);
            });
        print(figure);
    }

    if (options.noFlush) {
        // Until the layer's connection is opened again: the rest of the run keeps it.
        check(db::RunSQL(QStringLiteral("PRAGMA synchronous=NORMAL")), "synchronous");
        Raw::exec(raw.db(), "PRAGMA synchronous=NORMAL");
        std::printf("commits do not wait for the disk from here on (--no-flush)\n");
    }

    // ---- the check-out window's list: open visits of the last day, as the grid shows them.
    const QString listSql = QStringLiteral(
        "SELECT Labels.ID, Labels.BadgeName AS \"Badge Name\", Labels.Name, Labels.LogInTime AS "
        "\"Check In\", Labels.Field9 AS \"Info1\", Labels.Field10 AS \"Info2\" FROM Labels "
        "WHERE Labels.LogInTime >= ? AND Labels.LogInTime <= ? AND Labels.LogOutTime IS NULL "
        "AND Labels.TypeID IN (0,1,2,3,4,5,6) ORDER BY Labels.LogInTime");
    const std::string from = dateText(now - 24 * 3600);
    const std::string to = dateText(now + 24 * 3600);
    if (runs("list")) {
        Figure figure{"check-out list of the last day", {}, {}};
        struct Row {
            long long id;
            std::string badge, name, checkIn, info1, info2;
        };
        sqlite3_stmt* list = raw.prepare(listSql);
        int layerRows = 0;
        size_t rawRows = 0;
        measure(
            &figure, slowReps,
            [&](int) {
                db::UpdatableRecordSet rows;
                check(
                    db::RunSQLReturnRWRS(
                        listSql, &rows, {QString::fromStdString(from), QString::fromStdString(to)}),
                    "list");
                layerRows = rows.rowCount();
            },
            [&](int) {
                std::vector<Row> rows;
                bindText(list, 1, from);
                bindText(list, 2, to);
                while (sqlite3_step(list) == SQLITE_ROW) {
                    rows.push_back({sqlite3_column_int64(list, 0), columnText(list, 1),
                                    columnText(list, 2), columnText(list, 3), columnText(list, 4),
                                    columnText(list, 5)});
                }
                sqlite3_reset(list);
                rawRows = rows.size();
            });
        if (static_cast<size_t>(layerRows) != rawRows)
            fail("the two sides read different lists");
        print(figure);
        std::printf("  (%d rows)\n", layerRows);
    }

    // ---- a card swipe: card look-up, open-visit look-up, insert of the card visit. The layer
    // swipes the even cards, the raw side the odd ones; every card is swiped once.
    const QString openSql = QStringLiteral(
        "SELECT ID FROM Labels WHERE Field4=? AND LogOutTime Is Null ORDER BY LogInTime DESC");
    const QString addSql = QStringLiteral(
        "INSERT INTO Labels (TypeID, BadgeName, Name, LogInTime, Field1, Field2, Fiedl3, Field4, "
        "Field5, Field6, Field7, Field8, Field9, Field10) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING ID");
    sqlite3_stmt* rawCard = raw.prepare(cardSql);
    sqlite3_stmt* rawOpen = raw.prepare(openSql);
    sqlite3_stmt* rawAdd = raw.prepare(addSql);
    auto addParameters = [](int type, const QString& name, const QString& card,
                            const QString& info1, const QString& info2) {
        db::Parameters p{
            {QStringLiteral("@TypeID"), db::ParamInteger, 4, type},
            {QStringLiteral("@BadgeName"), db::ParamVarChar, 50, QLatin1String(kTitles[type])},
            {QStringLiteral("@Name"), db::ParamVarChar, 50, name},
            {QStringLiteral("@LogInTime"), db::ParamTimeStamp, 8, QDateTime::currentDateTime()}};
        const QString fields[10] = {info1, info2, {}, card, {}, {}, {}, {}, info1, info2};
        for (int i = 0; i < 10; ++i)
            p.append({QStringLiteral("@Field%1").arg(i + 1), db::ParamVarChar, 50, fields[i]});
        return p;
    };
    // The raw side's qAddLabel: the fourteen values bound by position, empty texts as nulls.
    auto rawAddLabel = [&](int type, const std::string& name, const std::string& card,
                           const std::string& info1, const std::string& info2) {
        sqlite3_bind_int(rawAdd, 1, type);
        bindText(rawAdd, 2, kTitles[type]);
        bindText(rawAdd, 3, name);
        bindText(rawAdd, 4, dateText(std::time(nullptr)));
        const std::string fields[10] = {info1, info2, {}, card, {}, {}, {}, {}, info1, info2};
        for (int i = 0; i < 10; ++i)
            bindText(rawAdd, 5 + i, fields[i]);
        long long id = 0;
        if (sqlite3_step(rawAdd) == SQLITE_ROW)
            id = sqlite3_column_int64(rawAdd, 0);
        stepToEnd(rawAdd, "raw qAddLabel");
        return id;
    };
    if (runs("swipe")) {
        Figure swipe{"card swipe (3 statements)", {}, {}};
        Figure lookUp{"  card look-up", {}, {}};
        Figure openVisit{"  open-visit look-up", {}, {}};
        Figure insert{"  insert of the visit (qAddLabel)", {}, {}};
        measure(
            &swipe, reps,
            [&](int i) {
                const QString card = QString::fromStdString(cardNumber(2 * i));
                Clock::time_point step = Clock::now();
                db::RecordSet holder;
                check(db::RunSQLReturnRS(cardSql, &holder, {card}), "card look-up");
                if (holder.isEmpty())
                    fail("card not found", card);
                const QString name = holder.value(0, 0).toString() + QLatin1Char(' ') +
                                     holder.value(0, 1).toString();
                const int type = holder.value(0, 2).toInt();
                lookUp.layer.push_back(since(step));
                step = Clock::now();
                db::RecordSet visits;
                check(db::RunSQLReturnRS(openSql, &visits, {card}), "open-visit look-up");
                openVisit.layer.push_back(since(step));
                step = Clock::now();
                check(
                    db::RunSP(QStringLiteral("qAddLabel"), addParameters(type, name, card, {}, {})),
                    "qAddLabel");
                insert.layer.push_back(since(step));
            },
            [&](int i) {
                const std::string card = cardNumber(2 * i + 1);
                Clock::time_point step = Clock::now();
                bindText(rawCard, 1, card);
                if (sqlite3_step(rawCard) != SQLITE_ROW)
                    fail("raw card not found");
                const std::string name = columnText(rawCard, 0) + ' ' + columnText(rawCard, 1);
                const int type = sqlite3_column_int(rawCard, 2);
                sqlite3_reset(rawCard);
                lookUp.raw.push_back(since(step));
                step = Clock::now();
                bindText(rawOpen, 1, card);
                std::vector<long long> ids;
                while (sqlite3_step(rawOpen) == SQLITE_ROW)
                    ids.push_back(sqlite3_column_int64(rawOpen, 0));
                sqlite3_reset(rawOpen);
                openVisit.raw.push_back(since(step));
                step = Clock::now();
                rawAddLabel(type, name, card, {}, {});
                insert.raw.push_back(since(step));
            });
        for (const Figure* figure : {&swipe, &lookUp, &openVisit, &insert})
            print(*figure);
    }

    // ---- a check-in: qAddLabel with the form's answers, and the badge ID it hands back.
    if (runs("checkin")) {
        Figure figure{"check-in (qAddLabel and its badge ID)", {}, {}};
        measure(
            &figure, reps,
            [&](int i) {
                db::ExecResult added;
                check(db::RunSP(QStringLiteral("qAddLabel"),
                                addParameters(i % 7, QStringLiteral("Visitor %1").arg(i), {},
                                              QStringLiteral("Acme Corp"),
                                              QStringLiteral("Meeting room 4")),
                                &added),
                      "check-in");
                if (added.returnedId.isNull())
                    fail("no badge ID");
            },
            [&](int i) {
                if (rawAddLabel(i % 7, "Visitor " + std::to_string(i), {}, "Acme Corp",
                                "Meeting room 4") == 0)
                    fail("raw: no badge ID");
            });
        print(figure);
    }

    // ---- the automatic logout over seven rules. The first pass closes the overdue visits;
    // the passes measured find nothing more to close, as at every later window opening.
    if (runs("logout")) {
        QList<std::pair<QString, QString>> settings;
        std::vector<AutoLogoutStatement> updates;
        std::vector<sqlite3_stmt*> rawUpdates;
        for (int n = 1; n <= 7; ++n) {
            const auto& [type, time] = kRules[n - 1];
            settings.append(
                {QStringLiteral("Label%1AutoLogoutType").arg(n), QString::number(type)});
            settings.append({QStringLiteral("Label%1AutoLogoutTime").arg(n), QLatin1String(time)});
            const auto rule =
                ParseAutoLogoutRule(n, QString::number(type), QString::fromLatin1(time));
            if (!rule)
                fail("rule not understood", QLatin1String(time));
            updates.push_back(logoutUpdate(*rule));
            rawUpdates.push_back(raw.prepare(updates.back().sql));
        }
        if (!SaveSettings(settings, &why))
            fail("SaveSettings", why);

        auto openVisits = [&] {
            sqlite3_stmt* count = nullptr;
            sqlite3_prepare_v2(raw.db(), "SELECT COUNT(*) FROM Labels WHERE LogOutTime IS NULL", -1,
                               &count, nullptr);
            sqlite3_step(count);
            const int stillOpen = sqlite3_column_int(count, 0);
            sqlite3_finalize(count);
            return stillOpen;
        };
        const int before = openVisits();
        const Clock::time_point first = Clock::now();
        check(RunAutoLogout(), "RunAutoLogout");
        const double firstMs = since(first) / 1000;
        std::printf("automatic logout, first pass: %.1f ms, closed %d of %d open visits\n", firstMs,
                    before - openVisits(), before);

        auto rawPass = [&](int) {
            const std::string nowText = dateText(std::time(nullptr));
            for (size_t r = 0; r < updates.size(); ++r) {
                sqlite3_stmt* statement = rawUpdates[r];
                const QVariantList& values = updates[r].values;
                for (int v = 0; v < values.size(); ++v) {
                    if (values.at(v).typeId() == QMetaType::Int)
                        sqlite3_bind_int(statement, v + 1, values.at(v).toInt());
                    else
                        bindText(statement, v + 1, values.at(v).toString().toStdString());
                }
                bindText(statement, static_cast<int>(values.size()) + 1, nowText);
                stepToEnd(statement, "raw logout");
            }
        };
        Figure whole{"RunAutoLogout (7 rules from the settings)", {}, {}};
        measure(
            &whole, slowReps, [&](int) { check(RunAutoLogout(), "RunAutoLogout"); }, rawPass);
        print(whole);
        Figure statements{"  its 7 updates through RunSQL", {}, {}};
        measure(
            &statements, slowReps,
            [&](int) {
                const QVariant nowText = QString::fromStdString(dateText(std::time(nullptr)));
                for (const AutoLogoutStatement& update : updates)
                    check(db::RunSQL(update.sql, update.values + QVariantList{nowText}), "logout");
            },
            rawPass);
        print(statements);
    }
    db::ReleaseConnection();
    return 0;
}
