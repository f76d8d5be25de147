#pragma once

#include "db/dbtestsupport.h"
#include "settings/vraxsettings.h"
#include "support/fixedclock.h"

namespace zelkora::test {

// A delivered database at a fixed "now" (10 March 2026, 11:35:10), with helpers to add visits.
class CheckoutTest : public DatabaseTest {
public:
    static QDateTime now() { return QDateTime(QDate(2026, 3, 10), QTime(11, 35, 10)); }

protected:
    // An open visit of `typeId` checked in at `logIn`; returns its ID.
    qint32 visit(int typeId, const QDateTime& logIn, const QString& name = QStringLiteral("Pat"),
                 const QVariant& info1 = {}, const QVariant& info2 = {},
                 const QString& badgeName = QStringLiteral("Visitor")) {
        QVariantList fields(10);
        fields[8] = info1;
        fields[9] = info2;
        db::ExecResult result;
        const StationError error =
            db::RunSP(QStringLiteral("qAddLabel"),
                      addLabelParameters(typeId, badgeName, name, logIn, fields), &result);
        EXPECT_FALSE(error.isError()) << error;
        return result.returnedId.toInt();
    }
    void close(qint32 id, const QDateTime& when) {
        EXPECT_FALSE(db::RunSP(QStringLiteral("qLogOut"), logOutParameters(when, id)).isError());
    }
    QVariant logOutOf(qint32 id) {
        return rawColumn(QStringLiteral("SELECT LogOutTime FROM Labels WHERE ID = ?"), {id})
            .value(0);
    }
    // Marks the label numbers in `oneStep` as checking in and out in one step.
    static void oneStepTypes(const QList<int>& oneStep) {
        cVRAXSettings settings;
        ASSERT_FALSE(settings.LoadValues().isError());
        for (int label = 1; label <= 7; ++label)
            settings.setLabelIncludeCheckinAndCheckout(label, oneStep.contains(label));
        ASSERT_FALSE(settings.SaveValues().isError());
    }

    FixedClock clock{now()};
};

} // namespace zelkora::test
