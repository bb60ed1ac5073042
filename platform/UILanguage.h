// The user's default user-interface language as a Windows language id, for choosing between the
// Japanese and English texts when the host cannot say which language it runs in.
#pragma once

namespace lumora::platform {

inline constexpr unsigned short kLanguageJapanese = 1041;  // 0x0411
inline constexpr unsigned short kLanguageEnglishUS = 1033; // 0x0409

// LUMORA_UI_LANGUAGE (a decimal or 0x-prefixed id) when set; otherwise Windows'
// GetUserDefaultUILanguage, and on other systems the first of LC_ALL, LC_MESSAGES and LANG that
// is set: Japanese when it names "ja" ("ja", "ja_JP.UTF-8"), US English for every other value.
unsigned short userDefaultUILanguage();

} // namespace lumora::platform
