#pragma once

#include "checkin/label/fitfieldfont.h"
#include "checkin/label/labelfields.h"
#include "checkin/label/reportinfo.h"
#include "checkin/printing/report.h"

#include <QImage>
#include <QPageLayout>

namespace zelkora {

// rptSecurityLabel: the visitor's badge, one landscape page per copy on the "30256 Shipping"
// label (2.32 x 4 in). Every copy is laid out from the design geometry, so all copies are alike.
class rptSecurityLabel final : public printing::Report {
public:
    rptSecurityLabel() = default;
    explicit rptSecurityLabel(clsReportInfo info);

    // The report's caption, "Security Label".
    static QString caption();
    // The orientation the report-start event gives the printer: 2, landscape.
    static constexpr int kOrientation = 2;
    // The label's page: 2.32 x 4 in, landscape, no margins.
    static QPageLayout labelPageLayout();

    // rptInfo: the record the label prints.
    void setRptInfo(clsReportInfo info) { m_info = std::move(info); }
    const clsReportInfo& rptInfo() const { return m_info; }

    // The fixed logo strip; by default the station folder's "artwork/LabelLogo.png", else the
    // installed one, else nothing is drawn there.
    void setLogo(QImage logo);
    // Where the fitting's log lines go instead of WriteLog (for tests).
    void setLogSink(label::FontFitter::LogSink sink) { m_logSink = std::move(sink); }

    QPageLayout pageLayout() const override { return labelPageLayout(); }
    StationError start(QPaintDevice& device) override;
    bool paintPage(int index, QPainter& painter, StationError* error) override;
    std::optional<int> pageCount() const override { return copies(); }

    // The detail format event for copy `index`: advances the copy counter, lays the copy out
    // from the design and fits its fonts with `measurer`. `moreCopies` tells whether the
    // engine lays the record out again after this one.
    StationError formatDetail(int index, label::TextMeasurer& measurer,
                              label::SecurityLabelFields* fields, bool* moreCopies);

    // The copy counter: copies formatted so far in this run, 0 again after the last one.
    int copyCounter() const { return m_copyCounter; }
    // Copies the record asks for: BadgeCount, at least one.
    int copies() const;

    // Draws laid-out fields on `painter` at its device's resolution.
    void paintFields(const label::SecurityLabelFields& fields, QPainter& painter) const;

private:
    clsReportInfo m_info;
    QImage m_logo;
    bool m_logoSet = false;
    int m_copyCounter = 0;
    label::FontFitter::LogSink m_logSink;
};

} // namespace zelkora
