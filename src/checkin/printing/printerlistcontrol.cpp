#include "checkin/printing/printerlistcontrol.h"

#include "checkin/printing/changeprinter.h"

#include <QComboBox>
#include <QListWidget>

namespace zelkora::printing {

int PrinterList(QComboBox& list, const QString& section) {
    list.addItems(PrinterList(section));
    return list.count();
}

int PrinterList(QListWidget& list, const QString& section) {
    list.addItems(PrinterList(section));
    return list.count();
}

} // namespace zelkora::printing
