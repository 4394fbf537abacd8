// Windows-1252 text: every string the program keeps is one byte per character in this code page,
// exactly as its files hold it. Unicode appears only at the window layer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// The Unicode code point of a Windows-1252 byte (the five unassigned bytes map to themselves,
// as Windows does, so that no byte is ever lost).
char32_t cp1252ToUnicode(unsigned char byte);

// The Windows-1252 byte of a code point, or nothing when the code page cannot hold it.
std::optional<unsigned char> unicodeToCp1252(char32_t code);

// UTF-8 to Windows-1252; nothing when a character does not fit or the UTF-8 is malformed.
std::optional<std::string> utf8ToCp1252(const std::string& utf8);
std::string cp1252ToUtf8(const std::string& text);

// Upper and lower case by Windows-1252 rules: a letter changes only when its partner is in the
// code page too ("é" <-> "É", "œ" <-> "Œ", "ÿ" <-> "Ÿ"; "ß" has no capital and stays).
unsigned char upper1252(unsigned char c);
unsigned char lower1252(unsigned char c);
std::string upper1252(const std::string& text);
std::string lower1252(const std::string& text);

} // namespace platform

// French texts in source files are UTF-8; this turns one into the program's Windows-1252 string.
// A literal the code page cannot hold is a programming error and aborts at once.
std::string cp(const char* utf8);
std::string cp(const std::string& utf8);
