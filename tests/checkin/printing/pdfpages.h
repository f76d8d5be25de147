#pragma once

#include <QFile>
#include <QRegularExpression>
#include <QSizeF>
#include <QString>

namespace zelkora::test {

// What a test needs to know of a PDF written by Qt: its page count and the first page's size.
struct PdfFacts {
    int pages = 0;
    QSizeF firstPagePoints;
};

inline PdfFacts readPdf(const QString& path) {
    PdfFacts facts;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return facts;
    const QString text = QString::fromLatin1(file.readAll());
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![A-Za-z])"));
    facts.pages = static_cast<int>(text.count(page));
    static const QRegularExpression box(
        QStringLiteral("/MediaBox\\s*\\[\\s*([-\\d.]+)\\s+([-\\d.]+)\\s+([-\\d.]+)\\s+([-\\d.]+)"));
    const auto match = box.match(text);
    if (match.hasMatch())
        facts.firstPagePoints = QSizeF(match.captured(3).toDouble() - match.captured(1).toDouble(),
                                       match.captured(4).toDouble() - match.captured(2).toDouble());
    return facts;
}

} // namespace zelkora::test
