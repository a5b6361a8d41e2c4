// The .PDA files of material retrieval: the currency table, the index file and
// the property file of a database set. Each file is opened for one read and
// closed at once.
#pragma once

#include <cstdint>

#include "engine/material/material_cache.h"

// Loads the currency table (first local look-up of the process): currency
// factors 2..9 from words 121..128 where those are above zero; a table that is
// missing or cannot be read leaves the factors as they are. Then both indexes
// and every slot are emptied, no set is current or loaded, and the table
// counts as loaded.
void LoadCurrencyTable();

// True when the named .PDA file exists in the program's data folder (or, for a
// shared database name, in the host data folder).
bool PdaFileExists(const char* name);

// Reads the set's index file into its in-memory index. False, with the index
// unchanged, when the file cannot be read whole.
bool LoadSetIndex(int32_t setId);

// Reads record `recordNumber` of the set's property file (1220 bytes). False
// when the read fails; the file is closed either way.
bool ReadPropertyRecord(int32_t setId, int64_t recordNumber, unsigned char* record1220);

// Little-endian four-byte real and two-byte integer at a byte address.
float LoadFloatLE(const unsigned char* bytes);
int16_t LoadInt16LE(const unsigned char* bytes);
