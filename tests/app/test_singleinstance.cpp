#include "app/core/singleinstance.h"
#include "support/testenv.h"

#include <QFileInfo>

namespace zelkora {
namespace {

using SingleInstanceTest = test::StationTest;

TEST_F(SingleInstanceTest, SecondCopyOfTheSameStationIsRefused) {
    SingleInstance first(stationDir());
    ASSERT_TRUE(first.acquire());
    EXPECT_TRUE(first.lockPath().startsWith(runtimeDir()));

    SingleInstance second(stationDir());
    EXPECT_FALSE(second.acquire());
    EXPECT_TRUE(first.acquire()) << "the refused copy must not disturb the running one";

    SingleInstance otherStation(root() + QStringLiteral("/elsewhere/"));
    EXPECT_TRUE(otherStation.acquire());
}

TEST_F(SingleInstanceTest, LockIsFreedWhenTheCopyEnds) {
    QString path;
    {
        SingleInstance first(stationDir());
        ASSERT_TRUE(first.acquire());
        path = first.lockPath();
    }
    EXPECT_FALSE(QFileInfo::exists(path));
    SingleInstance next(stationDir());
    EXPECT_TRUE(next.acquire());
}

} // namespace
} // namespace zelkora
