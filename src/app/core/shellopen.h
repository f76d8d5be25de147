#pragma once

#include <QString>
#include <QUrl>

namespace zelkora {

// What ShellOpen hands the desktop: a local path becomes a file URL, a link stays a link.
QUrl ShellTarget(const QString& fileOrLink);

// Opens a file, folder or link with the desktop's default application. The operation, parameters,
// working folder and show mode are accepted for the callers' sake; the desktop decides. Failure is
// ignored (logged), as when no application is associated; returns whether the desktop took it.
bool ShellOpen(const QString& operation, const QString& fileOrLink, const QString& parameters = {},
               const QString& folder = {}, int showMode = 1);

} // namespace zelkora
