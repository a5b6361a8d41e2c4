// Header conversion and extraction from a cache slot.
#include "engine/material/property_extraction.h"

#include <cmath>

#include "engine/material/conversion_tables.h"
#include "engine/material/copy_search.h"

namespace {

struct TableGroup {
  int32_t first, last;  // codes (record words) of the group
  int32_t entry;        // conversion entry
};

// Each temperature table stays within the words of its group.
constexpr TableGroup kGroups[] = {
    {121, 145, 61},  // thermal conductivity, 21 values
    {146, 180, 62},  // allowable stress, 31
    {181, 205, 63},  // yield strength, 21
    {206, 230, 64},  // thermal expansion, 21
    {231, 250, 65},  // modulus of elasticity, 16
    {251, 280, 66},  // design stress intensity, 26
    {281, 305, 67},  // tensile strength, 21
};

const TableGroup* GroupOf(int32_t c) {
  for (const TableGroup& g : kGroups) {
    if (c >= g.first && c <= g.last) return &g;
  }
  return nullptr;
}

bool IsCodapOrAdm(int64_t n) { return (n >= 2000 && n <= 3999) || (n >= 12000 && n <= 13999); }

// Gasket words w = k..60 into result words 1.., each times its factor.
void ExtractGasket(const MaterialCacheSlot& slot, const ExtractionRequest& r, float* result,
                   int64_t* status) {
  const int32_t table = ChooseGasketTable(slot.storedHeader[1], r.wantedSystem);
  if (table == kNoTable) {
    *status = 1;  // a stored system the gasket block has no factors for
    return;
  }
  for (int32_t i = 1; i <= 30; ++i) {
    const int32_t w = r.k + i - 1;
    if (w > 60) break;  // later result words keep what the caller had
    result[i - 1] = slot.words[w - 1] * ConversionFactor(table, w);
  }
}

void ExtractText(const MaterialCacheSlot& slot, const ExtractionRequest& r, char* text,
                 int64_t textLength) {
  int32_t j = r.k - 60;
  if (r.alternativeText == 2.0f) {
    if (j == 1) j = 31;
    if (j == 21) j = 51;
  } else if (r.alternativeText == 1.0f) {
    if (j == 51) j = 21;
  }
  const int64_t length = (j == 21 || j == 51) ? 40 : 80;
  const int64_t from = 4 * (j - 1) + 1;
  const int64_t one = 1;
  MOVEC(&length, slot.text, kRecordTextChars, &from, text, textLength, &one);
  // Characters the record does not have (past character 240) are blanks.
  const int64_t available = kRecordTextChars - from + 1;
  for (int64_t p = available + 1; p <= length && p <= textLength; ++p) text[p - 1] = ' ';
}

}  // namespace

float PriceFactor(int32_t wantedCurrency, float storedCurrencyWord, float storedSystem,
                  int32_t wantedSystem, float typeCode) {
  const int32_t w = wantedCurrency >= 1 && wantedCurrency <= kCurrencies ? wantedCurrency : 1;
  const float wanted = g_currencyFactors.factor[w - 1];
  const float stored = g_currencyFactors.factor[CurrencyNumber(storedCurrencyWord) - 1];
  return wanted / stored * PriceUnitFactor(storedSystem, wantedSystem, typeCode);
}

bool ConvertSlotHeader(MaterialCacheSlot* slot, int32_t wantedSystem, int32_t wantedCurrency) {
  const float storedSystem = slot->storedHeader[1];
  const int32_t table = ChooseConversionTable(storedSystem, wantedSystem);
  if (table == kNoTable) return false;
  const float price = PriceFactor(wantedCurrency, slot->storedHeader[2], storedSystem, wantedSystem,
                                  slot->storedHeader[3]);
  for (int32_t i = 1; i <= kHeaderWords; ++i) {
    const float factor = i == 10 ? price : ConversionFactor(table, i);
    slot->words[i - 1] = slot->storedHeader[i - 1] * factor;
  }
  slot->headerUnitSystem = static_cast<float>(wantedSystem);
  return true;
}

void EvaluateTemperatureTable(const float* words, float storedSystem, int32_t c, float codeAsPassed,
                              int32_t mode, int32_t wantedSystem, float t, float* value,
                              int64_t* status) {
  *value = 0.0f;
  const TableGroup* group = GroupOf(c);
  const int32_t table = ChooseConversionTable(storedSystem, wantedSystem);
  // The four words before the values and at least one value lie in the group.
  if (!group || table == kNoTable || c + 4 > group->last) {
    *status = 1;
    return;
  }
  const float f = ConversionFactor(table, group->entry);
  const float tMin = words[c - 1];
  const float ts = words[c];
  const float d = words[c + 1];
  const float te = words[c + 2];
  const float* v = &words[c + 3];  // v[l - 1] is value l
  const int32_t capacity = group->last - (c + 4) + 1;

  if (d == 0.0f) {
    *status = 1;
    return;
  }
  if (!(d > 0.0f)) {  // a negative step, or NaN: no grid to search
    *status = 1;
    return;
  }

  if (wantedSystem == 1 && storedSystem >= 2.0f) {
    t = (t - 32.0f) / 1.8f;
  } else if (wantedSystem >= 2 && storedSystem == 1.0f) {
    t = t * 1.8f + 32.0f;
  }

  if (t < tMin || t <= ts) {
    *value = v[0] * f;
    return;
  }
  if (t > te) {
    *status = 1;
    if (mode != 4 && (codeAsPassed == 146.0f || codeAsPassed == 181.0f || codeAsPassed == 281.0f)) {
      return;
    }
    t = te;
  }

  // The number of values: the last temperature must lie on the grid, and the
  // values within the group.
  const float steps = (te - ts) / d;
  const float whole = std::nearbyint(steps);
  if (!(steps >= 0.0f) || std::fabs(steps - whole) > 0.001f * (whole > 1.0f ? whole : 1.0f) ||
      whole + 1.0f > static_cast<float>(capacity)) {
    *status = 1;
    return;
  }
  const int32_t n = static_cast<int32_t>(whole) + 1;
  if (n == 1) {  // a one-value table: t has become its only temperature
    *value = v[0] * f;
    return;
  }

  int32_t found = -1;
  float a = 0.0f;
  for (int32_t m = 0; m <= n - 2; ++m) {
    const float lo = ts + static_cast<float>(m) * d;
    const float hi = ts + static_cast<float>(m + 1) * d;
    if (lo <= t && t <= hi) {
      found = m;
      a = lo;
      break;
    }
  }
  if (found < 0 && t <= te) {
    // With a decimal step the last grid point, worked out in four-byte reals,
    // can fall an ulp short of the stored last temperature (20 + 3 x 27.8 is
    // 103.39999, not 103.4): a t between the two still lies in the last
    // interval, at its upper end, and gets the last value exactly.
    found = n - 2;
    a = ts + static_cast<float>(found) * d;
    t = ts + static_cast<float>(found + 1) * d;
    if (v[n - 1] != 0.0f) {
      *value = v[n - 1] * f;
      return;
    }
  }
  if (found < 0) {  // t off the grid (NaN among them)
    *status = 1;
    return;
  }
  int32_t l = found + 1;
  int32_t u = found + 2;
  float w = d;
  while (v[l - 1] == 0.0f) {
    if (l == 1) {
      *status = 1;  // no non-zero value below
      return;
    }
    --l;
    a = a - d;
    w = w + d;
  }
  while (v[u - 1] == 0.0f) {
    if (u == n) {
      *status = 1;  // no non-zero value above
      return;
    }
    ++u;
    w = w + d;
  }
  const float lower = v[l - 1];
  const float upper = v[u - 1];
  const float slope = (upper - lower) / w;
  const float offset = slope * (t - a);
  const float interpolated = lower + offset;
  *value = interpolated * f;
}

void ExtractItem(const MaterialCacheSlot& slot, const ExtractionRequest& r, float* result,
                 int64_t* status, char* text, int64_t textLength) {
  const int32_t k = r.k;
  if (k < 1 || k > 305) return;
  if (k <= 30) {
    for (int32_t i = 0; i < 30; ++i) result[i] = slot.words[k - 1 + i];
    if ((r.mode == 0 || r.mode == 4) && r.wantedSystem >= 2) result[10] = result[10] / 1.0E9f;
    return;
  }
  if (k <= 60) {
    ExtractGasket(slot, r, result, status);
    return;
  }
  if (k <= 120) {
    ExtractText(slot, r, text, textLength);
    return;
  }
  const int32_t c = (k == 191 && IsCodapOrAdm(r.materialNumber)) ? 181 : k;
  float value = 0.0f;
  EvaluateTemperatureTable(slot.words, slot.storedHeader[1], c, r.codeAsPassed, r.mode,
                           r.wantedSystem, r.temperature, &value, status);
  result[0] = value;
}
