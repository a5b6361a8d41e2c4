// RunService: run initialisation, date and time, existence test and deletion
// of a named file, and the job's base name.
#include "engine/files/run_services.h"

#include <cstring>

#include "engine/files/date_time.h"
#include "engine/files/file_units.h"
#include "engine/files/folder_and_command_routines.h"
#include "engine/files/language_setting.h"
#include "engine/files/path_rules.h"
#include "engine/files/run_mode_word.h"
#include "engine/files/run_paths.h"
#include "engine/files/unit_table.h"
#include "os/os.h"
#include "run/text.h"

namespace {

void Blank(char* text, int64_t length) { fixed::Blank(text, fixed::ArgumentLength(text, length)); }

void RunInitialisation(int64_t* locationCode) {
  FillUnitTable();
  // Files of the previous run are closed but stay on disk.
  for (int64_t unit = 51; unit <= 100; ++unit) units::Disconnect(unit, false);
  ApplyRunModeWord();
  RefreshLanguageCode();
  const char digit = g_runPaths.applicationNumber[0];
  if (locationCode) *locationCode = digit >= '0' && digit <= '9' ? digit - '0' : 0;
}

// The full path of a named file; false when it does not fit its field, and
// such a file is taken as not existing (so never deleted).
bool ExistingFile(char* path, size_t capacity, const char* name, int64_t nameLength,
                  const char* extension, int64_t extensionLength, const int64_t* locationCode) {
  char full[kFullPathWidth];
  if (!ResolvePathChecked(full, name, nameLength, extension, extensionLength, locationCode))
    return false;
  return fixed::ToCString(path, capacity, full, sizeof full) && path[0] != '\0' &&
         os::FileExists(path);
}

}  // namespace

void RunService(const int64_t* mode, int64_t* error, char* text1, int64_t text1Length, char* text2,
                int64_t text2Length, char* text3, int64_t text3Length, int64_t* locationCode) {
  if (error) *error = 0;
  if (!mode) return;
  int64_t ignoredError = 0;
  if (!error) error = &ignoredError;
  switch (*mode) {
    case 0:
    case 1:
    case 100:
      RunInitialisation(locationCode);
      break;
    case 2: {
      int32_t elapsed = 0;
      GetDateTime(text1, text1Length, text2, text2Length, &elapsed);
      break;
    }
    case 3:
    case 5: {
      char path[kFullPathWidth + 1];
      if (!ExistingFile(path, sizeof path, text1, text1Length, text2, text2Length, locationCode)) {
        *error = 1;
        break;
      }
      if (*mode == 5) {
        // The delete unit is left free, as connecting it to the file would.
        const int64_t unit = UnitOfSlot(kSlotDelete);
        if (unit != 0) units::Disconnect(unit, false);
        const bool deleted = os::RemoveFile(path);
        if (!deleted) *error = 2;
      }
      break;
    }
    case 13:
      fixed::CopyToArgument(text1, text1Length, g_runPaths.baseName,
                            fixed::TrimmedLength(g_runPaths.baseName, kRunFolderWidth));
      Blank(text2, text2Length);
      Blank(text3, text3Length);
      break;
    default:
      break;
  }
}

void ResetFileServicesForTests() {
  units::DisconnectAll();
  ResetClockReadingForTests();
  ResetFolderRoutinesForTests();
  ResetUnitTableForTests();
  ResetRunPathsForTests();
}
