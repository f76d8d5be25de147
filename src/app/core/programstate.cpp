#include "app/core/programstate.h"

namespace zelkora {

ProgramState& programState() {
    static ProgramState state;
    return state;
}

} // namespace zelkora
