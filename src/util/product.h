#pragma once

namespace zelkora {

// The program title: default caption of message boxes and the settings store's application.
inline constexpr char kProgramTitle[] = "Zelkora";
// The program's file name, as error sources name it.
inline constexpr char kProgramFileName[] = "zelkora";
// The version as "major.minor.revision".
inline constexpr char kProgramVersion[] = ZELKORA_VERSION;

} // namespace zelkora
