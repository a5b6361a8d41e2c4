// Copying from the preview to the clipboard: a view's first page as a
// metafile picture, or a selected part of a preview bitmap as a bitmap or a
// metafile picture.
//
// The clipboard owns what it was given; what it was not given (the clipboard
// did not open, or refused the data) is freed here. Nothing is placed when a
// block, its lock or the metafile cannot be had. Windows and bitmaps are plain
// handles; the native build has no clipboard and copies nothing.
#pragma once

#include <cstdint>

// The copied page's extent: 80 by 62 cells of 187 by 322 units.
constexpr int32_t kClipboardExtentX = 14960;
constexpr int32_t kClipboardExtentY = 19964;

// Draws the first page of view v into a metafile, drawn as a one-up page with
// the metafile target (both restored afterwards), and places it on the
// clipboard as CF_METAFILEPICT (MM_ANISOTROPIC, 14960 by 19964).
void CopyPageToClipboard(void* window, int32_t view);

// The selection of a preview bitmap: nothing in the library fills it; a
// caller that makes a selection sets the bitmap and its rectangle.
struct PreviewSelection {
  void* bitmap;  // HBITMAP, or none
  int32_t left, top, right, bottom;
  int32_t flags[2];
};
extern PreviewSelection g_previewSelection;
// As-bitmap 0: the selected rectangle as a metafile picture (MM_TEXT); any
// other value: the bitmap itself, which then belongs to the clipboard.
void CopySelectionToClipboard(void* window, int32_t asBitmap);

// Tests replace the two calls whose failure Wine does not show.
struct ClipboardCalls {
  void* (*createMetaFile)(const char* file);               // CreateMetaFileA
  void* (*setClipboardData)(uint32_t format, void* data);  // SetClipboardData
};
extern ClipboardCalls g_clipboardCalls;

// Load-time state: no selection, the real calls.
void ResetPreviewClipboardForTests();
