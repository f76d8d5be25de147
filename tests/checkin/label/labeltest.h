#pragma once

#include "checkin/label/securitylabel.h"
#include "support/pdftext.h"

#include <QImage>
#include <QList>
#include <QString>

namespace zelkora::test {

// Renders every page of `report` into a PDF file the way the printing layer does: the report's
// page layout, start() with the writer, one page after the other.
StationError RenderReportPdf(printing::Report& report, const QString& path, int resolution = 1200);

// A made-up portrait photo (head and shoulders before a soft backdrop) for samples.
QImage SamplePortrait(QSize size, QColor backdrop, QColor shirt);

} // namespace zelkora::test
