#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace zelkora {

// A message box as the station asks for it: the platform codes of the system (buttons in the low
// nibble, icon in 16/32/48/64, default button in 0/256/512).
struct MessageRequest {
    QString text;
    int code = 0;
    QString title;
    bool owned = false;
};

// Platform button codes returned by a message box.
enum MessageAnswer {
    AnswerOk = 1,
    AnswerCancel = 2,
    AnswerAbort = 3,
    AnswerRetry = 4,
    AnswerIgnore = 5,
    AnswerYes = 6,
    AnswerNo = 7
};

// The answer a message box gives when nobody is there to press a button: its default button.
int defaultAnswer(int code);

struct FileDialogRequest {
    QString title;
    QString folder;
    QString proposedName;
    // Filter pairs: description, pattern (patterns separated by ";").
    QList<std::pair<QString, QString>> filters;
    int filterIndex = 1; // 1-based, as the callers count
    bool mustExist = false;
    bool multiSelect = false;
    bool readOnly = false;
    bool hideReadOnly = false;
    QString defaultExtension;
    // Shown over the active window; otherwise without a parent.
    bool owned = false;
};

struct FileDialogAnswer {
    QString path;
    int filterIndex = 1;
    bool readOnly = false;
};

// Everything that waits for a person: message boxes, input boxes, file and folder dialogs.
// The GUI installs the widget implementation at start; tests install a scripted one. With none
// installed, callers fall back to the default answers (a message box's default button, a cancelled
// dialog), so core code never blocks on a missing display.
class Prompter {
public:
    virtual ~Prompter() = default;
    virtual int message(const MessageRequest& request) = 0;
    // nullopt when cancelled.
    virtual std::optional<QString> input(const QString& prompt, const QString& title,
                                         const QString& initial) = 0;
    virtual std::optional<FileDialogAnswer> openFile(const FileDialogRequest& request) = 0;
    // The chosen folder, or nullopt when cancelled.
    virtual std::optional<QString> browseFolder(const QString& prompt) = 0;

    // The prompter in force, or nullptr.
    static Prompter* current();
    // Installs a prompter (nullptr removes it). The caller keeps ownership.
    static void install(Prompter* prompter);
};

} // namespace zelkora
