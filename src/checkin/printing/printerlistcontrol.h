#pragma once

#include <QString>

class QComboBox;
class QListWidget;

namespace zelkora::printing {

// Printer list into a list control: appends the CUPS destinations (see PrinterList) to `list`
// and returns the number of entries now in it.
int PrinterList(QComboBox& list, const QString& section);
int PrinterList(QListWidget& list, const QString& section);

} // namespace zelkora::printing
