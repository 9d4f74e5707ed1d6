// Locale-independent number formatting and scanf-style field scanning for text files.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <string>

// snprintf in the "C" locale whatever the process locale; always NUL-terminates.
int formatC(char* buf, std::size_t size, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
int vformatC(char* buf, std::size_t size, const char* format, va_list args);

// Appends the "%f" (six decimals) and "%i" forms.
void appendFixed6(std::string& out, double value);
void appendInt(std::string& out, long long value);

// Field scanners in the manner of sscanf: each skips leading white space, converts one field and
// returns the position after it, or nullptr when the field does not match (out is then untouched).
//  scanInt:   optional sign, then decimal, hexadecimal after "0x" or octal after a leading 0.
//             Values outside int32 do not match.
//  scanFloat: optional sign, digits with optional point and fraction, optional exponent. Values
//             that are not finite in float (inf, nan, overflow) do not match.
//  scanWord:  a run of characters up to a blank, tab, CR, LF or NUL; at most maxLen of them are
//             kept in out, the rest of the run is skipped. An empty run does not match.
//  scanChar:  the literal character c, without skipping white space (like a literal in a format).
const char* scanInt(const char* p, int32_t& out);
const char* scanFloat(const char* p, float& out);
const char* scanWord(const char* p, std::string& out, std::size_t maxLen);
const char* scanChar(const char* p, char c);

// Whole-string conversions used by settings: the entire text (bar surrounding blanks) must parse.
bool parseInt(const std::string& text, int32_t& out);
bool parseFloat(const std::string& text, float& out);
