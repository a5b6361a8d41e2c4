// Path rules and data-file opening: from name, extension and location code to
// a full path, and from an eight-letter mode text to a unit connection.
#include "engine/files/path_rules.h"

#include <cstring>

#include "engine/files/file_units.h"
#include "engine/files/run_paths.h"
#include "host/gantry.h"
#include "os/os.h"
#include "run/text.h"

namespace {

// Databases the host may keep in its own data folder; matched case-sensitively,
// so that "N_Mtldef" (the class table) is never taken from there.
constexpr const char* kSharedDatabaseNames[] = {
    "D_FXPRIV", "D_IDPRIV", "D_VAPRIV", "G_COMPNA", "G_PROFIL", "N_MTLDEF", "N_MTLDIN",
    "N_MTLCDP", "N_MTLJIS", "N_MTLEN",  "N_PARTNO", "N_PRIVI",  "N_PRIVP",  "N_CorvoI",
    "N_CorvoP", "N_STDLAB", "N_STDMTL", "N_STDOPR", "N_STDWLD", "N_STDPRC", "N_HORSUP"};

// Extensions of the language files, kept in the program's language folder and
// only ever read.
constexpr const char* kLanguageExtensions[] = {"LAN", "ENG", "GER", "FRE",
                                               "ITA", "SPA", "CHI", "JPN"};

// The first three characters of an extension; positions past its length are
// blanks.
struct Ext3 {
  char c[3];
  bool Is(const char* three) const { return std::memcmp(c, three, 3) == 0; }
};
Ext3 FirstThree(const char* extension, size_t length) {
  Ext3 e;
  fixed::CopyPadded(e.c, 3, extension, extension ? length : 0);
  return e;
}

bool IsLanguageExtension(const Ext3& e) {
  for (const char* x : kLanguageExtensions)
    if (e.Is(x)) return true;
  return false;
}

bool IsSharedDatabase(const char* name, size_t length) {
  for (const char* shared : kSharedDatabaseNames)
    if (fixed::EqualIgnoringTrailingBlanks(name, length, shared, std::strlen(shared))) return true;
  return false;
}

// A path under construction: at most 256 characters are kept; `overflow`
// records that something did not fit.
struct PathBuilder {
  char text[kFullPathWidth + 1];
  size_t length;
  bool overflow;
};

void Append(PathBuilder* p, const char* piece, size_t pieceLength) {
  const size_t room = kFullPathWidth - p->length;
  const size_t n = pieceLength < room ? pieceLength : room;
  if (n > 0) std::memcpy(p->text + p->length, piece, n);
  p->length += n;
  if (n < pieceLength) p->overflow = true;
  p->text[p->length] = '\0';
}
void AppendTrimmed(PathBuilder* p, const char* text, size_t length) {
  Append(p, text, text ? fixed::TrimmedLength(text, length) : 0);
}
void AppendZ(PathBuilder* p, const char* text) { Append(p, text, std::strlen(text)); }

void Start(PathBuilder* p) {
  p->text[0] = '\0';
  p->length = 0;
  p->overflow = false;
}

// Folder of RunPaths (trailing blanks dropped), then the pieces; no separator.
void FolderThenFile(PathBuilder* p, const char* folder, const char* subFolder, const char* fileName,
                    size_t fileNameLength) {
  Start(p);
  AppendTrimmed(p, folder, kRunFolderWidth);
  AppendZ(p, subFolder);
  Append(p, fileName, fileNameLength);
}

// Whether a shared database's copy in the host data folder is looked for. A
// look that has found it absent need not be made again for another location:
// each look is a request to the system.
enum class HostCopy { kLookFor, kKnownAbsent };

bool ResolveTo(PathBuilder* out, const char* name, size_t nameLength, const char* extension,
               size_t extensionLength, int64_t locationCode, HostCopy hostCopy = HostCopy::kLookFor,
               bool* inHostFolder = nullptr) {
  const RunPaths& rp = g_runPaths;
  if (inHostFolder) *inHostFolder = false;
  const size_t nameTrimmed = name ? fixed::TrimmedLength(name, nameLength) : 0;

  // The file name: name '.' extension, both without trailing blanks.
  PathBuilder file;
  Start(&file);
  Append(&file, name, nameTrimmed);
  AppendZ(&file, ".");
  AppendTrimmed(&file, extension, extensionLength);

  const Ext3 e = FirstThree(extension, extensionLength);
  if (e.Is("TMP")) {
    FolderThenFile(out, rp.tempFolder, "", file.text, file.length);
  } else if (e.Is("PDA")) {
    if (hostCopy == HostCopy::kLookFor && IsSharedDatabase(name, nameTrimmed)) {
      // A blank host data folder leaves the bare file name: the current folder.
      FolderThenFile(out, rp.hostDataFolder, "", name, nameTrimmed);
      AppendZ(out, ".PDA");
      if (!out->overflow && os::FileExists(out->text)) {
        if (inHostFolder) *inHostFolder = true;
        return true;
      }
    }
    Start(&file);
    Append(&file, name, nameTrimmed);
    AppendZ(&file, ".PDA");
    if (locationCode == 1)
      FolderThenFile(out, rp.programFolder, "DAT\\PDA\\", file.text, file.length);
    else
      FolderThenFile(out, rp.inputFolder, "", file.text, file.length);
  } else if (e.Is("RPD")) {
    FolderThenFile(out, rp.programFolder, "XEQ\\", file.text, file.length);
  } else if (IsLanguageExtension(e)) {
    FolderThenFile(out, rp.programFolder, "DAT\\LAN\\", file.text, file.length);
  } else {
    FolderThenFile(out, rp.inputFolder, "", file.text, file.length);
  }
  if (file.overflow) out->overflow = true;
  return !out->overflow;
}

// Reads a letter of the mode text; positions past its length are blanks.
char ModeLetter(const char* modeText, size_t length, size_t position) {
  return modeText && position <= length ? modeText[position - 1] : ' ';
}

// The connection that the mode text and the record length ask for.
units::ConnectSpec SpecFromMode(const char* modeText, size_t modeLength, int64_t recordLength,
                                bool readOnly) {
  units::ConnectSpec spec;
  spec.kind = ModeLetter(modeText, modeLength, 2) == 'F' ? units::RecordKind::Text
                                                         : units::RecordKind::Binary;
  spec.access = ModeLetter(modeText, modeLength, 3) == 'D' ? units::Access::Direct
                                                           : units::Access::Sequential;
  if (ModeLetter(modeText, modeLength, 7) == 'A') spec.access = units::Access::Append;
  const char status = ModeLetter(modeText, modeLength, 5);
  spec.existence = status == 'O'   ? units::Existence::MustExist
                   : status == 'S' ? units::Existence::Scratch
                                   : units::Existence::OpenOrCreate;
  spec.readOnly = readOnly;
  // Bytes (characters for text); 0 means 32000; binary records count in
  // four-byte units, so a length that is not a multiple of 4 loses the rest.
  int64_t bytes = recordLength == 0 ? 32000 : recordLength;
  if (bytes > 0 && spec.kind == units::RecordKind::Binary) bytes = bytes / 4 * 4;
  spec.recordBytes = bytes < 0 ? -1 : bytes;
  return spec;
}

void ReportOpenFailure(const PathBuilder& path) {
  const size_t n = fixed::TrimmedLength(path.text, path.length);
  HostReportOpenFailure(path.text, static_cast<int64_t>(n));
}

}  // namespace

bool ResolvePathChecked(char* fullPath256, const char* name, int64_t nameLength,
                        const char* extension, int64_t extensionLength,
                        const int64_t* locationCode) {
  PathBuilder p;
  const bool fits = ResolveTo(&p, name, fixed::ArgumentLength(name, nameLength), extension,
                              fixed::ArgumentLength(extension, extensionLength),
                              locationCode ? *locationCode : 0);
  fixed::CopyPadded(fullPath256, kFullPathWidth, p.text, p.length);
  return fits;
}

void ResolvePath(char* fullPath256, const char* name, int64_t nameLength, const char* extension,
                 int64_t extensionLength, const int64_t* locationCode) {
  ResolvePathChecked(fullPath256, name, nameLength, extension, extensionLength, locationCode);
}

bool TempFileName(int64_t unit, char* out, size_t capacity) {
  char name[32];
  size_t n = 0;
  for (int i = 0; i < kRunIdWidth; ++i) name[n++] = g_runPaths.runId[i];
  // Right-aligned in two characters, a leading blank written as '0'; a number
  // that needs more characters is written whole.
  char digits[24];
  size_t d = 0;
  const bool negative = unit < 0;
  uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(unit) : static_cast<uint64_t>(unit);
  do {
    digits[d++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude > 0);
  if (negative) digits[d++] = '-';
  if (d < 2) name[n++] = '0';
  while (d > 0) name[n++] = digits[--d];
  if (n + 1 > capacity) {
    if (capacity > 0) out[0] = '\0';
    return false;
  }
  std::memcpy(out, name, n);
  out[n] = '\0';
  return true;
}

namespace {

// Chooses the file's path as the extension and the location code say, and
// connects the unit to it. False when the unit could not be connected; `path`
// then holds the path tried and `fits` whether it fitted its field.
bool ConnectNamedFile(int64_t unit, const char* name, size_t nameLen, const char* extension,
                      size_t extLen, int64_t location, int64_t recordLength, const char* modeText,
                      size_t modeLength, PathBuilder* path, bool* fits) {
  const Ext3 e = FirstThree(extension, extLen);
  RunPaths& rp = g_runPaths;

  *fits = true;
  if (extension && fixed::EqualIgnoringTrailingBlanks(extension, extLen, "TMP", 3)) {
    char tempName[32];
    TempFileName(unit, tempName, sizeof tempName);
    *fits = ResolveTo(path, tempName, std::strlen(tempName), "TMP", 3, 2);
  } else if (e.Is("LAN")) {
    if (rp.languageCode[0] == ' ' || rp.languageCode[0] == '\0')
      std::memcpy(rp.languageCode, "ENG", 3);
    *fits = ResolveTo(path, name, nameLen, rp.languageCode, kLanguageCodeWidth, 1);
    if (!*fits || !os::FileExists(path->text)) *fits = ResolveTo(path, name, nameLen, "ENG", 3, 1);
  } else if (e.Is("PDA")) {
    if (location == 1) {
      *fits = ResolveTo(path, name, nameLen, extension, extLen, 1);
    } else {
      bool inHostFolder = false;
      *fits =
          ResolveTo(path, name, nameLen, extension, extLen, 2, HostCopy::kLookFor, &inHostFolder);
      // Location 4 looks in the input folder, then in the program's data
      // folder; a shared database found in the host data folder is the file.
      if (location == 4 && !inHostFolder && (!*fits || !os::FileExists(path->text)))
        *fits = ResolveTo(path, name, nameLen, extension, extLen, 1, HostCopy::kKnownAbsent);
    }
  } else {
    *fits = ResolveTo(path, name, nameLen, extension, extLen, 1);
  }

  // The program's own files, the language files and the databases are only
  // read: they may lie where the user cannot write.
  const bool readOnly = IsLanguageExtension(e) || e.Is("RPD") || e.Is("PDA");
  units::ConnectSpec spec = SpecFromMode(modeText, modeLength, recordLength, readOnly);
  // A scratch file is created empty and deleted when it is disconnected, so it
  // never takes the name it is opened under: that would empty and then delete
  // whatever file has the name (a database, a job). It is the run's temporary
  // file of the unit instead, in the temp folder, which clean-up also removes.
  if (spec.existence == units::Existence::Scratch) {
    char tempName[32];
    TempFileName(unit, tempName, sizeof tempName);
    *fits = ResolveTo(path, tempName, std::strlen(tempName), "TMP", 3, 2);
  }

  if (!*fits) {
    units::Disconnect(unit, false);  // as a failed open leaves it
    return false;
  }
  char cpath[kFullPathWidth + 1];
  fixed::ToCString(cpath, sizeof cpath, path->text, path->length);
  // The open decides whether the file is there; nothing looks first.
  if (units::Connect(unit, cpath, spec)) return true;
  // A file that must exist but cannot be opened for writing (a job on a
  // read-only medium, say) is opened for reading: the engine only reads the
  // files it opens this way, and the run must still go ahead.
  if (!spec.readOnly && spec.existence == units::Existence::MustExist &&
      spec.access != units::Access::Append) {
    spec.readOnly = true;
    return units::Connect(unit, cpath, spec);
  }
  return false;
}

}  // namespace

void OpenDataFile(const int64_t* mode, const int64_t* unit, const char* name, int64_t nameLength,
                  const char* extension, int64_t extensionLength, const int64_t* locationCode,
                  const int64_t* recordLength, const int64_t* /*spare*/, const char* modeText,
                  int64_t modeTextLength, int64_t* error) {
  if (error) *error = 0;
  if (!mode || !unit) return;
  const size_t modeLength = fixed::ArgumentLength(modeText, modeTextLength);
  if (*mode == 2) {
    units::Disconnect(*unit, ModeLetter(modeText, modeLength, 2) == 'D');
    return;
  }
  PathBuilder path;
  bool fits = true;
  if (!ConnectNamedFile(*unit, name, fixed::ArgumentLength(name, nameLength), extension,
                        fixed::ArgumentLength(extension, extensionLength),
                        locationCode ? *locationCode : 0, recordLength ? *recordLength : 0,
                        modeText, modeLength, &path, &fits))
    ReportOpenFailure(path);
}

DataFileOpen OpenDataFileIfPresent(int64_t unit, const char* name, int64_t nameLength,
                                   const char* extension, int64_t extensionLength,
                                   int64_t locationCode, int64_t recordLength, const char* modeText,
                                   int64_t modeTextLength) {
  PathBuilder path;
  bool fits = true;
  if (ConnectNamedFile(unit, name, fixed::ArgumentLength(name, nameLength), extension,
                       fixed::ArgumentLength(extension, extensionLength), locationCode,
                       recordLength, modeText, fixed::ArgumentLength(modeText, modeTextLength),
                       &path, &fits))
    return DataFileOpen::kConnected;
  // Only after a failed open is it asked whether the file is there at all.
  char cpath[kFullPathWidth + 1];
  if (!fits || !fixed::ToCString(cpath, sizeof cpath, path.text, path.length) ||
      !os::FileExists(cpath))
    return DataFileOpen::kMissing;
  ReportOpenFailure(path);
  return DataFileOpen::kNotOpened;
}
