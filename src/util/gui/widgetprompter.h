#pragma once

#include "util/prompter.h"

#include <QList>
#include <QMessageBox>

namespace zelkora {

// How a platform message-box code looks as a QMessageBox.
struct MessageBoxLayout {
    // The buttons in the platform's order; the default-button bits count in this order.
    QList<QMessageBox::StandardButton> buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButton defaultButton = QMessageBox::Ok;
    // Pressed by Escape and the close box; NoButton when the box has no safe way out and the
    // user must choose (Abort/Retry/Ignore).
    QMessageBox::StandardButton escapeButton = QMessageBox::Ok;
};

// The layout of a message-box code: buttons in the low nibble (0 OK, 1 OK/Cancel,
// 2 Abort/Retry/Ignore, 3 Yes/No/Cancel, 4 Yes/No, 5 Retry/Cancel, others OK), icon 16 critical,
// 32 question, 48 warning, 64 information, default button 0x100 second and 0x200 third (first
// when the box has fewer buttons).
MessageBoxLayout messageBoxLayout(int code);

// The platform code of a message-box button (1 OK ... 7 No), 0 for other buttons.
int messageAnswerCode(QMessageBox::StandardButton button);

// A filter pair as a Qt name filter, "Description (patterns)": patterns separated by ";" or
// blanks, "*.*" widened to "*" and "name.*" to also match "name", as the platform's open dialog
// matches them; a wildcard group already ending the description is replaced.
QString qtNameFilter(const QString& description, const QString& patterns);

// The prompter of the running program: real message boxes, input boxes and file dialogs, shown
// over the active window when the request says so (input boxes and folder browsers always).
class WidgetPrompter final : public Prompter {
public:
    int message(const MessageRequest& request) override;
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& initial) override;
    std::optional<FileDialogAnswer> openFile(const FileDialogRequest& request) override;
    std::optional<QString> browseFolder(const QString& prompt) override;
};

} // namespace zelkora
