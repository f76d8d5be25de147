#pragma once

#include <QString>

namespace zelkora {

// The common message box. Writes "About to MsgBox...", shows the box through the installed
// prompter (owned by the active window when `owned`), and returns the platform code of the
// button pressed. Without a prompter (no GUI, a script) the message is logged and answered with
// its default button. An empty title means the program title.
int ShowMessage(const QString& prompt, int code = 0, const QString& title = {}, bool owned = false);

// Message-box codes the system uses.
enum MessageCode {
    MsgOk = 0,
    MsgOkCancel = 1,
    MsgYesNoCancel = 3,
    MsgYesNo = 4,
    MsgCritical = 16,
    MsgQuestion = 32,
    MsgExclamation = 48,
    MsgInformation = 64,
};

} // namespace zelkora
