#include "checkin/labeldatasettings.h"

namespace zelkora {

namespace {

QuestionSettings readQuestion(const cVRAXSettings& s, int number, bool first) {
    QuestionSettings q;
    q.Title = first ? s.LabelInfo1Title(number) : s.LabelInfo2Title(number);
    q.Answers = first ? s.LabelInfo1Answers(number) : s.LabelInfo2Answers(number);
    q.Required = first ? s.LabelInfo1Required(number) : s.LabelInfo2Required(number);
    q.Printed = first ? s.LabelInfo1Printed(number) : s.LabelInfo2Printed(number);
    q.Displayed = first ? s.LabelInfo1Displayed(number) : s.LabelInfo2Displayed(number);
    q.DisplayAtCheckout =
        first ? s.LabelInfo1DisplayAtCheckout(number) : s.LabelInfo2DisplayAtCheckout(number);
    return q;
}

} // namespace

LabelDataSettings ReadLabelDataSettings(const cVRAXSettings& s, int labelIndex) {
    LabelDataSettings d;
    d.labelIndex = labelIndex;
    d.labelNumber = static_cast<qint16>(labelIndex + 1);
    const int n = d.labelNumber;

    d.ForceCase = s.ForceCase();
    d.DefaultScanner = s.DefaultScanner();
    d.CompanyName = s.CompanyName();

    d.Title = s.LabelTitle(n);
    d.AllowTitleChange = s.LabelAllowTitleChange(n);
    d.AllowNoName = s.LabelAllowNoName(n);
    d.questions[0] = readQuestion(s, n, true);
    d.questions[1] = readQuestion(s, n, false);
    d.MessageBoard = s.LabelMessageBoard(n);
    d.IncludeCheckinAndCheckout = s.LabelIncludeCheckinAndCheckout(n);
    // Exact comparisons with the texts the Default Settings dialog offers.
    d.PrintLabel = s.LabelPrintingOption(n) == QLatin1String("Print Label");
    d.IncludeGraphic = s.LabelGraphicOption(n) == QLatin1String("Include Graphic");
    d.UseWebcamImage = s.LabelGraphicOption(n) == QLatin1String("Use Webcam Image");
    d.PreloadList = s.LabelPreloadList(n);
    d.NameLabelPrefix = s.LabelNameLabelPrefix(n);
    d.Printer = s.LabelPrinter(n);
    d.PrinterPaperRoll = s.LabelPrinterPaperRoll(n);
    d.WebCamMode = s.LabelWebCamMode(n);
    d.ScannerMode = s.LabelScannerMode(n);
    d.PrinterPaperSize = s.LabelPrinterPaperSize(n);
    return d;
}

StationError LoadLabelDataSettings(int labelIndex, LabelDataSettings* result) {
    if (labelIndex < 0 || labelIndex >= cVRAXSettings::kLabelTypeCount)
        return {9, QStringLiteral("Subscript out of range"), QStringLiteral("InitLabelData")};
    cVRAXSettings settings;
    if (StationError e = settings.LoadValues(); e.isError())
        return e;
    *result = ReadLabelDataSettings(settings, labelIndex);
    return {};
}

} // namespace zelkora
