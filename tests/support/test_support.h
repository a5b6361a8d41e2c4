// Helpers shared by every test program.
#pragma once

#include <cstdint>
#include <string>

namespace testing_support {

// A fresh, empty folder for one test, as a Windows path ending in '\'
// ("Z:\...\"), which both builds accept: Wine maps Z: to /, and the native
// build drops the drive letter.
std::string MakeTempFolder(const std::string& label);

// The Windows path of a POSIX path inside the build or source tree.
std::string WindowsPath(const std::string& posixPath);

// The repository's source folder (as a POSIX path).
std::string SourceDir();

// Whole-file helpers on Windows paths, byte for byte (no line-end changes).
bool WriteFileBytes(const std::string& path, const std::string& bytes);
bool ReadFileBytes(const std::string& path, std::string* bytes);
std::string ReadFileOrEmpty(const std::string& path);
bool FileExists(const std::string& path);

// Text as the system writes it: every "\n" becomes "\r\n".
std::string Crlf(const std::string& text);

// Returns every process-wide override of the OS seam to the real system.
void ResetOsOverrides();

}  // namespace testing_support
