#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace zelkora {

// What the station needs of a scanning back end to pick its card scanner: the list of sources
// and the selection of one. Sources are numbered from 0.
class ScannerSources {
public:
    virtual ~ScannerSources() = default;
    // Opens the connection to the source manager; false when there is none.
    virtual bool open() = 0;
    virtual int sourceCount() = 0;
    // The name of source `index`, or nullopt when there is no such source.
    virtual std::optional<QString> sourceName(int index) = 0;
    virtual bool selectSource(int index) = 0;
};

// The product's back end until a scanner driver is wired in: no sources at all.
class NoScannerSources final : public ScannerSources {
public:
    bool open() override { return false; }
    int sourceCount() override { return 0; }
    std::optional<QString> sourceName(int) override { return std::nullopt; }
    bool selectSource(int) override { return false; }
};

// Selects the configured scanner model among the sources. A model number of 0 or past the end
// of `models` becomes 1 (the caller's value changes too); names compare exactly, with case.
// True when the model was found and selected.
bool SelectScanner(ScannerSources& sources, int& modelNumber, const QStringList& models);

} // namespace zelkora
