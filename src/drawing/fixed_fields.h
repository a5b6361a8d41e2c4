// Fixed-column fields of a drawing text line, read by a field descriptor.
//
// A descriptor is a run of three-character items read left to right, each
// taking the columns after the previous item's:
//   "Ann"  a text of nn columns, stored NUL-terminated (the address must hold
//          nn + 1 characters)
//   "Inn"  a whole number of nn columns (leading blanks and a sign allowed),
//          stored as int32_t; a field without digits leaves its address alone
//   "Fwd"  a whole number of w columns whose last d digits are decimals,
//          stored as float; a '.' ends the number, as any other non-digit does
//   "Xnn"  nn columns skipped, no address
// Any other letter is passed over without taking columns or an address. A
// field is at most 84 columns wide. The line ends at its NUL or line end;
// columns beyond it read as blanks.
#pragma once

#include <cstdint>

constexpr int kMaxFieldWidth = 84;

// One address per A, I and F item, in order; items beyond `addressCount`
// addresses are read but not stored.
void ReadFixedFieldsInto(const char* line, const char* descriptor, void* const* addresses,
                         int addressCount);

template <typename... Field>
inline void ReadFixedFields(const char* line, const char* descriptor, Field*... fields) {
  void* const addresses[] = {static_cast<void*>(fields)..., nullptr};
  ReadFixedFieldsInto(line, descriptor, addresses, static_cast<int>(sizeof...(Field)));
}
