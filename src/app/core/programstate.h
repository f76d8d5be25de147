#pragma once

#include <QString>
#include <QStringList>

namespace zelkora {

// The handful of values that live for the whole run, set by start-up and the first window that
// needs them.
struct ProgramState {
    bool webCamAvailable = true;
    // The scanner models the station can drive, numbered from 1 by their users.
    QStringList scannerModels{QStringLiteral("DocketPORT 665")};
    bool scannerPresent = false;
    QString cardHolderName;
    bool cardCheckIn = false;
    QString enteredPassword;
};

ProgramState& programState();

} // namespace zelkora
