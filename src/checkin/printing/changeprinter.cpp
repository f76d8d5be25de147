#include "checkin/printing/changeprinter.h"

#include "checkin/printing/ppdaccess.h"

#include <QByteArray>
#include <cups/cups.h>

namespace zelkora::printing {

namespace {

const QString kTwinTurboModel = QStringLiteral("DYMO LabelWriter Twin Turbo");

QString text(const char* s) {
    return s ? QString::fromUtf8(s) : QString();
}

QString destName(const cups_dest_t& dest) {
    QString name = text(dest.name);
    if (dest.instance)
        name += QLatin1Char('/') + text(dest.instance);
    return name;
}

QString destOption(const cups_dest_t& dest, const char* option) {
    return text(cupsGetOption(option, dest.num_options, dest.options));
}

StationError notFound(const QString& name) {
    const QString description = name.isEmpty()
                                    ? QStringLiteral("No printer is selected.")
                                    : QStringLiteral("The printer \"%1\" is not installed: %2")
                                          .arg(name, text(cupsLastErrorString()));
    return StationError{kErrPrinterNotFound, description, QStringLiteral("CHangePrinter")};
}

} // namespace

QStringList PaperRollChoices() {
    return {QStringLiteral("Default Paper Roll"), QStringLiteral("Left Paper Roll"),
            QStringLiteral("Right Paper Roll")};
}

QStringList PaperSizeChoices() {
    return {QStringLiteral("Default Paper Size"), QStringLiteral("30256 Shipping"),
            QStringLiteral("Continuous, Wide")};
}

QString PaperSizeName(int paperSize) {
    if (paperSize == 1 || paperSize == 2)
        return PaperSizeChoices().at(paperSize);
    return {};
}

QString PaperBinForRoll(int paperRoll, bool twinRoll) {
    if (!twinRoll)
        return {};
    switch (paperRoll) {
    case 1:
        return QStringLiteral("Left");
    case 2:
        return QStringLiteral("Right");
    default:
        return QStringLiteral("Auto");
    }
}

std::optional<QueueInfo> FindQueue(const QString& name) {
    const QString queue = name.section(QLatin1Char('/'), 0, 0);
    const QString instance = name.section(QLatin1Char('/'), 1);
    if (queue.isEmpty())
        return std::nullopt;
    const QByteArray queueName = queue.toUtf8();
    const QByteArray instanceName = instance.toUtf8();
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queueName.constData(),
                                         instance.isEmpty() ? nullptr : instanceName.constData());
    if (!dest)
        return std::nullopt;
    QueueInfo info{destName(*dest), destOption(*dest, "device-uri"),
                   destOption(*dest, "printer-make-and-model")};
    cupsFreeDests(1, dest);
    return info;
}

std::optional<QueueInfo> DefaultQueue() {
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    if (!dest)
        return std::nullopt;
    QueueInfo info{destName(*dest), destOption(*dest, "device-uri"),
                   destOption(*dest, "printer-make-and-model")};
    cupsFreeDests(1, dest);
    return info;
}

QStringList PrinterList(const QString& section) {
    QStringList names;
    if (section.compare(QLatin1String("PrinterPorts"), Qt::CaseInsensitive) != 0 &&
        section.compare(QLatin1String("Devices"), Qt::CaseInsensitive) != 0)
        return names;
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    for (int i = 0; i < count; ++i)
        names.append(destName(dests[i]));
    cupsFreeDests(count, dests);
    return names;
}

bool TwinRollTest(const QString& printerName, QString* driverName) {
    const auto queue = FindQueue(printerName);
    if (!queue)
        return false;
    if (driverName)
        *driverName = queue->makeAndModel;
    if (queue->makeAndModel == kTwinTurboModel)
        return true;
    const PpdFacts ppd = ReadQueuePpd(printerName);
    return ppd.inputSlots.contains(QLatin1String("Left")) &&
           ppd.inputSlots.contains(QLatin1String("Right"));
}

QString PaperCodeLookup(const QString& paperName, const QString& deviceName) {
    const QString wanted = paperName.toUpper();
    if (wanted.isEmpty())
        return {};
    const PpdFacts ppd = ReadQueuePpd(deviceName);
    for (const PpdPaper& paper : ppd.papers) {
        if (paper.text.toUpper() == wanted)
            return paper.keyword;
    }
    return {};
}

StationError SetDeviceName(PrinterSettings& settings, const QString& name) {
    const auto queue = FindQueue(name);
    if (!queue)
        return notFound(name);
    settings.deviceName = queue->name;
    settings.port = queue->deviceUri;
    return {};
}

StationError LabelPrinterSettings(const QString& printer, int paperRoll, int paperSize,
                                  PrinterSettings* settings) {
    PrinterSettings result;
    if (StationError error = SetDeviceName(result, printer); error.isError())
        return error;
    result.paperBin = PaperBinForRoll(paperRoll, TwinRollTest(result.deviceName));
    const QString paperName = PaperSizeName(paperSize);
    if (!paperName.isEmpty())
        result.paperSizeCode = PaperCodeLookup(paperName, result.deviceName);
    *settings = result;
    return {};
}

} // namespace zelkora::printing
