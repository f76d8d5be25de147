#pragma once

#include <QImage>
#include <QList>
#include <QSizeF>
#include <QString>

namespace zelkora::test {

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

// The words of `pdf` from `pdftotext -bbox`, and the number of pages; empty when the tool fails.
QList<PdfWord> PdfWords(const QString& pdf, int* pages = nullptr);
// The words of `page` whose middle lies within `tolerance` points of the height of `word`'s,
// left to right, joined by blanks.
QString LineOf(const QList<PdfWord>& words, const PdfWord& word, double tolerance = 3);
// As LineOf, from `word` on to the right.
QString LineFrom(const QList<PdfWord>& words, const PdfWord& word, double tolerance = 3);
// The first word equal to `text` on `page`, or nullptr.
const PdfWord* FindWord(const QList<PdfWord>& words, const QString& text, int page = 0);
// The words of `page` joined by blanks in reading order.
QString PageText(const QList<PdfWord>& words, int page);

// Page sizes of `pdf` in points.
QList<QSizeF> PdfPageSizes(const QString& pdf);

// Page `page` (from 1) of `pdf` rasterised by pdftoppm at `dpi`; null when the tool fails.
QImage PdfPageImage(const QString& pdf, int dpi, int page = 1);
// Writes page `page` of `pdf` as the PNG file `png` with pdftoppm.
bool PdfPageToPng(const QString& pdf, const QString& png, int dpi, int page = 1);

} // namespace zelkora::test
