#pragma once

#include <QString>

namespace zelkora::artwork {

// Lays out the Markdown text of `sourcePath` (its first level-one heading is the document's
// title) as a US Letter PDF at `pdfPath`, with the station's faces and colours and a running
// header and footer naming the program `version`.
bool writeHelpDocument(const QString& sourcePath, const QString& pdfPath, const QString& version,
                       QString* error);

} // namespace zelkora::artwork
