#pragma once

namespace zelkora {

// The start-up of the station, in order: refuse a second copy, prepare the station folder,
// start the diagnostic log. Returns the process exit code.
int Main(bool interactive);

} // namespace zelkora
