// Routines for engine code outside this library: starting programs, registry
// look-ups, environment values and the program folder. Nothing in the library
// calls them but RunCommandText (engine/files), which starts its command line
// through RunCommand.
#pragma once

#include <cstdint>

// Starts the program folder followed by programName as a new process (the
// PATH is searched), with that path as argument 0 and then arguments 1 to 4,
// the list ending before the first argument that is null or begins with a
// blank. Mode 0 waits (result: the exit code), 1 does not (result: the
// process id); -1 when the program cannot be started or its path does not fit.
intptr_t SpawnProgram(int32_t spawnMode, const char* programName, const char* argument1,
                      const char* argument2, const char* argument3, const char* argument4);

// WinExec(commandLine, SW_SHOWNORMAL); above 31 on success.
uint32_t RunCommand(const char* commandLine);

// *flag = 0 when the sibling simulator's registry key
// HKLM\SOFTWARE\CorvoSoft\CORVO FLOW exists, 1 otherwise. Read access only.
void FindSiblingSimulator(int32_t* flag);

// Reads the value `valueName` of HKCU\SOFTWARE\VA and VBA Program
// Settings\CorvoSoft/K-VOR 6.0\<subKey> into data (at most kUserSettingSize
// bytes). 1 when read, 0 when a key is missing or the read fails.
constexpr uint32_t kUserSettingSize = 256;
int32_t ReadUserSetting(const char* subKey, const char* valueName, char* data);

// When the environment variable (the name ends at nameLength or a NUL) is set,
// its value is copied into out, cut to outLength - 1 characters and ended by
// a NUL; otherwise out is left as it was. Returns the length of the text in
// out.
int64_t GetEnvValue(const char* name, int64_t nameLength, char* out, int64_t outLength);

// The program folder: the module's file name in upper case up to (not
// including) its first "XEQ\"; else the environment variable KVOR. Cut to
// outLength - 1 characters and ended by a NUL. 0 when found, -1 when neither
// gives one (out then unchanged).
int32_t FindProgramDir(void* module, char* out, int64_t outLength);
