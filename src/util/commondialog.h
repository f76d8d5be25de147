#pragma once

#include <QList>
#include <QString>
#include <utility>

namespace zelkora {

// Flag bits of the open-file dialog, with the platform's values.
enum OpenDialogFlag {
    OfnReadOnly = 0x1,
    OfnHideReadOnly = 0x4,
    OfnEnableHook = 0x20,
    OfnEnableTemplate = 0x40,
    OfnAllowMultiSelect = 0x200,
    OfnFileMustExist = 0x1000,
};

// The inputs and results of ShowOpenDialog; "in/out" members are changed by the call.
struct OpenDialogArgs {
    QString fileName;       // in: proposed name; out: the chosen path, or "" when cancelled
    QString fileTitle;      // out: the chosen name without its folder, or ""
    bool mustExist = false; // only an existing file may be chosen
    bool multiSelect = false;
    bool readOnly = false; // in/out: the read-only check box
    bool hideReadOnly = false;
    QString filter;      // in: "description|pattern|..." (":" separates too);
                         // out: the chosen pair, description NUL pattern, or ""
    int filterIndex = 1; // in/out: 1-based index of the filter pair; -1 when cancelled
    QString initialDir;  // the folder the dialog starts in
    QString dialogTitle; // the caption; "" for the platform's own
    QString defaultExt;  // appended to a typed name without extension
    bool owned = false;  // shown over the active window (the owner given as not -1)
    int flags = 0;       // in/out: further OpenDialogFlag bits; hook and template bits are dropped
};

// Shows the open-file dialog through the installed prompter and fills in the results; true when
// the user chose a file. With no prompter installed the dialog counts as cancelled.
bool ShowOpenDialog(OpenDialogArgs& args);

// The filter list as description/pattern pairs: "|" and ":" separate the items, and the list ends
// at the first empty item, as a NUL-separated platform filter list does.
QList<std::pair<QString, QString>> openDialogFilterPairs(const QString& filter);

// Lets the user pick a folder, with `prompt` as the instruction; the folder's path, or "" when
// cancelled or without a prompter. The widget prompter always shows it over the active window,
// so `owned` only documents the caller's intent.
QString BrowseForFolder(bool owned, const QString& prompt);

} // namespace zelkora
