// Support routines through the OS seam.
#include "run/system_routines.h"

#include <cstring>

#include "os/os.h"
#include "run/run_context.h"
#include "run/text.h"

intptr_t SpawnProgram(int32_t spawnMode, const char* programName, const char* argument1,
                      const char* argument2, const char* argument3, const char* argument4) {
  // A program folder that did not fit its field is empty: joining the name to
  // it would start a program of that name from the current folder.
  if (!g_runContext.programFolderFits) return -1;
  char path[kRunFolderSize];
  if (!bounded::Join(path, sizeof path, GetProgramDir(), programName)) return -1;
  const char* argv[6] = {path, nullptr, nullptr, nullptr, nullptr, nullptr};
  const char* const given[4] = {argument1, argument2, argument3, argument4};
  for (int i = 0; i < 4 && given[i] && given[i][0] != ' '; ++i) argv[i + 1] = given[i];
  return os::Spawn(spawnMode, path, argv);
}

uint32_t RunCommand(const char* commandLine) { return os::RunCommandLine(commandLine); }

namespace {

// Opens each key of the chain inside the one before, read only. The keys
// opened are in keys[0..*opened).
bool OpenChain(os::RegKey root, const char* const* names, int count, os::RegKey* keys,
               int* opened) {
  *opened = 0;
  os::RegKey parent = root;
  for (int i = 0; i < count; ++i) {
    if (!os::RegOpen(parent, names[i], os::kKeyRead, &keys[i])) return false;
    parent = keys[i];
    ++*opened;
  }
  return true;
}

void CloseChain(os::RegKey* keys, int opened) {
  while (opened > 0) os::RegClose(keys[--opened]);
}

}  // namespace

void FindSiblingSimulator(int32_t* flag) {
  static const char* const kChain[] = {"SOFTWARE", "CorvoSoft", "CORVO FLOW"};
  os::RegKey keys[3];
  int opened = 0;
  *flag = OpenChain(os::kHkeyLocalMachine, kChain, 3, keys, &opened) ? 0 : 1;
  CloseChain(keys, opened);
}

int32_t ReadUserSetting(const char* subKey, const char* valueName, char* data) {
  const char* const chain[] = {"SOFTWARE", "VA and VBA Program Settings", "CorvoSoft/K-VOR 6.0",
                               subKey};
  os::RegKey keys[4];
  int opened = 0;
  int32_t result = 0;
  if (OpenChain(os::kHkeyCurrentUser, chain, 4, keys, &opened)) {
    uint32_t size = kUserSettingSize;
    result = os::RegQueryValue(keys[3], valueName, data, &size) ? 1 : 0;
  }
  CloseChain(keys, opened);
  return result;
}

int64_t GetEnvValue(const char* name, int64_t nameLength, char* out, int64_t outLength) {
  // A name too long for its buffer is not looked up: cut, it would name
  // another variable.
  char variable[kRunFolderSize];
  const size_t n = bounded::LengthWithin(name, nameLength);
  if (outLength > 0 && bounded::CopyPrefix(variable, sizeof variable, name, n)) {
    os::GetEnv(variable, out, static_cast<size_t>(outLength));
  }
  return static_cast<int64_t>(bounded::LengthWithin(out, outLength));
}

int32_t FindProgramDir(void* module, char* out, int64_t outLength) {
  if (module) {
    // The whole buffer is offered, so a name of 255 characters comes back
    // whole; a longer one comes back cut (and, on older systems, without its
    // NUL), and its folders up to "XEQ\" may still be all there.
    char name[kRunFolderSize + 1] = {};
    const uint32_t n = os::ModuleFileName(module, name, kRunFolderSize);
    if (n > 0) {
      ascii::UpperInPlace(name);
      if (char* xeq = std::strstr(name, "XEQ\\")) {
        *xeq = '\0';
        bounded::CopyCut(out, outLength, name);
        return 0;
      }
    }
  }
  if (!os::GetEnv("KVOR", nullptr, 0)) return -1;
  if (outLength > 0) os::GetEnv("KVOR", out, static_cast<size_t>(outLength));
  return 0;
}
