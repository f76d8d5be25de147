#pragma once

#include "checkin/label/securitylabel.h"

#include <QImage>
#include <QList>
#include <QString>

namespace zelkora::test {

// Renders every page of `report` into a PDF file the way the printing layer does: the report's
// page layout, start() with the writer, one page after the other.
StationError RenderReportPdf(printing::Report& report, const QString& path, int resolution = 1200);

// One word of a PDF page as poppler reads it back, in points from the page's top left corner.
struct PdfWord {
    int page = 0; // from 0
    QString text;
    double xMin = 0;
    double yMin = 0;
    double xMax = 0;
    double yMax = 0;

    double centerX() const { return (xMin + xMax) / 2; }
    double centerY() const { return (yMin + yMax) / 2; }
};

// The words of `pdf` from `pdftotext -bbox`; empty when the tool fails.
QList<PdfWord> PdfWords(const QString& pdf);
// The first word equal to `text` on `page`, or nullptr.
const PdfWord* FindWord(const QList<PdfWord>& words, const QString& text, int page = 0);
// Page sizes of `pdf` in points from `pdftotext -bbox`.
QList<QSizeF> PdfPageSizes(const QString& pdf);

// Page `page` (from 1) of `pdf` rasterised by pdftoppm at `dpi`; null when the tool fails.
QImage PdfPageImage(const QString& pdf, int dpi, int page = 1);

// A made-up portrait photo (head and shoulders before a soft backdrop) for samples.
QImage SamplePortrait(QSize size, QColor backdrop, QColor shirt);

} // namespace zelkora::test
