#pragma once

#include <QString>

namespace zelkora {

// A numbered error as the station reports it: the number, its description and the source that
// raised it. Core code hands these to its caller; windows show them.
struct StationError {
    long number = 0;
    QString description;
    QString source;

    bool isError() const { return number != 0; }
};

} // namespace zelkora
