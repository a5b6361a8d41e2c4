// The results writer: every line of the results file is made here.
#include "run/results_writer.h"

#include <charconv>
#include <cstdio>
#include <cstring>

#include "os/os.h"
#include "run/text.h"

namespace {

FILE* g_resultsFile = nullptr;

constexpr size_t kKeyCapacity = 255;
constexpr size_t kTextCapacity = 127;
constexpr size_t kElementCapacity = 255;

int32_t ReadInt32(const void* address) {
  int32_t v;
  std::memcpy(&v, address, sizeof v);
  return v;
}

// One line under construction. Everything appended is cut at the buffer's
// end, which the capacities above keep out of reach.
struct Line {
  char text[1024];
  size_t length = 0;

  void Add(const char* s, size_t n) {
    if (n > sizeof text - length) n = sizeof text - length;
    std::memcpy(text + length, s, n);
    length += n;
  }
  void Add(const char* s) { Add(s, std::strlen(s)); }
  void AddChar(char c) { Add(&c, 1); }
  void AddKey(const char* key, int64_t keyLength, size_t capacity) {
    size_t n = bounded::LengthWithin(key, keyLength);
    Add(key, n < capacity ? n : capacity);
  }
  void AddReal(float value) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, static_cast<double>(value),
                                 std::chars_format::fixed, 6);
    Add(buf, static_cast<size_t>(r.ptr - buf));
  }
  // A signed decimal right-aligned in at least `width` characters.
  void AddInt(int32_t value, int width = 0) {
    char buf[16];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    for (int pad = width - static_cast<int>(r.ptr - buf); pad > 0; --pad) AddChar(' ');
    Add(buf, static_cast<size_t>(r.ptr - buf));
  }
  void AddValue(float value) { AddReal(value); }
  void AddValue(int32_t value) { AddInt(value); }
  // A text value: quotes become "in", then OEM to ANSI, on a local copy.
  void AddQuoted(const char* source, size_t n, size_t capacity) {
    char copy[kElementCapacity + 1];
    if (n > capacity) n = capacity;
    std::memcpy(copy, source, n);
    n = ReplaceQuotesWithInch(copy, n, capacity);
    os::ConvertOemToAnsi(copy, copy, n);
    AddChar('"');
    Add(copy, n);
    AddChar('"');
  }
};

// Writes the line, each line feed as CR LF, as the text mode of the C library
// would on Windows; both builds write the same bytes.
void Emit(const char* text, size_t n) {
  if (!g_resultsFile) return;
  size_t start = 0;
  for (size_t i = 0; i < n; ++i) {
    if (text[i] != '\n') continue;
    std::fwrite(text + start, 1, i - start, g_resultsFile);
    std::fwrite("\r\n", 1, 2, g_resultsFile);
    start = i + 1;
  }
  if (n > start) std::fwrite(text + start, 1, n - start, g_resultsFile);
}
void Emit(const Line& line) { Emit(line.text, line.length); }

// A scalar line: key, value, the digit 0.
template <typename T>
void WriteScalar(const char* key, int64_t keyLength, T value) {
  Line line;
  line.AddKey(key, keyLength, kKeyCapacity);
  line.AddChar(',');
  line.AddValue(value);
  line.Add(",0\n");
  Emit(line);
}

void WriteHeader(const char* key, int64_t keyLength, int32_t n) {
  Line line;
  line.AddKey(key, keyLength, kKeyCapacity);
  line.Add(",0,");
  line.AddInt(n);
  line.AddChar('\n');
  Emit(line);
}

// An element line: the value, a comma and the element's flag, which is a
// blank for the arrays and lists without flags ("%f, " and "%f,%c" are one
// line kind).
template <typename T>
void WriteElement(T value, char flag = ' ') {
  Line line;
  line.AddValue(value);
  line.AddChar(',');
  line.AddChar(flag);
  line.AddChar('\n');
  Emit(line);
}

void WriteZeroElement() { Emit(" , \n", 4); }

// The flag of element i (from 0); past the flags text's end, a blank. A null
// text has no flags.
char FlagAt(const char* flags, int64_t flagsLength, int32_t i) {
  return i < static_cast<int64_t>(bounded::LengthWithin(flags, flagsLength)) ? flags[i] : ' ';
}

// n: the position (from 1) of the last element among the first `count` that
// is not zero.
int32_t LastNonZeroReal(const float* values, int32_t count) {
  for (int32_t i = count; i > 0; --i) {
    if (!(values[i - 1] == 0.0f)) return i;  // a NaN counts as not zero
  }
  return 0;
}

const char* KindWord(int32_t kind) {
  static const char* const kWords[] = {"Warning", "Limit", "Error", "Suggestion", "Note"};
  return kind >= 1 && kind <= 5 ? kWords[kind - 1] : nullptr;
}

bool BuildMessage(Line& line, const void* number, const void* kind, const float* value1,
                  const void* int1, const float* value2, const void* int2, const void* int3) {
  const char* word = KindWord(ReadInt32(kind));
  if (!word) return false;
  line.Add("Message,");
  line.Add(word);
  line.AddChar(';');
  line.AddInt(ReadInt32(number), 4);
  line.AddChar(';');
  line.AddInt(ReadInt32(int3), 2);
  line.AddChar(';');
  line.AddReal(*value1);
  line.AddChar(';');
  line.AddInt(ReadInt32(int1), 2);
  line.AddChar(';');
  line.AddReal(*value2);
  line.AddChar(';');
  line.AddInt(ReadInt32(int2), 2);
  line.Add(",0\n");
  return true;
}

}  // namespace

bool OpenResultsFile(const char* fileName) {
  CloseResultsFile();
  g_resultsFile = os::OpenFileShared(fileName, "ab");
  return g_resultsFile != nullptr;
}

void CloseResultsFile() {
  if (g_resultsFile) std::fclose(g_resultsFile);
  g_resultsFile = nullptr;
}

void FlushResultsFile() {
  if (g_resultsFile) std::fflush(g_resultsFile);
}

bool ResultsFileIsOpen() { return g_resultsFile != nullptr; }

void WriteResultReal(const char* key, int64_t keyLength, const float* value) {
  if (!g_resultsFile || *value == 0.0f) return;
  WriteScalar(key, keyLength, *value);
}

void WriteResultRealAlways(const char* key, int64_t keyLength, const float* value) {
  if (!g_resultsFile) return;
  WriteScalar(key, keyLength, *value);
}

void WriteResultInt(const char* key, int64_t keyLength, const void* value) {
  if (!g_resultsFile || ReadInt32(value) == 0) return;
  WriteScalar(key, keyLength, ReadInt32(value));
}

void WriteResultIntAlways(const char* key, int64_t keyLength, const void* value) {
  if (!g_resultsFile) return;
  WriteScalar(key, keyLength, ReadInt32(value));
}

void WriteResultText(const char* key, int64_t keyLength, const char* text, int64_t textLength) {
  if (!g_resultsFile) return;
  const size_t n = bounded::LengthWithin(text, textLength);
  if (n > 0 && text[0] == ' ') return;
  Line line;
  line.AddKey(key, keyLength, kTextCapacity);
  line.AddChar(',');
  line.AddQuoted(text, n, kTextCapacity);
  line.Add(",0\n");
  Emit(line);
}

namespace {

// A real array up to its last non-zero element, zeros as zero elements;
// flags null for the array without flags.
void WriteRealArray(const char* key, int64_t keyLength, const float* values, const char* flags,
                    int64_t flagsLength, const void* count) {
  if (!g_resultsFile) return;
  const int32_t n = LastNonZeroReal(values, ReadInt32(count));
  if (n == 0) return;
  WriteHeader(key, keyLength, n);
  for (int32_t i = 0; i < n; ++i) {
    if (values[i] == 0.0f) {
      WriteZeroElement();
    } else {
      WriteElement(values[i], FlagAt(flags, flagsLength, i));
    }
  }
}

// A real list: every element, zeros included; flags null for the list
// without flags.
void WriteRealList(const char* key, int64_t keyLength, const float* values, const char* flags,
                   int64_t flagsLength, const void* count) {
  const int32_t n = ReadInt32(count);
  if (!g_resultsFile || n <= 0) return;
  WriteHeader(key, keyLength, n);
  for (int32_t i = 0; i < n; ++i) WriteElement(values[i], FlagAt(flags, flagsLength, i));
}

}  // namespace

void WriteResultRealArray(const char* key, int64_t keyLength, const float* values,
                          const void* count) {
  WriteRealArray(key, keyLength, values, nullptr, 0, count);
}

void WriteResultRealArrayFlagged(const char* key, int64_t keyLength, const float* values,
                                 const char* flags, int64_t flagsLength, const void* count) {
  WriteRealArray(key, keyLength, values, flags, flagsLength, count);
}

void WriteResultInt8Array(const char* key, int64_t keyLength, const int64_t* values,
                          const void* count) {
  if (!g_resultsFile) return;
  int32_t n = ReadInt32(count);
  while (n > 0 && values[n - 1] == 0) --n;
  if (n <= 0) return;
  WriteHeader(key, keyLength, n);
  for (int32_t i = 0; i < n; ++i) {
    if (values[i] == 0) {
      WriteZeroElement();
    } else {
      WriteElement(static_cast<int32_t>(static_cast<uint32_t>(values[i] & 0xFFFFFFFF)));
    }
  }
}

void WriteResultTextArray(const char* key, int64_t keyLength, const char* elements,
                          int64_t elementLength, const void* count) {
  if (!g_resultsFile || elementLength <= 0) return;
  const size_t width = static_cast<size_t>(elementLength);
  int32_t n = ReadInt32(count);
  while (n > 0) {
    const char first = elements[static_cast<size_t>(n - 1) * width];
    if (first != ' ' && first != '\0') break;
    --n;
  }
  if (n <= 0) return;
  WriteHeader(key, keyLength, n);
  for (int32_t i = 0; i < n; ++i) {
    const char* element = elements + static_cast<size_t>(i) * width;
    Line line;
    line.AddQuoted(element, bounded::LengthWithin(element, elementLength), kElementCapacity);
    line.Add(", \n");
    Emit(line);
  }
}

void WriteResultRealList(const char* key, int64_t keyLength, const float* values,
                         const void* count) {
  WriteRealList(key, keyLength, values, nullptr, 0, count);
}

void WriteResultRealListFlagged(const char* key, int64_t keyLength, const float* values,
                                const char* flags, int64_t flagsLength, const void* count) {
  WriteRealList(key, keyLength, values, flags, flagsLength, count);
}

void WriteResultIntList(const char* key, int64_t keyLength, const int32_t* values,
                        const void* count) {
  const int32_t n = ReadInt32(count);
  if (!g_resultsFile || n <= 0) return;
  WriteHeader(key, keyLength, n);
  for (int32_t i = 0; i < n; ++i) WriteElement(values[i]);
}

void WriteResultMessage(const void* number, const void* kind, const float* value1, const void* int1,
                        const float* value2, const void* int2, const void* int3) {
  if (!g_resultsFile) return;
  Line line;
  if (BuildMessage(line, number, kind, value1, int1, value2, int2, int3)) Emit(line);
}

void FormatResultMessage(char* out, int64_t outLength, const void* number, const void* kind,
                         const float* value1, const void* int1, const float* value2,
                         const void* int2, const void* int3) {
  Line line;
  if (outLength < 1 || !BuildMessage(line, number, kind, value1, int1, value2, int2, int3)) {
    return;
  }
  size_t n = line.length;
  if (n > static_cast<size_t>(outLength - 1)) n = static_cast<size_t>(outLength - 1);
  std::memcpy(out, line.text, n);
  out[n] = '\0';
}

void WriteResultRaw(const char* text, int64_t length) {
  if (!g_resultsFile) return;
  Emit(text, bounded::LengthWithin(text, length));
}

size_t ReplaceQuotesWithInch(char* text, size_t length, size_t capacity) {
  if (length > capacity) length = capacity;
  size_t i = 0;
  while (i < length) {
    if (text[i] != '"') {
      ++i;
      continue;
    }
    // Make room for one more letter, dropping what would pass the capacity.
    const size_t grown = length + 1 < capacity ? length + 1 : capacity;
    if (i + 1 < grown) std::memmove(text + i + 2, text + i + 1, grown - (i + 2));
    text[i] = 'i';
    if (i + 1 < grown) text[i + 1] = 'n';
    length = grown;
    i += 2;
  }
  return length;
}

void CopyUpToDoubleBlank(char* destination, int64_t destinationLength, const char* source,
                         int64_t sourceLength, const void* count) {
  // The search for two blanks stops at the source's NUL; the count does not,
  // but it never reaches past the source's length.
  const size_t n = bounded::LengthWithin(source, sourceLength);
  size_t take = 0;
  bool found = false;
  for (size_t i = 0; i + 1 < n; ++i) {
    if (source[i] == ' ' && source[i + 1] == ' ') {
      take = i;
      found = true;
      break;
    }
  }
  if (!found) {
    const int32_t c = ReadInt32(count);
    const size_t available = sourceLength > 0 ? static_cast<size_t>(sourceLength) : 0;
    take = c <= 0 ? 0 : (static_cast<size_t>(c) < available ? static_cast<size_t>(c) : available);
  }
  if (destinationLength <= 0) return;
  if (take > static_cast<size_t>(destinationLength)) take = static_cast<size_t>(destinationLength);
  std::memmove(destination, source, take);
}

void ResetResultsWriterForTests() { CloseResultsFile(); }
