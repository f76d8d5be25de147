#include "settings/rightstest.h"

#include "app/core/log.h"
#include "settings/registry.h"
#include "util/clock.h"

#include <QDateTime>

namespace zelkora {

namespace {

// The stamp is stored with its UTC offset, so it reads back as the same moment even in the
// repeated hour when daylight saving time ends.
QString stampText(const QDateTime& stamp) {
    return stamp.toOffsetFromUtc(stamp.offsetFromUtc()).toString(Qt::ISODate);
}

} // namespace

bool AttemptRegistryWrite() {
    // Failures of the single operations are not errors here: only the two checks decide.
    cRegistry registry;
    registry.setClassKey(HKEY_CLASSES_ROOT);
    registry.setSectionKey(QStringLiteral("BrakkenholSecurity\\"));
    registry.setValueKey(QStringLiteral("launchdate"));
    registry.setValueType(RegSz);

    // The stored text holds whole seconds, so the stamp to compare with does too.
    const QDateTime now = Clock::current().now();
    const QDateTime stamp = now.addMSecs(-now.time().msec());

    if (!registry.KeyExists())
        registry.CreateKey();
    if (!registry.KeyExists()) {
        WriteLog(QStringLiteral("failed AttemptRegistryWrite :  .KeyExists false"));
        return false;
    }

    registry.setValue(stampText(stamp));
    const QDateTime readBack = QDateTime::fromString(registry.Value().toString(), Qt::ISODate);
    if (!readBack.isValid() || readBack != stamp) {
        WriteLog(QStringLiteral("failed AttemptRegistryWrite :  .Value <> timestamp"));
        return false;
    }
    return true;
}

} // namespace zelkora
