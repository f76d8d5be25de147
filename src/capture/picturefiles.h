#pragma once

#include "util/error.h"

#include <QImage>
#include <QString>

namespace zelkora::capture {

// Creates every missing folder on the path of a file (not the file itself), from the first
// folder below the starting one down. Each folder is logged with " created." when it was made
// and " not created." otherwise (an existing folder included); it never fails outward, so a
// folder that could not be made shows when the file is written.
void CreateFolders(const QString& filePath);

// Writes the picture to `path` as an ordinary JPEG, replacing the file only once the whole
// picture is written. A null picture or a failed write is returned as an error naming the path.
[[nodiscard]] StationError SaveJpeg(const QImage& picture, const QString& path);

} // namespace zelkora::capture
