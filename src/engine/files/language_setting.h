// The Language setting of the settings file and the engine's language code.
#pragma once

#include <cstdint>

// Three bytes of language code (no terminator); the result is the language
// number (1 English, 2 French, 3 German, 4 Spanish, 5 Italian, 6 Chinese).
int32_t ReadLanguageSetting(char* code3);
// The code into a text, cut or blank-padded.
void ReadLanguageCode(char* code, int64_t codeLength);
// The engine's language code becomes the one the settings file now gives.
void RefreshLanguageCode();
