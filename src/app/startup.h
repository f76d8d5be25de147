#pragma once

namespace zelkora {

// The start-up of the station, in order: refuse a second copy, prepare the station folder (with
// its database on the first start), start the diagnostic log, bring the database to its current
// version, close overdue visits, and with a display show the home screen until the station is
// closed. Returns the process exit code.
int Main(bool interactive);

} // namespace zelkora
