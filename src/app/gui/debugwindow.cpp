#include "app/gui/debugwindow.h"

#include <QCloseEvent>
#include <QListWidget>

namespace zelkora {

namespace {
// Offsets of the list inside the window, kept on every resize.
constexpr int kListLeft = 8;
constexpr int kListTop = 8;

// The platform's close reasons written to the log.
enum CloseReason { ClosedByUser = 0, ClosedByProgram = 1 };
} // namespace

DebugWindow::DebugWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_list(new QListWidget(this)) {
    setObjectName(QStringLiteral("frmDebug"));
    setWindowTitle(QStringLiteral("Debug Window"));
    m_list->setObjectName(QStringLiteral("lstDebug"));
    m_list->setAccessibleName(QStringLiteral("Log lines, newest first"));
    m_list->move(kListLeft, kListTop);
    resize(640, 400);
}

void DebugWindow::showWindow() {
    if (m_closedByUser)
        return;
    show();
}

bool DebugWindow::isWindowVisible() const {
    return isVisible();
}

void DebugWindow::insertAtTop(const QString& line) {
    m_list->insertItem(0, line);
}

void DebugWindow::closeByProgram() {
    m_closingByProgram = true;
    close();
    m_closingByProgram = false;
}

void DebugWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int left = m_list->x();
    const int top = m_list->y();
    m_list->resize(qMax(0, width() - 2 * left), qMax(0, height() - 2 * top));
}

void DebugWindow::closeEvent(QCloseEvent* event) {
    const int reason = m_closingByProgram ? ClosedByProgram : ClosedByUser;
    WriteLog(QStringLiteral("frmDebug_QueryUnload = ") + QString::number(reason));
    if (reason == ClosedByUser)
        m_closedByUser = true;
    QWidget::closeEvent(event);
}

} // namespace zelkora
