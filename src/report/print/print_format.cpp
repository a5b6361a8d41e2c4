#include "report/print/print_format.h"

#include "os/os.h"

namespace {

bool SameText(const char* a, const char* b) {
  for (; *a != '\0' && *b != '\0'; ++a, ++b) {
    const char x = *a >= 'a' && *a <= 'z' ? static_cast<char>(*a - 'a' + 'A') : *a;
    const char y = *b >= 'a' && *b <= 'z' ? static_cast<char>(*b - 'a' + 'A') : *b;
    if (x != y) return false;
  }
  return *a == *b;
}

}  // namespace

int32_t ReadPagesPerSheet() {
  char value[80] = {};
  os::ReadSetting("Print Format", "Output", "1 per 1", value, sizeof value, "KVORSCRN.INI");
  if (SameText(value, "4 per 1")) return 4;
  if (SameText(value, "2 per 1")) return 2;
  return 1;
}
