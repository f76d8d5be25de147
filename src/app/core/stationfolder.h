#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace zelkora {

// The station folder, always ending in "/": $ZELKORA_HOME when set, else
// $XDG_DATA_HOME/zelkora/ (~/.local/share/zelkora/). Read from the environment on every call.
QString GetAppPath();

// The read-only installed defaults: $ZELKORA_DATA_DIR when set, else the install's data folder,
// else the build tree's staged copy when run from the build tree.
QString InstalledDataPath();

// The machine-wide store's folder: $ZELKORA_MACHINE_DIR when set, else GetAppPath() + "registry/".
QString MachinePath();

// Name of the marker written last by a complete provisioning.
inline constexpr const char kProvisionedMarker[] = ".provisioned";

enum class ProvisionResult { AlreadyProvisioned, Provisioned, Failed };

// A provisioning step of a layer above this one (the delivered database): given the station
// folder, creates what it owns there, or fails with a description. Returns the paths it created,
// so that a later failure can remove them again.
using ProvisionStep =
    std::function<bool(const QString& stationPath, QStringList* created, QString* error)>;

// Makes sure the station folder exists and holds what a station needs. A folder without the
// marker (new, or an interrupted provisioning) is provisioned again: created with mode 0700, the
// installed defaults copied in without overwriting files already there, "photos/" created,
// `extra` run, the marker written last. On failure `error` names the folder and the cause; files
// this call created are removed again.
ProvisionResult ProvisionStationFolder(QString* error = nullptr, const ProvisionStep& extra = {});

} // namespace zelkora
