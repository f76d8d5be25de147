#include "support/scriptedprompter.h"

namespace zelkora::test {

int ScriptedPrompter::message(const MessageRequest& request) {
    messages.append(request);
    return messageAnswers.isEmpty() ? defaultAnswer(request.code) : messageAnswers.takeFirst();
}

std::optional<QString> ScriptedPrompter::input(const QString& prompt, const QString&,
                                               const QString&) {
    inputPrompts.append(prompt);
    return inputAnswers.isEmpty() ? std::nullopt : inputAnswers.takeFirst();
}

std::optional<FileDialogAnswer> ScriptedPrompter::openFile(const FileDialogRequest& request) {
    fileRequests.append(request);
    return fileAnswers.isEmpty() ? std::nullopt : fileAnswers.takeFirst();
}

std::optional<QString> ScriptedPrompter::browseFolder(const QString& prompt) {
    folderPrompts.append(prompt);
    return folderAnswers.isEmpty() ? std::nullopt : folderAnswers.takeFirst();
}

} // namespace zelkora::test
