// VESKAR.DLL as the host sees it: its exports, its imports of Gantry.dll, and
// the module handle its load callback records.
#include <windows.h>

#include <set>

#include "entry_fixture.h"

namespace {

using entry_test::EntryTest;
using testing_support::FileExists;
using testing_support::MakeTempFolder;

using Entry = int32_t (*)(int32_t, const char*, const char*, const char*, int32_t);

FARPROC Proc(HMODULE dll, const char* name) { return ::GetProcAddress(dll, name); }
FARPROC Proc(HMODULE dll, int ordinal) {
  return ::GetProcAddress(dll, reinterpret_cast<LPCSTR>(static_cast<uintptr_t>(ordinal)));
}

// The imports of `dll` from the named library: ordinals, or -1 for a by-name
// import.
std::multiset<int> ImportsFrom(HMODULE dll, const char* library) {
  std::multiset<int> found;
  const auto* base = reinterpret_cast<const unsigned char*>(dll);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  const auto* desc = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
  for (; desc->Name != 0; ++desc) {
    if (::lstrcmpiA(reinterpret_cast<const char*>(base + desc->Name), library) != 0) continue;
    const auto* thunk = reinterpret_cast<const IMAGE_THUNK_DATA64*>(
        base + (desc->OriginalFirstThunk ? desc->OriginalFirstThunk : desc->FirstThunk));
    for (; thunk->u1.AddressOfData != 0; ++thunk) {
      found.insert(IMAGE_SNAP_BY_ORDINAL64(thunk->u1.Ordinal)
                       ? static_cast<int>(IMAGE_ORDINAL64(thunk->u1.Ordinal))
                       : -1);
    }
  }
  return found;
}

TEST_F(EntryTest, DllExportsBothEntryPointsByNameAndOrdinal) {
  HMODULE dll = ::LoadLibraryA("VESKAR.DLL");
  ASSERT_NE(dll, nullptr);
  ASSERT_NE(Proc(dll, "VESKAR"), nullptr);
  ASSERT_NE(Proc(dll, "VESKAR_VB"), nullptr);
  EXPECT_EQ(Proc(dll, 1), Proc(dll, "VESKAR"));
  EXPECT_EQ(Proc(dll, 2), Proc(dll, "VESKAR_VB"));
  EXPECT_NE(Proc(dll, "VESKAR"), Proc(dll, "VESKAR_VB"));
  EXPECT_EQ(Proc(dll, "DllMain"), nullptr);
  ::FreeLibrary(dll);
}

TEST_F(EntryTest, DllImportsGantryByOrdinalOnly) {
  HMODULE dll = ::LoadLibraryA("VESKAR.DLL");
  ASSERT_NE(dll, nullptr);
  const std::multiset<int> gantry = ImportsFrom(dll, "Gantry.dll");
  EXPECT_EQ(gantry.count(-1), 0u);
  for (int ordinal : {23, 24, 29, 33}) EXPECT_EQ(gantry.count(ordinal), 1u) << ordinal;
  const std::set<int> known = {15, 23, 24, 25, 29, 33, 35, 39, 41};
  for (int ordinal : gantry) EXPECT_TRUE(known.count(ordinal)) << ordinal;
  EXPECT_EQ(ImportsFrom(dll, "Relay.dll"), std::multiset<int>{-1});  // WriteMessage by name
  ::FreeLibrary(dll);
}

TEST_F(EntryTest, DllRecordsItsModuleHandleAndRunsAJob) {
  HMODULE dll = ::LoadLibraryA("VESKAR.DLL");
  ASSERT_NE(dll, nullptr);
  const std::string input = MakeTempFolder("dllrun");
  const std::string job = input + "PUMP1.JOB";
  const auto veskarVb = reinterpret_cast<Entry>(reinterpret_cast<void*>(Proc(dll, "VESKAR_VB")));
  EXPECT_EQ(veskarVb(0, "P:\\", job.c_str(), "BATCH", 0), 0);
  const GantryCall* start = GantryStandin_LastOf(23);
  ASSERT_NE(start, nullptr);
  EXPECT_EQ(start->address[0], static_cast<const void*>(dll));
  EXPECT_TRUE(FileExists(input + "PUMP1.KOU"));
  EXPECT_TRUE(FileExists(input + "PUMP1.KVX"));
  EXPECT_STREQ(RelayStandin_Message(RelayStandin_Count() - 1), "VESKAR -> Calculation is done.");
  ::FreeLibrary(dll);
}

}  // namespace
