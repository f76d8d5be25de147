#pragma once

namespace zelkora {

// The start-up rights test: writes the current time stamp as "launchdate" under
// HKEY_CLASSES_ROOT "BrakkenholSecurity\" of the machine-wide store (creating the key when
// needed) and reads it back. True when the value read back is the same date and time; false,
// with one log line naming the failed check, otherwise. The value stays in the store.
bool AttemptRegistryWrite();

} // namespace zelkora
