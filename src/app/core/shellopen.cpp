#include "app/core/shellopen.h"

#include "app/core/log.h"

#include <QDesktopServices>
#include <QFileInfo>

namespace zelkora {

QUrl ShellTarget(const QString& fileOrLink) {
    const QUrl url(fileOrLink);
    // A single letter before ":" would be a drive letter, never a scheme worth opening.
    if (url.isValid() && url.scheme().size() > 1 && !QFileInfo::exists(fileOrLink))
        return url;
    return QUrl::fromLocalFile(QFileInfo(fileOrLink).absoluteFilePath());
}

bool ShellOpen(const QString& operation, const QString& fileOrLink, const QString&, const QString&,
               int) {
    const QUrl target = ShellTarget(fileOrLink);
    if (QDesktopServices::openUrl(target))
        return true;
    WriteLog(QStringLiteral("ShellOpen ") + operation + QStringLiteral(" failed for ") +
             target.toString());
    return false;
}

} // namespace zelkora
