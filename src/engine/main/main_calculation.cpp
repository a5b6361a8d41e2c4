// The engine's main calculation: one run turns the run input file into the
// results file.
#include "engine/main/main_calculation.h"

#include <cstring>

#include "engine/files/file_units.h"
#include "engine/files/path_rules.h"
#include "engine/files/run_services.h"
#include "engine/files/unit_table.h"
#include "engine/input/input_tables.h"
#include "engine/input/run_input_unit.h"
#include "engine/main/class_resolution.h"
#include "engine/main/p_number.h"
#include "engine/material/material_property.h"
#include "run/results_writer.h"
#include "run/text.h"

MainCalculationState g_mainCalculation;

// Codes of the temperature tables; the expansion coefficient is written per
// million degrees.
const PropertyOutput kPropertyOutputs[kProperties] = {
    {121.0f, "arThermCond", 1.0f},       {206.0f, "arThermExpCoef", 1.0E6f},
    {231.0f, "arElasticity", 1.0f},      {181.0f, "arYieldStrength", 1.0f},
    {251.0f, "arStressIntensity", 1.0f}, {146.0f, "arAllowStress", 1.0f},
    {281.0f, "arTensileStrength", 1.0f},
};

namespace {

// Every value is asked for in US customary units (system 1), in currency 1,
// by a normal retrieval, with no alternative text (a selector that is
// neither 1.0 nor 2.0).
constexpr float kNormalMode = 1.0f;
constexpr float kUsCustomary = 1.0f;
constexpr float kNoAlternativeText = 0.0f;
constexpr float kFirstCurrency = 1.0f;

constexpr float kHeaderCode = 1.0f;
constexpr float kGasketCode = 31.0f;
constexpr float kNameCode = 61.0f;

// Density is stored per cubic inch and written per cubic foot.
constexpr float kCubicInchesPerCubicFoot = 1728.0f;

MainCalculationState& S() { return g_mainCalculation; }

void Retrieve(float code, float temperature, float* result, char* text, int64_t textLength) {
  MainCalculationState& s = S();
  GetMaterialProperty(&code, &kNormalMode, &kUsCustomary, &kNoAlternativeText, &kFirstCurrency,
                      &s.materialNumber, &temperature, result, &s.status, text, textLength);
}

void InitialiseRun() {
  MainCalculationState& s = S();
  // Run initialisation reads none of its texts; the job name call blanks the
  // second and third.
  char text1[kJobNameWidth], text2[kJobNameWidth], text3[kJobNameWidth];
  const int64_t initialise = 0;
  int64_t applicationNumber = 0;
  RunService(&initialise, &s.status, text1, sizeof text1, text2, sizeof text2, text3, sizeof text3,
             &applicationNumber);
  const int64_t jobName = 13;
  int64_t unused = 0;
  RunService(&jobName, &s.status, s.jobName, kJobNameWidth, text2, sizeof text2, text3,
             sizeof text3, &unused);
}

// Reads the run input file into the input tables. False when the file cannot
// be opened: the inputs an earlier run left behind must not pass for this
// job's.
bool ReadRunInputFile() {
  MainCalculationState& s = S();
  const int64_t open = 3;
  const int64_t unit = UnitOfSlot(kSlotRunInput);
  const int64_t location = 2;
  const int64_t recordLength = 80;
  const int64_t spare = 0;
  OpenDataFile(&open, &unit, s.jobName, kJobNameWidth, "KVT", 3, &location, &recordLength, &spare,
               "DFSEORZZ", 8, &s.status);
  if (!units::IsConnected(unit)) return false;
  ReadRunInput("VESKAR", 6, &s.status);  // the reader's status is not examined
  units::Disconnect(unit, false);
  return true;
}

void WriteProperty(const PropertyOutput& property) {
  MainCalculationState& s = S();
  const int64_t points = s.grid.steps + 1;
  s.status = 0;
  for (int64_t i = 0; i < points; ++i) {
    // A library that answers without writing a value must not repeat the
    // previous point's value.
    s.resultBlock[0] = 0.0f;
    Retrieve(property.code, s.grid.point[i], s.resultBlock, s.shortText, kShortTextWidth);
    if (s.status == 1) s.resultBlock[0] = 0.0f;  // no data, or above the table
    s.propertyArray[i] = s.resultBlock[0] * property.factor;
  }
  WriteResultRealArray(property.key, static_cast<int64_t>(std::strlen(property.key)),
                       s.propertyArray, &points);
}

void WritePNumber() {
  MainCalculationState& s = S();
  const PNumber p = DecodePNumber(s.resultBlock[15]);
  if (p.isText) {
    std::memcpy(s.pNumberText, p.text, sizeof s.pNumberText);
    WriteResultText("PNum", 4, s.pNumberText, sizeof s.pNumberText);
  } else {
    WriteResultInt("PNum", 4, &p.number);
  }
}

void WriteScalar(const char* key, float value) {
  WriteResultReal(key, static_cast<int64_t>(std::strlen(key)), &value);
}

}  // namespace

void MaterialEngineMain() {
  MainCalculationState& s = S();
  InitialiseRun();
  if (!ReadRunInputFile()) return;

  const float start = InputScalarAt(kIndexStartTemperature);
  const float end = InputScalarAt(kIndexEndTemperature);
  const float step = InputScalarAt(kIndexTemperatureStep);
  s.materialNumber = WholeNumber(InputScalarAt(kIndexMaterialNumber));

  // No material below 1: not even the class table is read.
  if (s.materialNumber < 1) return;
  if (s.materialNumber < 100) {
    s.classNumber = s.materialNumber;
    if (!ResolveMaterialClass(s.classNumber, &s.materialNumber)) return;
  }

  BuildTemperatureGrid(start, end, step, &s.grid);
  for (const PropertyOutput& property : kPropertyOutputs) WriteProperty(property);
  const int64_t points = s.grid.steps + 1;
  WriteResultRealList("arTemp", 6, s.grid.point, &points);

  // A material that is not found must show no earlier material's name and
  // scalars. The header and the name retrieval share the result block, so it
  // is cleared only here.
  std::memset(s.resultBlock, 0, sizeof s.resultBlock);
  std::memset(s.gasketBlock, 0, sizeof s.gasketBlock);
  fixed::Blank(s.materialName, kMaterialNameWidth);

  Retrieve(kHeaderCode, 0.0f, s.resultBlock, s.shortText, kShortTextWidth);
  WritePNumber();
  Retrieve(kGasketCode, 0.0f, s.gasketBlock, s.shortText, kShortTextWidth);
  Retrieve(kNameCode, 0.0f, s.resultBlock, s.materialName, kMaterialNameWidth);
  WriteResultText("MtlName", 7, s.materialName, kMaterialNameWidth);

  // Header words after the name retrieval, which leaves words 2 to 30 as the
  // header retrieval wrote them.
  const float* gasket = s.gasketBlock;
  const float* header = s.resultBlock;
  WriteScalar("GaskFactY", gasket[1]);
  WriteScalar("GaskFactM", gasket[0]);
  WriteScalar("GaskThk", gasket[2]);
  WriteScalar("GaskColumn", gasket[3]);
  WriteScalar("ThkMin", header[11]);
  WriteScalar("ThkMax", header[12]);
  WriteScalar("ODMin", header[25]);
  WriteScalar("ODMax", header[26]);
  WriteScalar("YieldMinSpec", header[19]);
  WriteScalar("TensileMinSpec", header[20]);
  WriteScalar("MtlClass", header[4]);
  WriteScalar("Price", header[9]);
  WriteScalar("Density", header[10] * kCubicInchesPerCubicFoot);
  WriteScalar("GroupNum", header[16]);
  WriteScalar("PoissonRat", header[24]);
}

void ResetMainCalculationForTests() {
  std::memset(&g_mainCalculation, 0, sizeof g_mainCalculation);
}
