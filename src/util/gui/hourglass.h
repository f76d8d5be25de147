#pragma once

namespace zelkora {

// Shows the wait cursor for as long as it lives and restores the previous cursor when it goes;
// hold one across a long operation. Guards nest. Without a GUI application it does nothing.
class cHourglass {
public:
    cHourglass();
    ~cHourglass();
    cHourglass(const cHourglass&) = delete;
    cHourglass& operator=(const cHourglass&) = delete;

private:
    bool m_active = false;
};

} // namespace zelkora
