#include "util/gui/hourglass.h"

#include <QCursor>
#include <QGuiApplication>

namespace zelkora {

cHourglass::cHourglass() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        m_active = true;
    }
}

cHourglass::~cHourglass() {
    // The override cursors form a stack, so popping ours gives back whatever was shown before.
    if (m_active && qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::restoreOverrideCursor();
}

} // namespace zelkora
