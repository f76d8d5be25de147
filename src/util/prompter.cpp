#include "util/prompter.h"

namespace zelkora {

namespace {
Prompter* installedPrompter = nullptr;
}

int defaultAnswer(int code) {
    // Button sets in the order the platform lays them out.
    static const QList<QList<int>> buttonSets = {
        {AnswerOk},
        {AnswerOk, AnswerCancel},
        {AnswerAbort, AnswerRetry, AnswerIgnore},
        {AnswerYes, AnswerNo, AnswerCancel},
        {AnswerYes, AnswerNo},
        {AnswerRetry, AnswerCancel},
    };
    const int set = code & 0x0F;
    const QList<int>& buttons = set < buttonSets.size() ? buttonSets.at(set) : buttonSets.at(0);
    const int index = (code & 0x300) >> 8;
    return buttons.at(index < buttons.size() ? index : 0);
}

Prompter* Prompter::current() {
    return installedPrompter;
}

void Prompter::install(Prompter* prompter) {
    installedPrompter = prompter;
}

} // namespace zelkora
