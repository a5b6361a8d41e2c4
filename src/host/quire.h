// Bindings to Quire.dll, the suite's rich-text report library.
//
// Imported by name; the suite ships it beside the library. The report library
// relies on nothing of it but what each comment says.
#pragma once

#include <cstdint>

extern "C" {

// Non-zero exactly while rich-text output is on; asked again at every use.
int32_t IsRTFEnabled(void);
// Hands one composed page over: rich-text template path, screen name and the
// field values (three NUL-terminated texts). Result not used.
int32_t ParseRTF(const char* templatePath, const char* screenName, const char* fieldValues);
// Structure marks of the report. Results not used.
int32_t PageBreak(void);
int32_t ComponentBreak(void);
int32_t TOCBreak(void);
// The section name's address exactly as the report library's caller gave it:
// not cut to its length and not given a NUL.
int32_t SectionStart(const char* sectionName);
int32_t SectionEnd(void);

}  // extern "C"
