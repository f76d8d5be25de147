#pragma once

#include <QString>

namespace zelkora {

// The station folder, always ending in "/": $ZELKORA_HOME when set, else
// $XDG_DATA_HOME/zelkora/ (~/.local/share/zelkora/). Read from the environment on every call.
QString GetAppPath();

// The read-only installed defaults: $ZELKORA_DATA_DIR when set, else the install's data folder,
// else the source tree's resources when run from the build tree.
QString InstalledDataPath();

// The machine-wide store's folder: $ZELKORA_MACHINE_DIR when set, else GetAppPath() + "registry/".
QString MachinePath();

// Name of the marker written last by a complete provisioning.
inline constexpr const char kProvisionedMarker[] = ".provisioned";

enum class ProvisionResult { AlreadyProvisioned, Provisioned, Failed };

// Makes sure the station folder exists and holds what a station needs. A folder without the
// marker (new, or an interrupted provisioning) is provisioned again: created with mode 0700, the
// installed defaults copied in without overwriting files already there, "photos/" created, the
// marker written last. On failure `error` names the folder and the cause; files this call
// created are removed again.
ProvisionResult ProvisionStationFolder(QString* error = nullptr);

} // namespace zelkora
