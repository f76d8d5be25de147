#pragma once

#include "util/error.h"

#include <QWidget>
#include <array>
#include <functional>
#include <utility>

namespace zelkora {

// The windows the home screen opens modally over itself.
enum class StationWindow {
    LabelData,       // frmLabelData, for one label type
    CheckOut,        // frmLogOut
    DefaultSettings, // frmDefaults
    CardManagement,  // frmManageRFIDCards
    Reports,         // frmReports
};
inline constexpr int kStationWindowCount = 5;

// How the home screen reaches the windows it opens, without knowing their classes.
class WindowOpener {
public:
    virtual ~WindowOpener() = default;

    // True when `window` can be opened; the home screen disables its button or menu entry
    // otherwise.
    virtual bool canOpen(StationWindow window) const = 0;

    // Creates `window`, shows it modally over `owner` and returns once it has closed.
    // `labelIndex` (0 to 6) is the label type of frmLabelData and -1 for the others. A window
    // whose load fails (its settings could not be read, say) is not shown; its error is
    // returned for the caller to report.
    virtual StationError open(StationWindow window, QWidget* owner, int labelIndex) = 0;
};

// The product's opener: each window is registered by the part of the station that owns it.
class WindowRegistry final : public WindowOpener {
public:
    using OpenFunction = std::function<StationError(QWidget* owner, int labelIndex)>;

    // Makes `window` available, replacing an earlier registration; an empty function removes it.
    void registerWindow(StationWindow window, OpenFunction open) {
        m_open.at(slot(window)) = std::move(open);
    }

    bool canOpen(StationWindow window) const override {
        return static_cast<bool>(m_open.at(slot(window)));
    }

    // A window that is not registered is reported as not opened, never shown as a stand-in.
    StationError open(StationWindow window, QWidget* owner, int labelIndex) override {
        const OpenFunction& function = m_open.at(slot(window));
        if (!function)
            return {5, QStringLiteral("Invalid procedure call or argument"),
                    QStringLiteral("WindowRegistry")};
        return function(owner, labelIndex);
    }

private:
    static std::size_t slot(StationWindow window) { return static_cast<std::size_t>(window); }

    std::array<OpenFunction, kStationWindowCount> m_open;
};

} // namespace zelkora
