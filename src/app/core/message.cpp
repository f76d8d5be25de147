#include "app/core/message.h"

#include "app/core/log.h"
#include "util/product.h"
#include "util/prompter.h"

#include <cstdio>

namespace zelkora {

int ShowMessage(const QString& prompt, int code, const QString& title, bool owned) {
    WriteLog(QStringLiteral("About to MsgBox..."));
    const MessageRequest request{
        prompt, code, title.isEmpty() ? QString::fromLatin1(kProgramTitle) : title, owned};
    if (Prompter* prompter = Prompter::current())
        return prompter->message(request);

    // Nobody to ask: keep the message where support staff find it and take the default button.
    WriteLog(QStringLiteral("MsgBox without a display: ") + request.title + QStringLiteral(": ") +
             prompt);
    std::fprintf(stderr, "%s: %s\n", qPrintable(request.title), qPrintable(prompt));
    return defaultAnswer(code);
}

} // namespace zelkora
