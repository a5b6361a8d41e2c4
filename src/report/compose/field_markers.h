// The composer's use of the screen model's field-marker map, kept apart so
// that the composer itself needs only these three calls.
#pragma once

// Every cell of the map blank.
void ClearFieldMarkerMap();
// Rows 1 to 23 of the laid-out template into the map; row 24 stays blank.
void TakeFieldMarkers(const char* templatePage);
// The map (25 rows of 80).
char* FieldMarkerMap();
