// Drawing files: the text drawing (.KVD) and the binary drawing file (.KFD).
//
// A text drawing holds one drawing as fixed-column lines; a binary drawing
// file holds up to 100 drawings back to back (drawing_format.h). Both are read
// in two passes: a count pass that sizes the record block and the string area,
// and a read pass that fills blocks of exactly that size and never writes
// beyond the capacity it is given. Anything in a file, however damaged, reads
// as some drawing or as none; it never hangs the reader or reaches outside a
// buffer.
//
// Paths are NUL-terminated Windows paths. The writers take names relative to
// the run's input folder. Message boxes have no owner and show the stop icon.
#pragma once

// The drawing files' interface, one header per file of the folder.
#include "drawing/drawing_binary.h"
#include "drawing/drawing_load.h"
#include "drawing/drawing_messages.h"
#include "drawing/drawing_text.h"
#include "drawing/drawing_writers.h"
