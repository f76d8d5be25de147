#pragma once

#include "checkin/label/reportinfo.h"
#include "util/error.h"

#include <QDateTime>
#include <QImage>
#include <QString>
#include <QtGlobal>

namespace zelkora::label {

// Geometry of a field of the label, in twips from the top left corner of the detail section.
struct TwipRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    double right() const { return left + width; }
    double bottom() const { return top + height; }
    bool operator==(const TwipRect&) const = default;
};

// One text field of the label: the properties the report code reads and changes.
struct LabelField {
    QString name;
    TwipRect geometry;
    QString text;
    bool visible = true;
    QString fontName;
    double fontSize = 10;
    bool bold = false;
    bool italic = false;
    Qt::Alignment alignment = Qt::AlignLeft;
    // A fixed font size the fitting tries first; 0 for none.
    double tag = 0;
};

// One picture field of the label.
struct LabelPicture {
    QString name;
    TwipRect geometry;
    bool visible = true;
    QImage picture;
};

// The fields of the security label's detail section.
struct SecurityLabelFields {
    LabelField txtSchoolName;
    LabelField txtName;
    LabelField txtBadgeName;
    LabelField txtPrintedInfo1;
    LabelField txtPrintedInfo2;
    LabelField txtDate;
    LabelField txtLabelID;
    LabelPicture imgImage;
    LabelPicture imgLogo;

    // The fields as designed: geometry, design texts and fonts; the logo strip without picture.
    static SecurityLabelFields design();

    // The field called `name` ("txtBadgeName", ...), or nullptr.
    LabelField* field(const QString& name);
};

// The font every text field of the label uses.
inline constexpr const char kLabelFontName[] = "Arial Black";

// Height of the detail section in twips, and the label's width in twips (4 in).
inline constexpr double kDetailHeightTwips = 3062;
inline constexpr double kLabelWidthTwips = 5760;

// The label's date text: "mm/dd/yyyy hh:mm" on a 12-hour clock followed by the locale's AM or PM
// designator, for example "12/03/2010 09:05 AM".
QString LabelDateText(const QDateTime& when);

// Lays one copy of the label out from `info`, before the fonts are fitted: the texts, the hidden
// lines and the space they leave to their neighbours, the ID line, the picture and upper case.
// `fields` is expected to hold the design geometry and, when there is one, the logo strip's
// picture. A picture file that exists but cannot be
// read fails with an error, as the engine's picture loader does; a missing one is cleared.
StationError FormatSecurityLabel(const clsReportInfo& info, SecurityLabelFields& fields);

} // namespace zelkora::label
