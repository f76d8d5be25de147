#pragma once

#include <QList>
#include <QSizeF>
#include <QString>
#include <QStringList>

namespace zelkora::printing {

// One PageSize choice of a queue's PPD: its keyword ("w167h288"), its text ("30256 Shipping")
// and its size in points (width, length).
struct PpdPaper {
    QString keyword;
    QString text;
    QSizeF points;
};

// What the printing layer needs to know from a queue's PPD.
struct PpdFacts {
    bool found = false;     // the queue exists and its PPD could be read
    QString modelName;      // *ModelName, e.g. "DYMO LabelWriter Twin Turbo"
    QStringList inputSlots; // InputSlot choice keywords in PPD order, e.g. Auto, Left, Right
    QList<PpdPaper> papers; // PageSize choices in PPD order
    QString defaultPageSize;
    int resolution = 0; // dots per inch of the default resolution; 0 when the PPD names none
};

// Fetches the PPD of `queue` (a "name/instance" destination uses the queue's PPD) from the
// scheduler and reads it; `found` is false when the queue is unknown, has no PPD or the
// scheduler cannot be reached.
PpdFacts ReadQueuePpd(const QString& queue);

} // namespace zelkora::printing
