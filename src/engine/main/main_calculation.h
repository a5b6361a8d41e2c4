// The engine's main calculation, called once per run inside the run shell's
// exception guard: the run input file becomes the results file.
//
// One run: run initialisation and job name; the run input file read into the
// input tables; start, end and step temperatures and the material number from
// input indices 10001, 10002, 10003 and 10005; a material number from 1 to 99
// names a material class (class table "N_Mtldef", else the built-in default
// of classes 1 to 40); the temperature grid; the seven property arrays point
// by point; the header, gasket and name retrievals; all written in a fixed
// order of keys, in US customary units.
//
// The calculation ends with nothing written when the run input file cannot be
// opened, when the material number is below 1, when the class table cannot be
// read, and when a class from 41 to 99 names no material.
#pragma once

#include <cstdint>

#include "engine/main/temperature_grid.h"

constexpr int kJobNameWidth = 8;
constexpr int kResultWords = 30;
constexpr int kMaterialNameWidth = 80;
// The non-name retrievals hand over a text too; it is a full 80 characters so
// that nothing that fills a text there can write past it.
constexpr int kShortTextWidth = 80;
constexpr int kClassRows = 100;
constexpr int kClassRowWords = 25;
constexpr int kClassTableWords = kClassRows * kClassRowWords;
constexpr int kDefaultClasses = 40;
constexpr int kProperties = 7;

// Process-wide state of the main calculation. Every item is zero when the
// library is loaded and keeps its value from one run to the next until a run
// overwrites it (the blocks and the name are cleared before each run's header
// retrieval).
struct MainCalculationState {
  char jobName[kJobNameWidth];  // base name cut or blank-padded to 8
  int64_t materialNumber;       // the material retrieved
  int64_t classNumber;          // the number as read, when it named a class
  int64_t status;               // status of the last retrieval (and of the set-up calls)
  TemperatureGrid grid;         // start, end, step as the grid rules leave them
  float propertyArray[kMaxGridPoints];
  float resultBlock[kResultWords];
  float gasketBlock[kResultWords];
  char materialName[kMaterialNameWidth];
  char shortText[kShortTextWidth];
  float classTable[kClassTableWords];  // row c (1..100) for material class c
  char pNumberText[3];
};
extern MainCalculationState g_mainCalculation;

// The material of classes 1 to 40 whose class table row names none.
extern const int16_t kDefaultClassMaterials[kDefaultClasses];

struct PropertyOutput {
  float code;       // the property code of its temperature table
  const char* key;  // its results key
  float factor;     // applied to every value before it is written
};
// The seven properties in the order of retrieval and of output.
extern const PropertyOutput kPropertyOutputs[kProperties];

void MaterialEngineMain();

// Load-time state (every item zero), for tests.
void ResetMainCalculationForTests();
