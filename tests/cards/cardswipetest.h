#pragma once

#include "app/core/programstate.h"
#include "cards/cardswipe.h"
#include "db/dbtestsupport.h"
#include "db/sqldialect.h"
#include "settings/settingsstore.h"
#include "support/fixedclock.h"

#include <memory>

namespace zelkora::test {

// A station at schema version 1 (with PredefinedList) and a fixed clock.
class CardSwipeTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        ASSERT_FALSE(db::RunSQL(db::Dialect().createPredefinedListTable()).isError());
        clock = std::make_unique<FixedClock>(at("2024-03-05 08:30:00"));
        programState().cardHolderName.clear();
        programState().cardCheckIn = false;
    }
    void TearDown() override {
        clock.reset();
        programState().cardHolderName.clear();
        programState().cardCheckIn = false;
        DatabaseTest::TearDown();
    }

    void registerCard(const QString& card, const QString& first, const QString& last,
                      const QVariant& labelType) {
        const StationError error = db::RunSQL(
            QStringLiteral("INSERT INTO PredefinedList (LabelTypeID, LastName, FirstName, "
                           "RFCardID) VALUES (?, ?, ?, ?)"),
            {labelType, last, first, card});
        ASSERT_FALSE(error.isError()) << error;
    }

    // A visit opened directly through qAddLabel, carrying `card` in Field4 (null when empty).
    qlonglong openVisit(const QString& card, const char* logIn, int typeId = 0) {
        db::ExecResult added;
        QVariantList fields(10, QString());
        fields[3] = card;
        const StationError error =
            db::RunSP(QStringLiteral("qAddLabel"),
                      addLabelParameters(typeId, QStringLiteral("Visitor"),
                                         QStringLiteral("Someone"), at(logIn), fields),
                      &added);
        EXPECT_FALSE(error.isError()) << error;
        return added.returnedId.toLongLong();
    }

    // The stored text of one column of visit `id`.
    QVariant column(qlonglong id, const char* name) {
        return rawColumn(QStringLiteral("SELECT ") + QLatin1String(name) +
                             QStringLiteral(" FROM Labels WHERE ID = ?"),
                         {id})
            .value(0);
    }
    int visitCount() {
        return rawColumn(QStringLiteral("SELECT COUNT(*) FROM Labels")).value(0).toInt();
    }

    std::unique_ptr<FixedClock> clock;
};

} // namespace zelkora::test
