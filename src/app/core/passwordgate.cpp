#include "app/core/passwordgate.h"

#include "app/core/message.h"
#include "app/core/programstate.h"

namespace zelkora {

bool PasswordPromptBypassed(const QString& bypassSetting) {
    return bypassSetting != QLatin1String("0");
}

bool IsAdminPassword(const QString& entered) {
    return entered == QLatin1String(kAdminPassword);
}

bool CheckAdminPassword(const QString& bypassSetting, const PasswordAsker& ask) {
    if (PasswordPromptBypassed(bypassSetting))
        return true;

    QString& entered = programState().enteredPassword;
    entered.clear();
    if (ask) {
        if (const std::optional<QString> answer = ask())
            entered = *answer;
    }
    if (IsAdminPassword(entered))
        return true;

    ShowMessage(QStringLiteral("Password Incorrect.  Please try again."), MsgOk | MsgInformation,
                QStringLiteral("Incorrect Password"), true);
    return false;
}

} // namespace zelkora
