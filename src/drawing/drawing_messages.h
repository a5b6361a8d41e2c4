// The message boxes of the drawing routines: their texts and titles.
#pragma once

constexpr const char* kMsgCannotOpen = "Can not open file";
constexpr const char* kMsgNoMemory = "Sorry, not enough memory to open more file.";
constexpr const char* kMsgCannotCreate = "Can not create file";
constexpr const char* kMsgCannotWrite = "Can not write to file";
constexpr const char* kTitleOpenError = "Open Error";
constexpr const char* kTitleOpenFileError = "Open File Error";
constexpr const char* kTitleConvert = "K-VOR";
constexpr const char* kTitleConvertStrings = "K-OVR";

// A message box of the drawing routines: no owner, the stop icon.
void ShowDrawingMessage(const char* text, const char* title);
