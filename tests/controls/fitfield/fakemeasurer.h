#pragma once

#include "controls/autosize/textmeasurer.h"

#include <functional>

namespace zelkora::controls::test {

// A measurer with simple, predictable metrics: each character is 12 twips wide and a line
// 23 twips high per point (about Arial's proportions). Tests may replace the size and the
// size the "font system" grants.
class FakeMeasurer : public fitfield::TextMeasurer {
public:
    using SizeFunction = std::function<QSizeF(const QString& text, double pointSize)>;
    using GrantFunction = std::function<double(double requested)>;

    static QSizeF proportional(const QString& text, double pointSize) {
        return {text.size() * 12.0 * pointSize, 23.0 * pointSize};
    }

    explicit FakeMeasurer(SizeFunction size = proportional, GrantFunction grant = nullptr)
        : m_size(std::move(size))
        , m_grant(std::move(grant)) {}

    QSizeF textSize(const QString& text, const QFont& font) const override {
        ++calls;
        return m_size(text, font.pointSizeF());
    }

    double grantedPointSize(const QFont& font) const override {
        return m_grant ? m_grant(font.pointSizeF()) : font.pointSizeF();
    }

    mutable int calls = 0;

private:
    SizeFunction m_size;
    GrantFunction m_grant;
};

} // namespace zelkora::controls::test
