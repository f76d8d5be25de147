#include "helpdocs.h"

#include "palette.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <algorithm>

namespace zelkora::artwork {

namespace {

QColor bodyInk() {
    return QColor(0x1d, 0x2b, 0x36);
}

bool isCode(const QTextCharFormat& format) {
    if (format.fontFixedPitch())
        return true;
    const QStringList families = format.fontFamilies().toStringList();
    return std::any_of(families.cbegin(), families.cend(), [](const QString& family) {
        return family.contains(QLatin1String("mono"), Qt::CaseInsensitive) ||
               family.contains(QLatin1String("courier"), Qt::CaseInsensitive);
    });
}

// Tables: single hairlines, padded cells, a tinted heading row, the first column narrower.
void styleTables(QTextFrame* frame) {
    const QList<QTextFrame*> children = frame->childFrames();
    for (QTextFrame* child : children) {
        if (auto* table = qobject_cast<QTextTable*>(child)) {
            QTextTableFormat format = table->format();
            format.setBorder(1);
            format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            format.setBorderBrush(rule());
            format.setBorderCollapse(true);
            format.setCellSpacing(0);
            format.setCellPadding(5);
            format.setTopMargin(6);
            format.setBottomMargin(8);
            format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
            if (table->columns() == 2)
                format.setColumnWidthConstraints({QTextLength(QTextLength::PercentageLength, 42),
                                                  QTextLength(QTextLength::PercentageLength, 58)});
            table->setFormat(format);
            for (int column = 0; column < table->columns(); ++column) {
                QTextTableCell cell = table->cellAt(0, column);
                QTextCharFormat heading = cell.format();
                heading.setBackground(mist());
                cell.setFormat(heading);
            }
        }
        styleTables(child);
    }
}

// Gives every block the station's look while keeping the emphasis written in the source.
void restyle(QTextDocument& doc) {
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        QTextCursor cursor(block);
        QTextBlockFormat blockFormat = block.blockFormat();
        const int level = blockFormat.headingLevel();
        QTextCharFormat chars;
        if (level == 1) {
            chars.setFontFamilies({headingFace()});
            chars.setFontPointSize(24);
            chars.setFontWeight(QFont::Black);
            chars.setForeground(navy());
            blockFormat.setTopMargin(0);
            blockFormat.setBottomMargin(14);
        } else if (level == 2) {
            chars.setFontFamilies({headingFace()});
            chars.setFontPointSize(15);
            chars.setFontWeight(QFont::Bold);
            chars.setForeground(teal());
            blockFormat.setTopMargin(16);
            blockFormat.setBottomMargin(5);
        } else if (level >= 3) {
            chars.setFontFamilies({headingFace()});
            chars.setFontPointSize(11.5);
            chars.setFontWeight(QFont::Bold);
            chars.setForeground(navy());
            blockFormat.setTopMargin(11);
            blockFormat.setBottomMargin(3);
        } else {
            chars.setFontFamilies({bodyFace()});
            chars.setFontPointSize(10.5);
            chars.setForeground(bodyInk());
            blockFormat.setTopMargin(block.textList() ? 1 : 3);
            blockFormat.setBottomMargin(block.textList() ? 1 : 5);
            blockFormat.setLineHeight(128, QTextBlockFormat::ProportionalHeight);
        }
        blockFormat.setNonBreakableLines(false);
        if (level > 0)
            blockFormat.setPageBreakPolicy(QTextFormat::PageBreak_Auto);
        cursor.setBlockFormat(blockFormat);
        // List markers are drawn in the block's own character format.
        QTextCharFormat marker = block.charFormat();
        marker.merge(chars);
        cursor.setBlockCharFormat(marker);
        // Fragment by fragment, so that inline code keeps a fixed-pitch face.
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat format = chars;
            if (level == 0 && isCode(fragment.charFormat())) {
                format.setFontFamilies({QStringLiteral("Liberation Mono")});
                format.setFontPointSize(9.5);
                format.setForeground(navy());
            }
            QTextCursor part(&doc);
            part.setPosition(fragment.position());
            part.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            part.mergeCharFormat(format);
        }
    }
    styleTables(doc.rootFrame());
}

QString firstTitle(const QTextDocument& doc) {
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 1)
            return block.text();
    }
    return QStringLiteral("Zelkora");
}

} // namespace

bool writeHelpDocument(const QString& sourcePath, const QString& pdfPath, const QString& version,
                       QString* error) {
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(sourcePath, source.errorString());
        return false;
    }
    const QString markdown = QString::fromUtf8(source.readAll());

    QPdfWriter writer(pdfPath);
    writer.setResolution(600);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                     QMarginsF(20, 16, 20, 14), QPageLayout::Millimeter));
    writer.setCreator(QStringLiteral("Zelkora ") + version);

    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&writer);
    doc.setDocumentMargin(0);
    doc.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    restyle(doc);
    const QString title = firstTitle(doc);
    writer.setTitle(title);

    // Device pixels: the page's printable area holds a header band, the text and a footer band.
    const qreal mm = writer.resolution() / 25.4;
    const QRect area = writer.pageLayout().paintRectPixels(writer.resolution());
    const qreal headerHeight = 11 * mm;
    const qreal footerHeight = 10 * mm;
    const QSizeF body(area.width(), area.height() - headerHeight - footerHeight);
    // Every page of the layout carries a blank margin top and bottom, so the tops of the glyphs
    // that begin a page never show at the foot of the page before.
    const qreal gap = 8;
    const qreal gapPixels = gap * writer.resolution() / 96.0;
    QTextFrameFormat root = doc.rootFrame()->frameFormat();
    root.setTopMargin(gap);
    root.setBottomMargin(gap);
    doc.rootFrame()->setFrameFormat(root);
    const QSizeF layoutPage(body.width(), body.height() + 2 * gapPixels);
    doc.setPageSize(layoutPage);
    const int pages = doc.pageCount();
    QPainter painter;
    if (!painter.begin(&writer)) {
        if (error)
            *error = QStringLiteral("%1: cannot be written").arg(pdfPath);
        return false;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    QFont small(bodyFace());
    small.setPointSizeF(8.5);
    QFont mark(headingFace());
    mark.setPointSizeF(9.5);
    mark.setWeight(QFont::Black);
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            writer.newPage();
        // Running header: the program's name and the document's title over a teal rule.
        painter.setPen(navy());
        painter.setFont(mark);
        const QRectF headerText(0, 0, body.width(), headerHeight - 3 * mm);
        painter.drawText(headerText, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("ZELKORA"));
        painter.setFont(small);
        painter.setPen(bodyInk());
        painter.drawText(headerText, Qt::AlignRight | Qt::AlignVCenter, title);
        painter.fillRect(QRectF(0, headerHeight - 3 * mm, body.width(), 0.6 * mm), teal());

        painter.save();
        painter.translate(0, headerHeight - gapPixels - page * layoutPage.height());
        doc.drawContents(&painter, QRectF(0, page * layoutPage.height(), layoutPage.width(),
                                          layoutPage.height()));
        painter.restore();

        // Running footer: version and page number under a hairline.
        const qreal footerTop = headerHeight + body.height();
        painter.fillRect(QRectF(0, footerTop + 2 * mm, body.width(), 0.25 * mm), rule());
        painter.setFont(small);
        painter.setPen(bodyInk());
        const QRectF footerText(0, footerTop + 3 * mm, body.width(), footerHeight - 3 * mm);
        painter.drawText(footerText, Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("Zelkora %1").arg(version));
        painter.drawText(footerText, Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages));
    }
    if (!painter.end()) {
        if (error)
            *error = QStringLiteral("%1: cannot be written").arg(pdfPath);
        return false;
    }
    return true;
}

} // namespace zelkora::artwork
