// Renders the sample badges shown in the documentation, through the same report and PDF
// writer a check-in uses: `zelkora-badge-samples <folder>`.
#include "checkin/label/securitylabel.h"
#include "labeltest.h"

#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

using zelkora::clsReportInfo;

struct Sample {
    const char* file;
    clsReportInfo info;
    bool photo = false;
};

clsReportInfo record(const char* company, const char* name, const char* title, qint32 id,
                     QDateTime when) {
    clsReportInfo info;
    info.CompanyName = QString::fromUtf8(company);
    info.PersonsName = QString::fromUtf8(name);
    info.BadgeName = QString::fromUtf8(title);
    info.BadgeID = id;
    info.PrintDate = when;
    return info;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: zelkora-badge-samples <folder>\n");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QLatin1Char('/');
    QDir().mkpath(out);

    // The fitting writes its settings back: keep them away from the user's own store.
    QTemporaryDir scratch;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(scratch.path() + QStringLiteral("/config")));
    qputenv("ZELKORA_HOME", QFile::encodeName(scratch.path() + QStringLiteral("/station")));

    const QString photo = scratch.path() + QStringLiteral("/photo.jpg");
    zelkora::test::SamplePortrait({600, 720}, QColor(0x7d, 0x9c, 0xb8), QColor(0x2d, 0x4a, 0x6e))
        .save(photo, "JPEG", 92);

    const QDate day(2024, 3, 14);
    std::vector<Sample> samples;

    Sample visitor{"badge-visitor",
                   record("Northwind Engineering", "Maria Lindqvist", "VISITOR", 1042,
                          QDateTime(day, QTime(9, 5))),
                   true};
    visitor.info.PrintedInfo1 = QStringLiteral("Host: Daniel Okafor");
    visitor.info.PrintedInfo2 = QStringLiteral("Escort required beyond lobby");
    samples.push_back(visitor);

    samples.push_back(
        {"badge-nameless",
         record("Northwind Engineering", "", "CONTRACTOR", 0, QDateTime(day, QTime(7, 40))),
         false});

    Sample upper{"badge-uppercase",
                 record("Northwind Engineering", "Jean-Luc Moreau", "Delivery", 1043,
                        QDateTime(day, QTime(14, 27))),
                 false};
    upper.info.ForceUppercase = true;
    upper.info.PrintedInfo1 = QStringLiteral("Loading dock 3");
    samples.push_back(upper);

    Sample longTitle{"badge-long-title",
                     record("Northwind Engineering", "Priya Raghunathan",
                            "Visiting Researcher, Advanced Materials Laboratory", 1044,
                            QDateTime(day, QTime(16, 52))),
                     true};
    longTitle.info.PrintedInfo1 = QStringLiteral("Building C, level 2");
    samples.push_back(longTitle);

    int failures = 0;
    for (Sample& sample : samples) {
        if (sample.photo)
            sample.info.ImagePath = photo;
        zelkora::rptSecurityLabel report(sample.info);
        const QString pdf = out + QString::fromLatin1(sample.file) + QStringLiteral(".pdf");
        const zelkora::StationError error = zelkora::test::RenderReportPdf(report, pdf);
        if (error.isError()) {
            std::fprintf(stderr, "%s: %s\n", sample.file, qPrintable(error.description));
            ++failures;
            continue;
        }
        QProcess::execute(QStringLiteral("pdftoppm"),
                          {QStringLiteral("-r"), QStringLiteral("200"),
                           QStringLiteral("-singlefile"), QStringLiteral("-png"), pdf,
                           out + QString::fromLatin1(sample.file)});
    }
    return failures == 0 ? 0 : 1;
}
