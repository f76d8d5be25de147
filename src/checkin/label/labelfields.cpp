#include "checkin/label/labelfields.h"

#include <QFileInfo>
#include <QImageReader>
#include <QLocale>

namespace zelkora::label {

namespace {

LabelField textField(const char* name, TwipRect geometry, const char* designText, double size,
                     Qt::Alignment alignment) {
    LabelField f;
    f.name = QString::fromLatin1(name);
    f.geometry = geometry;
    f.text = QString::fromLatin1(designText);
    f.fontName = QString::fromLatin1(kLabelFontName);
    f.fontSize = size;
    f.alignment = alignment;
    return f;
}

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

SecurityLabelFields SecurityLabelFields::design() {
    SecurityLabelFields d;
    d.txtSchoolName = textField("txtSchoolName", {270, -100, 5220, 540}, "School Name Here", 14.5,
                                Qt::AlignHCenter);
    d.txtName = textField("txtName", {270, 530, 5220, 540}, "Name Goes Here", 22, Qt::AlignHCenter);
    d.txtBadgeName =
        textField("txtBadgeName", {270, 910, 5220, 990}, "BADGE NAME", 30, Qt::AlignHCenter);
    d.txtPrintedInfo1 = textField("txtPrintedInfo1", {270, 1970, 5220, 270}, "Printed Info Here",
                                  10, Qt::AlignHCenter);
    d.txtPrintedInfo2 = textField("txtPrintedInfo2", {270, 2300, 5220, 270}, "Printed Info Here 2",
                                  10, Qt::AlignHCenter);
    d.txtDate = textField("txtDate", {270, 2660, 5220, 360}, "Date", 10, Qt::AlignLeft);
    d.txtLabelID = textField("txtLabelID", {3060, 2660, 2430, 360}, "ID #", 10, Qt::AlignRight);
    d.imgImage.name = QStringLiteral("imgImage");
    d.imgImage.geometry = {3420, 490, 2070, 1440};
    d.imgImage.visible = false;
    d.imgLogo.name = QStringLiteral("imgLogo");
    d.imgLogo.geometry = {2400, 2750, 2200, 255};
    return d;
}

LabelField* SecurityLabelFields::field(const QString& name) {
    for (LabelField* f : {&txtSchoolName, &txtName, &txtBadgeName, &txtPrintedInfo1,
                          &txtPrintedInfo2, &txtDate, &txtLabelID}) {
        if (f->name == name)
            return f;
    }
    return nullptr;
}

QString LabelDateText(const QDateTime& when) {
    if (!when.isValid())
        return {};
    const QDate date = when.date();
    const QTime time = when.time();
    const int hour12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    const QLocale locale;
    const QString designator = time.hour() < 12 ? locale.amText() : locale.pmText();
    return twoDigits(date.month()) + QLatin1Char('/') + twoDigits(date.day()) + QLatin1Char('/') +
           QString::number(date.year()) + QLatin1Char(' ') + twoDigits(hour12) + QLatin1Char(':') +
           twoDigits(time.minute()) + QLatin1Char(' ') + designator;
}

StationError FormatSecurityLabel(const clsReportInfo& info, SecurityLabelFields& f) {
    f.txtDate.text = LabelDateText(info.PrintDate);
    f.txtName.text = info.PersonsName;
    f.txtSchoolName.text = info.CompanyName;
    f.txtBadgeName.text = info.BadgeName;

    f.txtPrintedInfo1.fontSize = 14;
    f.txtPrintedInfo2.fontSize = 14;
    f.txtPrintedInfo1.text = info.PrintedInfo1;
    f.txtPrintedInfo2.text = info.PrintedInfo2;

    // An empty answer line gives its space to the other one, and with both gone the title and
    // the picture take it.
    if (info.PrintedInfo1.isEmpty()) {
        f.txtPrintedInfo1.visible = false;
        f.txtPrintedInfo2.geometry.top = f.txtPrintedInfo1.geometry.top;
        f.txtPrintedInfo2.geometry.height += f.txtPrintedInfo1.geometry.height;
    }
    if (info.PrintedInfo2.isEmpty()) {
        f.txtPrintedInfo2.visible = false;
        f.txtPrintedInfo1.geometry.height += f.txtPrintedInfo2.geometry.height;
    }
    if (!f.txtPrintedInfo1.visible && !f.txtPrintedInfo2.visible) {
        f.txtBadgeName.geometry.height += f.txtPrintedInfo2.geometry.height;
        f.imgImage.geometry.height += f.txtPrintedInfo2.geometry.height;
    }

    f.txtLabelID.text = QStringLiteral("ID # ") + QString::number(info.BadgeID);

    if (f.txtName.text.isEmpty()) {
        f.txtName.visible = false;
        f.txtBadgeName.geometry.top = f.txtName.geometry.top;
        f.txtBadgeName.geometry.height += f.txtName.geometry.height;
    }

    if (info.BadgeID == 0) {
        f.txtLabelID.visible = false;
        f.txtDate.alignment = Qt::AlignHCenter;
        // The logo strip sits in the middle of the date line: a date centred across the whole
        // line would print over it, so it is centred in the line's part left of the strip.
        if (f.imgLogo.visible && !f.imgLogo.picture.isNull())
            f.txtDate.geometry.width = f.imgLogo.geometry.left - f.txtDate.geometry.left;
    }

    if (!info.ImagePath.isEmpty()) {
        if (QFileInfo(info.ImagePath).isFile()) {
            f.imgImage.visible = true;
            f.txtName.geometry.width = f.imgImage.geometry.left - f.txtName.geometry.left;
            f.txtBadgeName.geometry.width = f.imgImage.geometry.left - f.txtBadgeName.geometry.left;
            QImageReader reader(info.ImagePath);
            reader.setAutoTransform(true);
            f.imgImage.picture = reader.read();
            if (f.imgImage.picture.isNull())
                return {481,
                        QStringLiteral("Invalid picture: %1 (%2)")
                            .arg(info.ImagePath, reader.errorString()),
                        QStringLiteral("rptSecurityLabel")};
        } else {
            f.imgImage.picture = QImage();
        }
    }

    if (info.ForceUppercase) {
        for (LabelField* field : {&f.txtBadgeName, &f.txtDate, &f.txtLabelID, &f.txtName,
                                  &f.txtPrintedInfo1, &f.txtPrintedInfo2, &f.txtSchoolName})
            field->text = field->text.toUpper();
    }
    return {};
}

} // namespace zelkora::label
