#pragma once

#include "util/error.h"

#include <QPageLayout>
#include <QString>
#include <optional>

class QPainter;
class QPaintDevice;

namespace zelkora::printing {

// Where and how a report prints: the queue, its port (the CUPS device URI), the paper bin
// (roll) and paper size as the queue names them, and the orientation (1 portrait, 2 landscape).
struct PrinterSettings {
    QString deviceName;
    QString port;
    QString paperBin;      // the PPD InputSlot choice, e.g. "Left"; empty for the queue's default
    QString paperSizeCode; // the PPD PageSize keyword, e.g. "w167h288"; empty for the default
    // 1 portrait, 2 landscape; 0 (the default) keeps the orientation of the report's own page
    // layout, as a report-start event that sets the orientation itself would.
    int orientation = 0;
};

// A report design the printing layer runs: it lays its pages out on demand, so a preview of a
// report of thousands of pages shows the first page at once.
//
// The layer calls start() before the first page of each rendering (a preview, a print, a PDF
// file), then paintPage() for the pages it needs, in any order and possibly more than once for
// the same page; painting a page must therefore depend only on its index.
class Report {
public:
    virtual ~Report() = default;

    // The paper and orientation the design is laid out for.
    virtual QPageLayout pageLayout() const = 0;

    // The report-start event: runs before the first page of each rendering, with the device the
    // pages will be painted on (its resolution and font metrics are the ones to measure with).
    virtual StationError start(QPaintDevice& device) = 0;

    // Paints page `index` (from 0) with `painter`, whose device is the one given to start() or a
    // stand-in with the same size and metrics that keeps nothing (used to learn whether a page
    // exists when pageCount() does not tell). Returns false when the report has no such page,
    // or with `error` set when the report code failed (the caller ends the print or preview and
    // reports it).
    virtual bool paintPage(int index, QPainter& painter, StationError* error) = 0;

    // The number of pages when the report knows it without laying every page out.
    virtual std::optional<int> pageCount() const { return std::nullopt; }

protected:
    Report() = default;
    Report(const Report&) = default;
    Report& operator=(const Report&) = default;
};

} // namespace zelkora::printing
