// Registers the test prefix's printer: a PostScript printer that prints to a
// file, on a port of its own, made the default printer.
//
// A new Wine prefix has no printer at all, so the print job could not be run
// end to end. Wine's PostScript driver (wineps.drv) needs a PPD file: the
// generic one that winspool.drv carries as resource "PPDFILE" 1 is written
// out and named as the driver's data file. The print processor is "winprint"
// (with "wineps" EndDoc fails). The port is mapped in
// HKCU\Software\Wine\Printing\Spooler to a Linux file, which Wine writes
// synchronously: the file is complete when EndDoc returns. Tests re-map the
// port to a file of their own before each job.
//
// Usage: veskar-printer-setup.exe LINUX_OUTPUT_PATH
// Exit status 0 when the printer exists afterwards (also when it existed).
#include <windows.h>

#include <winspool.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr char kPrinterName[] = "VESKAR PostScript";
constexpr char kDriverName[] = "VESKAR PostScript Driver";
constexpr char kPortName[] = "VESKARPS:";
// A second printer on the same port whose name is longer than 80 characters,
// for the default-printer text that must not be cut.
constexpr char kLongPrinterName[] =
    "VESKAR PostScript printer with a name well beyond eighty characters for the profile test";

bool PrinterExists(const char* name) {
  HANDLE printer = nullptr;
  if (!OpenPrinterA(const_cast<char*>(name), &printer, nullptr)) return false;
  ClosePrinter(printer);
  return true;
}

bool AddFilePrinter(const char* name) {
  if (PrinterExists(name)) return true;
  PRINTER_INFO_2A info = {};
  info.pPrinterName = const_cast<char*>(name);
  info.pPortName = const_cast<char*>(kPortName);
  info.pDriverName = const_cast<char*>(kDriverName);
  info.pPrintProcessor = const_cast<char*>("winprint");
  info.pDatatype = const_cast<char*>("RAW");
  info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
  HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  if (printer == nullptr) {
    std::fprintf(stderr, "AddPrinterA(%s) failed: %lu\n", name, GetLastError());
    return false;
  }
  ClosePrinter(printer);
  return true;
}

bool MapPort(const char* linuxPath) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Printing\\Spooler", 0, nullptr, 0,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const LONG rc =
      RegSetValueExA(key, kPortName, 0, REG_SZ, reinterpret_cast<const BYTE*>(linuxPath),
                     static_cast<DWORD>(std::strlen(linuxPath) + 1));
  RegCloseKey(key);
  return rc == ERROR_SUCCESS;
}

bool WriteGenericPpd(const char* path) {
  HMODULE spool = LoadLibraryExA("winspool.drv", nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (spool == nullptr) return false;
  bool ok = false;
  HRSRC res = FindResourceA(spool, MAKEINTRESOURCEA(1), "PPDFILE");
  HGLOBAL loaded = res != nullptr ? LoadResource(spool, res) : nullptr;
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  const DWORD size = res != nullptr ? SizeofResource(spool, res) : 0;
  if (bytes != nullptr && size > 0) {
    FILE* f = std::fopen(path, "wb");
    if (f != nullptr) {
      ok = std::fwrite(bytes, 1, size, f) == size;
      ok = std::fclose(f) == 0 && ok;
    }
  }
  FreeLibrary(spool);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: veskar-printer-setup LINUX_OUTPUT_PATH\n");
    return 2;
  }
  if (!MapPort(argv[1])) {
    std::fprintf(stderr, "cannot map the port %s\n", kPortName);
    return 1;
  }
  // The driver looks for its data file in the printer-driver folder (the
  // installation does not copy it there), so the PPD is written there.
  char ppd[MAX_PATH];
  DWORD needed = 0;
  if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(ppd), MAX_PATH - 26,
                                  &needed)) {
    std::fprintf(stderr, "no printer-driver folder: %lu\n", GetLastError());
    return 1;
  }
  // Version-3 drivers live in the folder's subfolder "3".
  std::strcat(ppd, "\\3");
  CreateDirectoryA(ppd, nullptr);
  std::strcat(ppd, "\\veskar-generic.ppd");
  if (!WriteGenericPpd(ppd)) {
    std::fprintf(stderr, "cannot write the generic PPD\n");
    return 1;
  }
  DRIVER_INFO_3A driver = {};
  driver.cVersion = 3;
  driver.pName = const_cast<char*>(kDriverName);
  driver.pDriverPath = const_cast<char*>("wineps.drv");
  driver.pDataFile = ppd;
  driver.pConfigFile = const_cast<char*>("wineps.drv");
  if (!AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES) &&
      GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED) {
    std::fprintf(stderr, "AddPrinterDriverExA failed: %lu\n", GetLastError());
    return 1;
  }
  if (!AddFilePrinter(kPrinterName) || !AddFilePrinter(kLongPrinterName)) return 1;
  if (!SetDefaultPrinterA(kPrinterName)) {
    std::fprintf(stderr, "SetDefaultPrinterA failed: %lu\n", GetLastError());
    return 1;
  }
  return 0;
}
