#include <QApplication>
#include <gtest/gtest.h>

// Every test binary owns one application object, so that widgets, fonts and the event loop are
// available; CTest runs them on the offscreen platform.
int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
