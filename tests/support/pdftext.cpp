#include "support/pdftext.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>

namespace zelkora::test {

namespace {

QByteArray runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

QString bboxHtml(const QString& pdf) {
    return QString::fromUtf8(
        runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}));
}

} // namespace

QList<PdfWord> PdfWords(const QString& pdf, int* pages) {
    static const QRegularExpression pageTag(QStringLiteral("<page "));
    static const QRegularExpression wordTag(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<PdfWord> words;
    int page = -1;
    const QString html = bboxHtml(pdf);
    for (const QString& line : html.split(QLatin1Char('\n'))) {
        if (line.contains(pageTag))
            ++page;
        const QRegularExpressionMatch m = wordTag.match(line);
        if (!m.hasMatch())
            continue;
        QString text = m.captured(5);
        text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
        text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
        text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
        text.replace(QStringLiteral("&apos;"), QStringLiteral("'"));
        text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        words.append({page, text, m.captured(1).toDouble(), m.captured(2).toDouble(),
                      m.captured(3).toDouble(), m.captured(4).toDouble()});
    }
    if (pages)
        *pages = page + 1;
    return words;
}

namespace {

QString line(const QList<PdfWord>& words, const PdfWord& word, double tolerance, double fromX) {
    QList<PdfWord> line;
    for (const PdfWord& w : words) {
        if (w.page == word.page && std::abs(w.centerY() - word.centerY()) <= tolerance &&
            w.xMin >= fromX)
            line.append(w);
    }
    std::sort(line.begin(), line.end(),
              [](const PdfWord& a, const PdfWord& b) { return a.xMin < b.xMin; });
    QStringList texts;
    for (const PdfWord& w : line)
        texts << w.text;
    return texts.join(QLatin1Char(' '));
}

} // namespace

QString LineOf(const QList<PdfWord>& words, const PdfWord& word, double tolerance) {
    return line(words, word, tolerance, -1);
}

QString LineFrom(const QList<PdfWord>& words, const PdfWord& word, double tolerance) {
    return line(words, word, tolerance, word.xMin);
}

const PdfWord* FindWord(const QList<PdfWord>& words, const QString& text, int page) {
    for (const PdfWord& w : words) {
        if (w.page == page && w.text == text)
            return &w;
    }
    return nullptr;
}

QString PageText(const QList<PdfWord>& words, int page) {
    QStringList texts;
    for (const PdfWord& w : words) {
        if (w.page == page)
            texts << w.text;
    }
    return texts.join(QLatin1Char(' '));
}

QList<QSizeF> PdfPageSizes(const QString& pdf) {
    static const QRegularExpression pageTag(
        QStringLiteral(R"re(<page width="([\d.]+)" height="([\d.]+)">)re"));
    QList<QSizeF> sizes;
    auto it = pageTag.globalMatch(bboxHtml(pdf));
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        sizes.append({m.captured(1).toDouble(), m.captured(2).toDouble()});
    }
    return sizes;
}

bool PdfPageToPng(const QString& pdf, const QString& png, int dpi, int page) {
    QString prefix = png;
    if (prefix.endsWith(QStringLiteral(".png")))
        prefix.chop(4);
    runTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
             QString::number(page), QStringLiteral("-l"), QString::number(page),
             QStringLiteral("-singlefile"), QStringLiteral("-png"), pdf, prefix});
    return QFile::exists(prefix + QStringLiteral(".png"));
}

QImage PdfPageImage(const QString& pdf, int dpi, int page) {
    QTemporaryDir dir;
    const QString png = dir.path() + QStringLiteral("/page.png");
    if (!PdfPageToPng(pdf, png, dpi, page))
        return {};
    return QImage(png);
}

} // namespace zelkora::test
