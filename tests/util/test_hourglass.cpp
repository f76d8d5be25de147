#include "util/gui/hourglass.h"

#include <QCursor>
#include <QGuiApplication>
#include <gtest/gtest.h>

namespace zelkora {
namespace {

Qt::CursorShape overrideShape() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor ? cursor->shape() : Qt::BlankCursor;
}

TEST(Hourglass, ShowsTheWaitCursorWhileItLives) {
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        cHourglass wait;
        EXPECT_EQ(overrideShape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(Hourglass, RestoresThePreviousCursorAndNests) {
    QGuiApplication::setOverrideCursor(Qt::PointingHandCursor);
    {
        cHourglass outer;
        EXPECT_EQ(overrideShape(), Qt::WaitCursor);
        {
            cHourglass inner;
            EXPECT_EQ(overrideShape(), Qt::WaitCursor);
        }
        EXPECT_EQ(overrideShape(), Qt::WaitCursor);
    }
    EXPECT_EQ(overrideShape(), Qt::PointingHandCursor);
    QGuiApplication::restoreOverrideCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace
} // namespace zelkora
