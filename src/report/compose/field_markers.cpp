#include "report/compose/field_markers.h"

#include <cstring>

#include "report/screen/screen_model.h"

void ClearFieldMarkerMap() {
  std::memset(g_screenModel.fieldMarkerMap, ' ', sizeof g_screenModel.fieldMarkerMap);
}

void TakeFieldMarkers(const char* templatePage) {
  std::memcpy(g_screenModel.fieldMarkerMap, templatePage, 23 * kScreenColumns);
}

char* FieldMarkerMap() { return g_screenModel.fieldMarkerMap; }
