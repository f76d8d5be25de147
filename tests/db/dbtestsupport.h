#pragma once

#include "db/accessdatabase.h"
#include "db/schema.h"
#include "support/testenv.h"

#include <QDateTime>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariantList>
#include <gtest/gtest.h>

namespace zelkora {

inline std::ostream& operator<<(std::ostream& out, const StationError& e) {
    return out << e.number << " " << e.description.toStdString() << " / " << e.source.toStdString();
}

} // namespace zelkora

namespace zelkora::test {

// A station whose folder holds a freshly delivered database.
class DatabaseTest : public StationTest {
protected:
    void SetUp() override {
        StationTest::SetUp();
        ASSERT_TRUE(QDir().mkpath(stationDir()));
        QStringList created;
        QString error;
        ASSERT_TRUE(db::CreateDeliveredDatabase(stationDir(), &created, &error))
            << error.toStdString();
    }
    void TearDown() override {
        db::ReleaseConnection();
        db::SetBusyTimeout(5000);
        closeRaw();
        StationTest::TearDown();
    }

    QString databasePath() const { return stationDir() + QStringLiteral("orvsecuritybe.mdb"); }

    // A connection of the test's own, beside the layer's, as another program would have.
    QSqlDatabase raw() {
        if (!QSqlDatabase::contains(QStringLiteral("test-raw"))) {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("test-raw"));
            db.setDatabaseName(databasePath());
            EXPECT_TRUE(db.open());
        }
        return QSqlDatabase::database(QStringLiteral("test-raw"));
    }
    void closeRaw() {
        if (QSqlDatabase::contains(QStringLiteral("test-raw"))) {
            QSqlDatabase::database(QStringLiteral("test-raw")).close();
            QSqlDatabase::removeDatabase(QStringLiteral("test-raw"));
        }
    }
    // The first column of every row of `sql`, read through the test's own connection.
    QVariantList rawColumn(const QString& sql, const QVariantList& values = {}) {
        QSqlQuery query(raw());
        EXPECT_TRUE(query.prepare(sql)) << query.lastError().text().toStdString();
        for (int i = 0; i < values.size(); ++i)
            query.bindValue(i, values.at(i));
        EXPECT_TRUE(query.exec()) << query.lastError().text().toStdString();
        QVariantList column;
        while (query.next())
            column << query.value(0);
        return column;
    }
    bool rawExec(const QString& sql) {
        QSqlQuery query(raw());
        const bool ok = query.exec(sql);
        EXPECT_TRUE(ok) << sql.toStdString() << ": " << query.lastError().text().toStdString();
        return ok;
    }

    // The fourteen parameters of qAddLabel.
    static db::Parameters addLabelParameters(const QVariant& typeId, const QVariant& badgeName,
                                             const QVariant& name, const QVariant& logInTime,
                                             const QVariantList& fields = {}) {
        db::Parameters p{{QStringLiteral("@TypeID"), db::ParamInteger, 4, typeId},
                         {QStringLiteral("@BadgeName"), db::ParamVarChar, 50, badgeName},
                         {QStringLiteral("@Name"), db::ParamVarChar, 50, name},
                         {QStringLiteral("@LogInTime"), db::ParamTimeStamp, 8, logInTime}};
        for (int i = 1; i <= 10; ++i)
            p.append({QStringLiteral("@Field%1").arg(i), db::ParamVarChar, 50,
                      fields.value(i - 1, QString())});
        return p;
    }
    static db::Parameters logOutParameters(const QVariant& when, const QVariant& id) {
        return {{QStringLiteral("@LogOutTime"), db::ParamTime, 8, when},
                {QStringLiteral("@ID"), db::ParamInteger, 4, id}};
    }
    static QDateTime at(const char* text) {
        return QDateTime::fromString(QLatin1String(text), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
};

} // namespace zelkora::test
