// What every stand-in shares: the export macro of its services and control
// functions, and a fixed log of the calls it received.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#ifdef _WIN32
#define STANDIN_API extern "C" __declspec(dllexport)
#else
#define STANDIN_API extern "C"
#endif

namespace standin {

// The calls a stand-in received, in order. Calls past the capacity all land in
// one overflow record, so a long test never writes outside the log.
template <typename Call, int Capacity>
struct CallLog {
  Call calls[Capacity];
  int32_t count = 0;

  // A cleared record for the next call.
  Call* Add() {
    static Call overflow;
    Call* c = count < Capacity ? &calls[count++] : &overflow;
    std::memset(c, 0, sizeof *c);
    return c;
  }
  const Call* At(int32_t index) const {
    return index >= 0 && index < count ? &calls[index] : nullptr;
  }
  void Clear() { count = 0; }
};

// Copies a NUL-terminated text into a record's field of `size` bytes, cut to
// fit; returns the length kept (0 for a null text, which leaves the field).
inline int64_t CopyTextField(char* field, size_t size, const char* text) {
  if (!text || size == 0) return 0;
  std::strncpy(field, text, size - 1);
  field[size - 1] = '\0';
  return static_cast<int64_t>(std::strlen(field));
}

}  // namespace standin
