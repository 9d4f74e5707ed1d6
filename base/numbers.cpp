// Number formatting and scanning that never depend on the process locale.
#include "base/numbers.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>

namespace {

locale_t cLocale() {
    // Created once and never changed; shared by every caller.
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

const char* skipBlanks(const char* p) {
    while (isBlank(*p)) ++p;
    return p;
}

int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

} // namespace

int vformatC(char* buf, std::size_t size, const char* format, va_list args) {
    if (size == 0) return 0;
    locale_t previous = uselocale(cLocale());
    int n = std::vsnprintf(buf, size, format, args);
    uselocale(previous);
    if (n < 0) buf[0] = '\0';
    return n;
}

int formatC(char* buf, std::size_t size, const char* format, ...) {
    va_list args;
    va_start(args, format);
    int n = vformatC(buf, size, format, args);
    va_end(args);
    return n;
}

namespace {

// "%f" of a value below 1e12 in integers: |value| = mantissa * 2^exponent exactly, so value * 10^6
// rounds to nearest, ties to even, as printf rounds. Far quicker than the general conversion,
// which model files call ten times per vertex.
bool appendFixed6Exact(std::string& out, double value) {
    if (!(std::fabs(value) < 1e12)) return false; // NaN included
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(value), &exponent);
    const auto mantissa = static_cast<uint64_t>(std::ldexp(fraction, 53));
    exponent -= 53;
    const unsigned __int128 scaled = static_cast<unsigned __int128>(mantissa) * 1000000u;
    uint64_t micros = 0;
    if (exponent >= 0) {
        micros = static_cast<uint64_t>(scaled << exponent); // below 1e18, as value < 1e12
    } else if (-exponent < 128) {
        const int shift = -exponent;
        unsigned __int128 q = scaled >> shift;
        const unsigned __int128 rest = scaled - (q << shift);
        const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
        if (rest > half || (rest == half && (q & 1))) ++q;
        micros = static_cast<uint64_t>(q);
    } // else scaled < 2^73 is far below half a unit: zero
    char buf[32];
    char* p = buf;
    if (std::signbit(value)) *p++ = '-';
    p = std::to_chars(p, buf + 20, micros / 1000000).ptr;
    *p++ = '.';
    uint32_t fractionDigits = static_cast<uint32_t>(micros % 1000000);
    for (int i = 5; i >= 0; --i, fractionDigits /= 10)
        p[i] = static_cast<char>('0' + fractionDigits % 10);
    out.append(buf, p + 6);
    return true;
}

} // namespace

void appendFixed6(std::string& out, double value) {
    if (appendFixed6Exact(out, value)) return;
    char buf[400]; // the longest double in fixed notation has 309 integer digits
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 6);
    if (res.ec == std::errc()) {
        out.append(buf, res.ptr);
    } else {
        formatC(buf, sizeof buf, "%f", value);
        out.append(buf);
    }
}

void appendInt(std::string& out, long long value) {
    char buf[24];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, res.ptr);
}

const char* scanInt(const char* p, int32_t& out) {
    p = skipBlanks(p);
    bool negative = false;
    if (*p == '+' || *p == '-') negative = (*p++ == '-');
    int base = 10;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && digitValue(p[2]) < 16) {
        base = 16;
        p += 2;
    } else if (p[0] == '0') {
        base = 8;
    }
    if (digitValue(*p) >= base) return nullptr;
    long long value = 0;
    // Decimal, by far the most common, without the general digit lookup.
    const long long kPastInt32 = 2147483648LL;
    if (base == 10) {
        while (isDigit(*p) && value <= kPastInt32) value = value * 10 + (*p++ - '0');
    } else {
        while (digitValue(*p) < base && value <= kPastInt32)
            value = value * base + digitValue(*p++);
    }
    if (value > kPastInt32) return nullptr;
    if (negative) value = -value;
    if (value > 2147483647LL) return nullptr;
    out = static_cast<int32_t>(value);
    return p;
}

namespace {

// A decimal of at most 15 significant digits and 22 fraction digits, m / 10^k, correctly rounded
// to float without the general parser: m and 10^k are exact doubles, so the quotient is the
// correctly rounded double, and rounding that to float gives the correctly rounded float unless
// the double sits exactly halfway between two floats. That one case is left to the exact parser.
bool decimalToFloat(uint64_t mantissa, int fractionDigits, float& out) {
    static const double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                     1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                     1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const double wide = static_cast<double>(mantissa) / kPowers[fractionDigits];
    uint64_t bits = 0;
    std::memcpy(&bits, &wide, sizeof bits);
    constexpr uint64_t kBelowFloat = (uint64_t{1} << 29) - 1; // double bits a float drops
    if ((bits & kBelowFloat) == (uint64_t{1} << 28)) return false;
    out = static_cast<float>(wide);
    return true;
}

} // namespace

const char* scanFloat(const char* p, float& out) {
    p = skipBlanks(p);
    const char* start = p;
    if (*p == '+' || *p == '-') ++p;
    const char* digits = p;
    // from_chars takes no leading '+', so parse from the digits and apply the sign ourselves.
    bool any = false;
    uint64_t mantissa = 0; // wraps past 19 digits, but is then not used
    int significant = 0, fractionDigits = 0;
    auto take = [&](char c) {
        mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
        significant += mantissa != 0;
    };
    while (isDigit(*p)) {
        take(*p++);
        any = true;
    }
    if (*p == '.') {
        ++p;
        while (isDigit(*p)) {
            take(*p++);
            ++fractionDigits;
            any = true;
        }
    }
    if (!any) return nullptr;
    bool exponent = false;
    if (*p == 'e' || *p == 'E') {
        const char* e = p + 1;
        if (*e == '+' || *e == '-') ++e;
        if (isDigit(*e)) {
            while (isDigit(*e)) ++e;
            p = e;
            exponent = true;
        }
    }
    float quick = 0.0f;
    if (!exponent && significant <= 15 && fractionDigits <= 22 &&
        decimalToFloat(mantissa, fractionDigits, quick)) {
        out = (*start == '-') ? -quick : quick;
        return p;
    }
    float value = 0.0f;
    auto res = std::from_chars(digits, p, value, std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range && res.ptr == p) {
        // Too small for a float (such as 1e-46 written from a double) reads as zero, as sscanf
        // gives it; too large stays no match.
        const std::string text(digits, p);
        const double wide = strtod_l(text.c_str(), nullptr, cLocale());
        if (std::fabs(wide) > 1.0) return nullptr;
        value = static_cast<float>(wide);
        res.ec = std::errc();
    }
    if (res.ec != std::errc() || res.ptr != p || !std::isfinite(value)) return nullptr;
    out = (*start == '-') ? -value : value;
    return p;
}

const char* scanWord(const char* p, std::string& out, std::size_t maxLen) {
    p = skipBlanks(p);
    const char* start = p;
    while (*p && *p != ' ' && *p != '\t' && *p != '\r' && *p != '\n') ++p;
    if (p == start) return nullptr;
    std::size_t len = static_cast<std::size_t>(p - start);
    out.assign(start, len < maxLen ? len : maxLen);
    return p;
}

const char* scanChar(const char* p, char c) {
    return (*p == c) ? p + 1 : nullptr;
}

bool parseInt(const std::string& text, int32_t& out) {
    int32_t value = 0;
    const char* end = scanInt(text.c_str(), value);
    if (!end || *skipBlanks(end) != '\0') return false;
    out = value;
    return true;
}

bool parseFloat(const std::string& text, float& out) {
    float value = 0.0f;
    const char* end = scanFloat(text.c_str(), value);
    if (!end || *skipBlanks(end) != '\0') return false;
    out = value;
    return true;
}
