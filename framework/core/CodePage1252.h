#pragma once

#include "CString.h"

#include <string>
#include <string_view>

// "The system's ANSI code page" of the program: Windows-1252 on every machine.
namespace CodePage1252 {

// Bytes to text. The five bytes the code page leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) become the control characters of the same number.
CString Decode(std::string_view bytes);

// Text to bytes. Combining sequences are composed first where the code page
// holds the composed letter (an "e" followed by a combining acute accent
// becomes 0xE9); every character it cannot hold becomes "?".
std::string Encode(const CString& text);

} // namespace CodePage1252
