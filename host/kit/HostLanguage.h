// The language of the host's interface (Japanese or English), which chooses the texts of the
// About box and the options dialog, and the effect's own text table.
#pragma once

#include <string>
#include <vector>

#include "AE_Effect.h"

namespace AEUtil {

enum TextLanguage : int { kLanguageJapanese = 0, kLanguageEnglish = 1 };

// The host's language tag when it can report one ("ja_JP" in any case: Japanese); otherwise
// English when the "-L" switch forces it, else the user's default interface language.
int hostLanguage(PF_InData *in_data);

// The "-L" switch rule, evaluated on the first call of the module's life and cached: the
// command line is consulted only when in_data is absent or the effect API version is 9.0 or
// older. True when it forces English.
bool commandLineForcesEnglish(PF_InData *in_data);

// The switch rule on given arguments: the argument after the first "-L" (any case), cut at its
// first blank, underscore or hyphen, equals "en" (any case).
bool switchForcesEnglish(const std::vector<std::string> &arguments);

// The About notice (text key 1); the About text must fit the host's 256-byte message with it.
inline constexpr char kAboutNoticeText[] = "Glow effect by NORIK. Copyright (C) NORIK. All rights reserved.";

// Effect name, About notice and online-manual address.
enum TextKey : int { kTextEffectName = 0, kTextAboutNotice = 1, kTextManualAddress = 3 };

// The text in that language, else in the other one, else empty (also for unknown keys).
const char *lookupText(int key, int language) noexcept;

} // namespace AEUtil
