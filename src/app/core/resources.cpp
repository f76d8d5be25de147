#include "app/core/resources.h"

#include <QHash>

namespace zelkora {

std::optional<QString> LoadResString(int id) {
    static const QHash<int, QString> table = [] {
        const std::pair<int, const char*> entries[] = {
            {1000, "&File"},
            {1001, "E&xit"},
            {1002, "&Utilities"},
            {1003, "&Default Settings"},
            {1004, "&Help"},
            {1005, "&About "},
            {1006, "New"},
            {1007, "Open"},
            {1008, "Save"},
            {1009, "Save As"},
            {1010, "Print"},
            {1011, "Print Preview"},
            {1012, "Cut"},
            {1013, "Copy"},
            {1014, "Paste"},
            {1015, "Delete"},
            {1016, "Undo"},
            {1017, "Redo"},
            {1018, "Find"},
            {1019, "Replace"},
            {1020, "Select All"},
            {1021, "Refresh"},
            {1022, "Options"},
            {1023, "Default Settings"},
            {1024, "Toolbar"},
            {1025, "Status Bar"},
            {1026, "Large Icons"},
            {1027, "Small Icons"},
            {1028, "List"},
            {1029, "Details"},
            {1030, "Arrange Icons"},
            {1031, "Line Up Icons"},
            {1032, "Window"},
            {1033, "New Window"},
            {1034, "Cascade"},
            {1035, "Tile Horizontally"},
            {1036, "Tile Vertically"},
            {1037, "Arrange Icons"},
            {1038, "Contents"},
            {1039, "Index"},
            {1040, "Web Site"},
            {1041, "Properties"},
            {1042, "Close"},
            {1043, "Back"},
            {1044, "Forward"},
            {1045, "Stop"},
            {1046, "Home"},
            {1047, "Search"},
            {1048, "Sample 1"},
            {1049, "Sample 2"},
            {1050, "Zelkora"},
            {1051, "&Reports"},
            {1052, "FA&Q"},
            {1053, "&General"},
            {1054, "RFID &Card Management"},
            {1055, "Sample 3"},
        };
        QHash<int, QString> t;
        for (const auto& [key, text] : entries)
            t.insert(key, QString::fromLatin1(text));
        return t;
    }();
    const auto it = table.constFind(id);
    if (it == table.constEnd())
        return std::nullopt;
    return *it;
}

} // namespace zelkora
