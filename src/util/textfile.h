#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zelkora {

// Text files the station reads are UTF-8, or Latin-1 when they are not valid UTF-8.
QString decodeText(const QByteArray& bytes);

// Splits at CR LF, LF or a lone CR; a final line end gives no empty last line.
QStringList splitLines(const QString& text);

} // namespace zelkora
