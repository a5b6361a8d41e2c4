// The shared working of the material library stand-ins (Tarsus.dll, Ravel.dll,
// Osric.dll): recording a property call, answering it as told, and the control
// functions' bodies. Each stand-in's .cpp includes it once and keeps its own
// LibraryState (everything here is internal to that file), so each DLL, and
// each library's part of the native static library, has its own calls and
// answer.
#pragma once

#include <cstring>

#include "material_library/material_library_standin.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

constexpr int kMaxLibraryCalls = 4096;

struct LibraryAnswer {
  int64_t status = 0;
  int32_t fill = 0;
  float words[30] = {};
  char text[kLibraryTextSize] = {};
  int64_t textChars = 0;
  uint32_t raiseCode = 0;
};

struct LibraryState {
  LibraryAnswer answer;
  standin::CallLog<MaterialLibraryCall, kMaxLibraryCalls> log;
};

inline void RecordAndAnswer(LibraryState& s, const float* propertyCode, const float* mode,
                            const float* unitSystem, const float* currencyIndex,
                            const int64_t* materialNumber, const float* temperature, float* result,
                            int64_t* status, char* text, int64_t textLength) {
  MaterialLibraryCall* c = s.log.Add();
  c->address[0] = propertyCode;
  c->address[1] = mode;
  c->address[2] = unitSystem;
  c->address[3] = currencyIndex;
  c->address[4] = materialNumber;
  c->address[5] = temperature;
  c->address[6] = result;
  c->address[7] = status;
  c->address[8] = text;
  if (propertyCode) c->propertyCode = *propertyCode;
  if (mode) c->mode = *mode;
  if (unitSystem) c->unitSystem = *unitSystem;
  if (currencyIndex) c->currencyIndex = *currencyIndex;
  if (materialNumber) c->materialNumber = *materialNumber;
  if (temperature) c->temperature = *temperature;
  if (result) c->resultWord1OnEntry = result[0];
  if (status) c->statusOnEntry = *status;
  c->textLength = textLength;

#ifdef _WIN32
  if (s.answer.raiseCode != 0) ::RaiseException(s.answer.raiseCode, 0, 0, nullptr);
#endif

  if (status) *status = s.answer.status;
  if (!s.answer.fill || !propertyCode || !result) return;
  const float code = *propertyCode;
  if (!(code >= 1.0f && code < 306.0f)) return;
  const int k = static_cast<int>(code);
  if (k <= 60) {
    std::memcpy(result, s.answer.words, sizeof s.answer.words);
  } else if (k <= 120) {
    // The caller's text is at least 80 characters; the answer is at most that.
    if (text && s.answer.textChars > 0) {
      std::memcpy(text, s.answer.text, static_cast<size_t>(s.answer.textChars));
    }
  } else {
    result[0] = s.answer.words[0];
  }
}

// Forget the calls; the default answer (status 0, nothing filled, no raise).
inline void ResetLibrary(LibraryState& s) {
  s.answer = LibraryAnswer{};
  s.log.Clear();
}

// Call `index` (0-based) as recorded; nullptr past the last.
inline const MaterialLibraryCall* RecordedCall(const LibraryState& s, int32_t index) {
  return s.log.At(index);
}

// Non-zero: every later call raises this structured exception; 0 clears.
inline void SetRaise(LibraryState& s, uint32_t exceptionCode) {
  s.answer.raiseCode = exceptionCode;
}

inline void SetAnswer(LibraryState& s, int64_t status, int32_t fill, const float* words,
                      int32_t wordCount, const char* text, int64_t textChars) {
  s.answer.status = status;
  s.answer.fill = fill;
  std::memset(s.answer.words, 0, sizeof s.answer.words);
  const int32_t n = wordCount < 0 ? 0 : (wordCount > 30 ? 30 : wordCount);
  if (words && n > 0) std::memcpy(s.answer.words, words, sizeof(float) * static_cast<size_t>(n));
  std::memset(s.answer.text, 0, sizeof s.answer.text);
  int64_t t = textChars < 0 ? 0 : (textChars > kLibraryTextSize ? kLibraryTextSize : textChars);
  if (!text) t = 0;
  if (t > 0) std::memcpy(s.answer.text, text, static_cast<size_t>(t));
  s.answer.textChars = t;
}

}  // namespace

// One library's property routine and its control functions CallCount, Call,
// SetAnswer and SetRaise (exported as Control_CallCount and so on), all over
// the file's own `g_libraryState`. The file adds its Reset (and anything of
// its own, such as the Tarsus price).
#define DEFINE_MATERIAL_LIBRARY_STANDIN(PROP, Control)                                             \
  namespace {                                                                                      \
  LibraryState g_libraryState;                                                                     \
  }                                                                                                \
  STANDIN_API void PROP(const float* propertyCode, const float* mode, const float* unitSystem,     \
                        const float* currencyIndex, const int64_t* materialNumber,                 \
                        const float* temperature, float* result, int64_t* status, char* text,      \
                        int64_t textLength) {                                                      \
    RecordAndAnswer(g_libraryState, propertyCode, mode, unitSystem, currencyIndex, materialNumber, \
                    temperature, result, status, text, textLength);                                \
  }                                                                                                \
  STANDIN_API int32_t Control##_CallCount(void) { return g_libraryState.log.count; }               \
  STANDIN_API const MaterialLibraryCall* Control##_Call(int32_t index) {                           \
    return RecordedCall(g_libraryState, index);                                                    \
  }                                                                                                \
  STANDIN_API void Control##_SetAnswer(int64_t status, int32_t fill, const float* words,           \
                                       int32_t wordCount, const char* text, int64_t textChars) {   \
    SetAnswer(g_libraryState, status, fill, words, wordCount, text, textChars);                    \
  }                                                                                                \
  STANDIN_API void Control##_SetRaise(uint32_t exceptionCode) {                                    \
    SetRaise(g_libraryState, exceptionCode);                                                       \
  }
