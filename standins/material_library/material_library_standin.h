// What the stand-ins of the three material libraries (Tarsus.dll, Ravel.dll,
// Osric.dll) record and how they answer. Each stand-in's control header
// (tarsus/tarsus_standin.h, ravel/ravel_standin.h, osric/osric_standin.h)
// declares its own functions over these two structs; one shared piece
// (material_library_core.h) does the recording and answering for all three.
//
// A property call is recorded as received: the nine addresses, the values read
// through them, and the tenth argument (the text's length, by value). Then the
// stand-in answers as told: it writes the status, and when told to fill, what
// the local databases would fill for the code: result words 1 to 30 for codes
// 1 to 60, the text from position 1 for codes 61 to 120 (result words 2 to 30
// untouched), result word 1 for codes 121 to 305.
//
// On request a property call raises a structured exception after recording
// (RaiseException with the given code, no arguments) instead of answering. The
// native build has no structured exceptions: there the request is recorded and
// ignored, and the call answers as usual.
#pragma once

#include <cstdint>

#include "standin_common.h"

constexpr int kLibraryTextSize = 80;

struct MaterialLibraryCall {
  // propertyCode, mode, unitSystem, currencyIndex, materialNumber, temperature,
  // result, status, text: the addresses exactly as received.
  const void* address[9];
  float propertyCode;
  float mode;
  float unitSystem;
  float currencyIndex;
  int64_t materialNumber;
  float temperature;
  float resultWord1OnEntry;  // what the caller had in result word 1
  int64_t statusOnEntry;
  int64_t textLength;  // the tenth argument
};

struct MaterialPriceCall {
  const void* address[2];  // material number, unit system
  int64_t materialNumber;
  int64_t unitSystem;
};
