#include "checkin/label/securitylabel.h"

#include "app/core/stationfolder.h"
#include "checkin/label/labelfonts.h"

#include <QFont>
#include <QImageReader>
#include <QPageSize>
#include <QPaintDevice>
#include <QPainter>

namespace zelkora {

namespace {

using label::LabelField;
using label::LabelPicture;
using label::SecurityLabelFields;
using label::TwipRect;

constexpr double kTwipsPerInch = 1440;
// The detail section (3062 twips) sits in the middle of the 2.32 in (3340 twips) label, which
// keeps the company line, designed to start 100 twips above the section, on the paper.
constexpr double kSectionTop = 139;

QRectF deviceRect(const TwipRect& r, const QPaintDevice& device) {
    const double sx = device.logicalDpiX() / kTwipsPerInch;
    const double sy = device.logicalDpiY() / kTwipsPerInch;
    return {r.left * sx, (r.top + kSectionTop) * sy, r.width * sx, r.height * sy};
}

// The fitted fields may break a text that is too long even at the smallest size; the other
// lines stay one line each.
void paintText(const LabelField& field, QPainter& painter, bool wrap) {
    if (!field.visible || field.text.isEmpty())
        return;
    QFont font(field.fontName);
    font.setPointSizeF(field.fontSize);
    font.setBold(field.bold);
    font.setItalic(field.italic);
    painter.setFont(font);
    const QRectF box = deviceRect(field.geometry, *painter.device());
    painter.save();
    // A text wider than its box is cut at the box's sides, as the field would cut it; lines a
    // little taller than their box may reach into the next.
    painter.setClipRect(QRectF(box.left(), 0, box.width(), painter.device()->height()));
    const int flags = static_cast<int>(field.alignment | Qt::AlignVCenter) |
                      (wrap ? static_cast<int>(Qt::TextWordWrap) : 0);
    painter.drawText(box, flags, field.text);
    painter.restore();
}

void paintPicture(const LabelPicture& picture, QPainter& painter) {
    if (!picture.visible || picture.picture.isNull())
        return;
    const QRectF box = deviceRect(picture.geometry, *painter.device());
    // Zoomed into the box with its proportions kept, centred.
    QSizeF size = QSizeF(picture.picture.size()).scaled(box.size(), Qt::KeepAspectRatio);
    const QRectF target(box.center().x() - size.width() / 2, box.center().y() - size.height() / 2,
                        size.width(), size.height());
    painter.drawImage(target, picture.picture);
}

QImage readLogo() {
    const QString relative = QStringLiteral("artwork/LabelLogo.png");
    for (const QString& folder : {GetAppPath(), InstalledDataPath()}) {
        QImageReader reader(folder + relative);
        const QImage image = reader.read();
        if (!image.isNull())
            return image;
    }
    return {};
}

} // namespace

rptSecurityLabel::rptSecurityLabel(clsReportInfo info)
    : m_info(std::move(info)) {}

QString rptSecurityLabel::caption() {
    return QStringLiteral("Security Label");
}

QPageLayout rptSecurityLabel::labelPageLayout() {
    // The "30256 Shipping" label: 167 x 288 points, the width across the roll.
    const QPageSize label(QSizeF(167, 288), QPageSize::Point, QStringLiteral("30256 Shipping"),
                          QPageSize::ExactMatch);
    return QPageLayout(label, QPageLayout::Landscape, QMarginsF(0, 0, 0, 0));
}

void rptSecurityLabel::setLogo(QImage logo) {
    m_logo = std::move(logo);
    m_logoSet = true;
}

int rptSecurityLabel::copies() const {
    return m_info.BadgeCount > 1 ? m_info.BadgeCount : 1;
}

StationError rptSecurityLabel::start(QPaintDevice& device) {
    Q_UNUSED(device);
    label::InstallLabelFontSubstitutes();
    m_copyCounter = 0;
    if (!m_logoSet) {
        m_logo = readLogo();
        m_logoSet = true;
    }
    return {};
}

StationError rptSecurityLabel::formatDetail(int index, label::TextMeasurer& measurer,
                                            SecurityLabelFields* fields, bool* moreCopies) {
    // The counter follows the page asked for, so a preview that paints a page twice or out of
    // order still ends a run with the counter back at 0.
    m_copyCounter = index + 1;
    if (m_copyCounter < m_info.BadgeCount) {
        *moreCopies = true;
    } else {
        m_copyCounter = 0;
        *moreCopies = false;
    }

    // Each copy starts from the design: laying a copy out on the fields of the one before
    // would grow the moved lines again with every copy.
    *fields = SecurityLabelFields::design();
    fields->imgLogo.picture = m_logo;
    if (StationError error = label::FormatSecurityLabel(m_info, *fields); error.isError())
        return error;

    label::FontFitter fitter(measurer, m_logSink);
    for (LabelField* field : {&fields->txtBadgeName, &fields->txtName, &fields->txtSchoolName})
        fitter.FitFieldFont(*field, field->text, field->fontName, field->geometry.width,
                            field->geometry.height);
    return {};
}

void rptSecurityLabel::paintFields(const SecurityLabelFields& fields, QPainter& painter) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setPen(Qt::black);
    paintPicture(fields.imgImage, painter);
    paintPicture(fields.imgLogo, painter);
    for (const LabelField* field : {&fields.txtSchoolName, &fields.txtName, &fields.txtBadgeName})
        paintText(*field, painter, true);
    for (const LabelField* field :
         {&fields.txtPrintedInfo1, &fields.txtPrintedInfo2, &fields.txtDate, &fields.txtLabelID})
        paintText(*field, painter, false);
    painter.restore();
}

bool rptSecurityLabel::paintPage(int index, QPainter& painter, StationError* error) {
    if (index < 0 || index >= copies())
        return false;
    label::DeviceTextMeasurer measurer(painter.device());
    SecurityLabelFields fields;
    bool moreCopies = false;
    if (StationError failed = formatDetail(index, measurer, &fields, &moreCopies);
        failed.isError()) {
        if (error)
            *error = failed;
        return false;
    }
    paintFields(fields, painter);
    return true;
}

} // namespace zelkora
