// Writing drawing files: converting a text drawing, appending a drawing or any
// file as the next drawing of a binary file. Writers never write a file onto
// itself, and cut the target back after a failed append, so drawing numbers
// stay stable.
#pragma once

#include <cstdint>

// Converts the text drawing `name` of the input folder (".KVD" added when the
// name has no extension) into a one-drawing binary file beside it, with the
// extension ".KFD"; an existing one is emptied first.
void ConvertDrawingFile(const char* name);

// Appends drawing 1 of `source` as the next drawing of `target` (created when
// missing), with the title; both names relative to the input folder.
void WriteDrawingFile(const char* source, const char* target, const char* title);

// Appends any file as one drawing: one M record and the file's bytes as the
// string area. Shows no messages.
void WrapFileAsDrawing(const char* source, const char* target, const char* title);

// Engine-callable: the name (address and length) cut to 80 characters.
void ConvertDrawingCall(const char* name, int64_t nameLength);

// Load-time state: no text drawing open, the shared header zero.
void ResetDrawingFilesForTests();
