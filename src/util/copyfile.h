#pragma once

#include <QString>
#include <QStringList>

namespace zelkora {

// What a CopyFiles run achieved beyond its count, for callers that must tell a complete copy
// from a partial one.
struct CopyFilesReport {
    bool targetExists = false; // the target folder exists after the run
    int copied = 0;            // regular files copied
    QStringList failed;        // names of regular files that could not be copied
};

// Copies the files of `source` matching `pattern` into `target`, replacing files of the same
// name, and returns the number of directory entries the pattern matched. Both folders get a
// trailing "/" when they lack one (the caller's strings change too); the target folder is
// created, with any missing parents. The listing is the Windows one: hidden files and the entries
// "." and ".." are included and counted when the pattern matches them, and "*.*" matches every
// name, with or without a dot. Only regular files are copied (no subfolders, devices or pipes);
// each goes to a temporary file first and is renamed over the target, so a failed copy never
// leaves a truncated file behind. Failures are skipped; `report` tells which. An empty source or
// target folder copies nothing and returns 0.
int CopyFiles(QString& source, QString& target, const QString& pattern,
              CopyFilesReport* report = nullptr);

// True when `name` matches the wildcard `pattern` the way the Windows file listing matches it:
// "*" and "?" as usual, letter case ignored, a final ".*" also matching names without that
// extension ("*.*" matches everything), a final "." matching names without a dot.
bool matchesFilePattern(const QString& name, const QString& pattern);

} // namespace zelkora
