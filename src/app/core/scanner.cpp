#include "app/core/scanner.h"

namespace zelkora {

bool SelectScanner(ScannerSources& sources, int& modelNumber, const QStringList& models) {
    if (modelNumber <= 0 || modelNumber > models.size())
        modelNumber = 1;
    if (models.isEmpty())
        return false;
    const QString& wanted = models.at(modelNumber - 1);

    sources.open();
    const int count = sources.sourceCount();
    if (count <= 0)
        return false;
    // The loop runs up to and including `count`; an index past the last source is no match.
    for (int i = 0; i <= count; ++i) {
        const std::optional<QString> name = sources.sourceName(i);
        if (name && *name == wanted)
            return sources.selectSource(i);
    }
    return false;
}

} // namespace zelkora
