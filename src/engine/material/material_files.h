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

// How a read of a database set's file went. A missing file is told apart
// from one that is there but cannot be read: only the second makes the
// diagnostic line, and only one that cannot be opened is reported to the host.
enum class PdaRead { kRead, kMissing, kUnreadable };

// Reads the set's index file into its in-memory index; the index is unchanged
// unless the file is read whole.
PdaRead LoadSetIndex(int32_t setId);

// Reads record `recordNumber` of the set's property file (1220 bytes). The
// file is closed again either way.
PdaRead ReadPropertyRecord(int32_t setId, int64_t recordNumber, unsigned char* record1220);

// Little-endian four-byte real and two-byte integer at a byte address.
float LoadFloatLE(const unsigned char* bytes);
int16_t LoadInt16LE(const unsigned char* bytes);
