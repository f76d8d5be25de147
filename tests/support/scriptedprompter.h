#pragma once

#include "util/prompter.h"

#include <QList>

namespace zelkora::test {

// Answers message boxes, input boxes and dialogs from queues the test fills, and records every
// request. An empty queue gives the default answer (default button, cancelled dialog).
// Installed for its own lifetime.
class ScriptedPrompter final : public Prompter {
public:
    ScriptedPrompter() { Prompter::install(this); }
    ~ScriptedPrompter() override { Prompter::install(nullptr); }
    ScriptedPrompter(const ScriptedPrompter&) = delete;
    ScriptedPrompter& operator=(const ScriptedPrompter&) = delete;

    int message(const MessageRequest& request) override;
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& initial) override;
    std::optional<FileDialogAnswer> openFile(const FileDialogRequest& request) override;
    std::optional<QString> browseFolder(const QString& prompt) override;

    QList<int> messageAnswers;
    QList<std::optional<QString>> inputAnswers;
    QList<std::optional<FileDialogAnswer>> fileAnswers;
    QList<std::optional<QString>> folderAnswers;

    QList<MessageRequest> messages;
    QStringList inputPrompts;
    QList<FileDialogRequest> fileRequests;
    QStringList folderPrompts;
};

} // namespace zelkora::test
