#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace zelkora {

// The fixed administrator password; compared exactly, letter case included.
inline constexpr char kAdminPassword[] = "TRVK";
// The setting that switches the prompt off: the prompt is shown only while it is exactly "0".
inline constexpr char kBypassPasswordSetting[] = "BypassVRAXPassword";

// Asks a person for the administrator password: the text entered on OK, nullopt on Cancel.
using PasswordAsker = std::function<std::optional<QString>()>;

// True when `bypassSetting` (the stored "BypassVRAXPassword" value) switches the prompt off.
bool PasswordPromptBypassed(const QString& bypassSetting);

// True when `entered` is the administrator password.
bool IsAdminPassword(const QString& entered);

// The administrator password gate: true when the guarded action may go on. Asks through `ask`
// unless the bypass setting switches the prompt off; keeps the entered password in the program
// state (emptied before asking, so Cancel leaves it empty). A wrong or empty password and Cancel
// show "Password Incorrect.  Please try again." and give false. Nothing is remembered between
// calls; without an asker nobody can answer and the action is refused.
bool CheckAdminPassword(const QString& bypassSetting, const PasswordAsker& ask);

} // namespace zelkora
