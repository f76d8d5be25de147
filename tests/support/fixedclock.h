#pragma once

#include "util/clock.h"

namespace zelkora::test {

// A clock that stands still until the test moves it; installed for its own lifetime.
class FixedClock final : public Clock {
public:
    explicit FixedClock(QDateTime now)
        : m_now(std::move(now)) {
        Clock::install(this);
    }
    ~FixedClock() override { Clock::install(nullptr); }
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;

    QDateTime now() const override { return m_now; }
    void set(const QDateTime& now) { m_now = now; }
    void advanceSeconds(qint64 seconds) { m_now = m_now.addSecs(seconds); }

private:
    QDateTime m_now;
};

} // namespace zelkora::test
