#include "support/wmf_records_win32.h"

namespace gdi_test {

namespace {

int CALLBACK OnRecord(HDC, HANDLETABLE*, METARECORD* record, int, LPARAM data) {
  auto* out = reinterpret_cast<std::vector<WmfRecord>*>(data);
  WmfRecord r;
  r.function = record->rdFunction;
  // rdSize counts 16-bit words, the size and function (three words) included.
  const DWORD words = record->rdSize > 3 ? record->rdSize - 3 : 0;
  r.words.assign(record->rdParm, record->rdParm + words);
  out->push_back(std::move(r));
  return 1;
}

// `n` bytes from word `first` of the parameters, as far as the record holds them.
std::string BytesAt(const WmfRecord& r, size_t first, int n) {
  std::string s;
  for (int i = 0; i < n; ++i) {
    const size_t word = first + static_cast<size_t>(i) / 2;
    if (word >= r.words.size()) break;
    s += static_cast<char>(i % 2 == 0 ? r.words[word] & 0xFF : r.words[word] >> 8);
  }
  return s;
}

}  // namespace

std::vector<WmfRecord> ReadWmf(HMETAFILE metafile) {
  std::vector<WmfRecord> out;
  EnumMetaFile(nullptr, metafile, OnRecord, reinterpret_cast<LPARAM>(&out));
  return out;
}

std::vector<WmfRecord> ReadWmfBits(const std::string& bits) {
  HMETAFILE metafile =
      SetMetaFileBitsEx(static_cast<UINT>(bits.size()), reinterpret_cast<const BYTE*>(bits.data()));
  if (metafile == nullptr) return {};
  std::vector<WmfRecord> out = ReadWmf(metafile);
  DeleteMetaFile(metafile);
  return out;
}

std::string Describe(const WmfRecord& record) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string text;
  for (int shift = 12; shift >= 0; shift -= 4) text += kHex[(record.function >> shift) & 0xF];
  for (size_t i = 0; i < record.words.size() && i < 16; ++i)
    text += " " + std::to_string(record.Param(i));
  return text;
}

std::vector<std::string> Describe(const std::vector<WmfRecord>& records) {
  std::vector<std::string> out;
  for (const WmfRecord& r : records) out.push_back(Describe(r));
  return out;
}

bool HasRecord(const std::vector<WmfRecord>& records, uint16_t function) {
  for (const WmfRecord& r : records) {
    if (r.function == function) return true;
  }
  return false;
}

std::vector<WmfText> WmfTexts(const std::vector<WmfRecord>& records) {
  std::vector<WmfText> out;
  for (const WmfRecord& r : records) {
    if (r.function == META_TEXTOUT) {
      // Count, the text padded to whole words, y, x.
      const int n = r.Param(0);
      if (n < 0) continue;
      const size_t words = static_cast<size_t>(n + 1) / 2;
      out.push_back({r.Param(1 + words + 1), r.Param(1 + words), BytesAt(r, 1, n)});
    } else if (r.function == META_EXTTEXTOUT) {
      // y, x, count, options, the rectangle when opaque or clipped, the text.
      const int n = r.Param(2);
      if (n < 0) continue;
      const size_t first = 4 + ((r.Param(3) & (ETO_OPAQUE | ETO_CLIPPED)) != 0 ? 4 : 0);
      out.push_back({r.Param(1), r.Param(0), BytesAt(r, first, n)});
    }
  }
  return out;
}

const WmfText* FindText(const std::vector<WmfText>& texts, const std::string& text) {
  for (const WmfText& t : texts) {
    if (t.text == text) return &t;
  }
  return nullptr;
}

}  // namespace gdi_test
