// The only file that calls the PPD functions of libcups: they are marked deprecated, yet they
// are still the way to read a queue's paper names and roll choices in CUPS 2.4. This file is
// compiled with deprecation warnings that do not fail the build.
#include "checkin/printing/ppdaccess.h"

#include <QByteArray>
#include <QFile>
#include <QRegularExpression>
#include <cups/cups.h>
#include <cups/ppd.h>
#include <memory>

namespace zelkora::printing {

namespace {

QString text(const char* s) {
    return s ? QString::fromUtf8(s) : QString();
}

struct PpdCloser {
    void operator()(ppd_file_t* ppd) const { ppdClose(ppd); }
};

// "300dpi", "300x300dpi", "203x203dpi" → the first number.
int dotsPerInch(const QString& value) {
    static const QRegularExpression number(QStringLiteral("^\\s*(\\d+)"));
    const auto match = number.match(value);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

} // namespace

PpdFacts ReadQueuePpd(const QString& queue) {
    PpdFacts facts;
    const QString name = queue.section(QLatin1Char('/'), 0, 0);
    if (name.isEmpty())
        return facts;

    const QByteArray queueName = name.toUtf8();
    const char* fetched = cupsGetPPD2(CUPS_HTTP_DEFAULT, queueName.constData());
    if (!fetched)
        return facts;
    // cupsGetPPD2 hands back a temporary copy the caller removes.
    const QString path = QString::fromLocal8Bit(fetched);
    const std::unique_ptr<ppd_file_t, PpdCloser> ppd(ppdOpenFile(fetched));
    QFile::remove(path);
    if (!ppd)
        return facts;

    facts.found = true;
    facts.modelName = text(ppd->modelname);

    if (ppd_option_t* slots = ppdFindOption(ppd.get(), "InputSlot")) {
        for (int i = 0; i < slots->num_choices; ++i)
            facts.inputSlots.append(text(slots->choices[i].choice));
    }
    if (ppd_option_t* sizes = ppdFindOption(ppd.get(), "PageSize")) {
        facts.defaultPageSize = text(sizes->defchoice);
        for (int i = 0; i < sizes->num_choices; ++i) {
            const ppd_choice_t& choice = sizes->choices[i];
            PpdPaper paper;
            paper.keyword = text(choice.choice);
            paper.text = text(choice.text);
            if (const ppd_size_t* size = ppdPageSize(ppd.get(), choice.choice))
                paper.points = QSizeF(size->width, size->length);
            facts.papers.append(paper);
        }
    }
    if (const ppd_attr_t* resolution = ppdFindAttr(ppd.get(), "DefaultResolution", nullptr))
        facts.resolution = dotsPerInch(text(resolution->value));
    return facts;
}

} // namespace zelkora::printing
