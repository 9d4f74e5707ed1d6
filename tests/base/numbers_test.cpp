// Number formatting and field scanning, including under a comma-decimal locale.
#include "base/numbers.h"

#include <charconv>
#include <clocale>
#include <cstring>
#include <gtest/gtest.h>
#include <initializer_list>

namespace {

std::string fixed6(double v) {
    std::string s;
    appendFixed6(s, v);
    return s;
}

// Switches the process locale for one test and restores it afterwards.
struct CommaLocale {
    std::string previous;
    CommaLocale() {
        previous = std::setlocale(LC_ALL, nullptr);
        ok = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    }
    ~CommaLocale() { std::setlocale(LC_ALL, previous.c_str()); }
    bool ok = false;
};

// A scanner's input, the value it reads and, where given, the text it leaves.
template <typename T> struct Scanned {
    const char* text;
    T value;
    const char* rest = nullptr;
};

template <typename T>
void expectScanned(const char* (*scan)(const char*, T&), std::initializer_list<Scanned<T>> cases) {
    for (const Scanned<T>& c : cases) {
        T v{};
        const char* end = scan(c.text, v);
        EXPECT_NE(end, nullptr) << c.text;
        if (end && c.rest) {
            EXPECT_STREQ(end, c.rest) << c.text;
        }
        EXPECT_EQ(v, c.value) << c.text;
    }
}

// Inputs that do not match, each leaving the value as it was.
template <typename T>
void expectNoMatch(const char* (*scan)(const char*, T&), T start,
                   std::initializer_list<const char*> texts) {
    T v = start;
    for (const char* text : texts) EXPECT_EQ(scan(text, v), nullptr) << text;
    EXPECT_EQ(v, start);
}

} // namespace

TEST(Numbers, FixedSixMatchesPrintf) {
    // Same digits as "%f": six decimals, minus sign kept for negative zero and tiny negatives.
    EXPECT_EQ(fixed6(-1.0), "-1.000000");
    EXPECT_EQ(fixed6(0.5f), "0.500000");
    EXPECT_EQ(fixed6(100.0), "100.000000");
    EXPECT_EQ(fixed6(0.47f), "0.470000");
    EXPECT_EQ(fixed6(-0.0), "-0.000000");
    EXPECT_EQ(fixed6(1e20), "100000000000000000000.000000");
    char buf[64];
    for (float v : {0.1f, 1.0f / 3.0f, -2.71828f, 123456.789f, 1e-7f, 0.0000005f}) {
        formatC(buf, sizeof buf, "%f", static_cast<double>(v));
        EXPECT_EQ(fixed6(v), buf) << v;
    }
}

TEST(Numbers, FixedSixMatchesPrintfAcrossMagnitudes) {
    char buf[400];
    auto same = [&](double v) {
        formatC(buf, sizeof buf, "%f", v);
        return fixed6(v) == buf;
    };
    // halfway cases round to even: 1/128 = 0.0078125, 3/128, 5/64, and just below 1e12
    for (double v : {0.0078125, 0.0234375, -0.078125, 2.5e-7, 999999999999.99994, 1e12, 5e-324})
        EXPECT_TRUE(same(v)) << v;
    // random bit patterns of floats and doubles over every exponent
    uint64_t x = 88172645463325252ULL;
    int mismatches = 0;
    for (int i = 0; i < 200000; ++i) {
        x ^= x << 13, x ^= x >> 7, x ^= x << 17;
        float f;
        const uint32_t fb = static_cast<uint32_t>(x);
        std::memcpy(&f, &fb, sizeof f);
        double d;
        std::memcpy(&d, &x, sizeof d);
        mismatches += !same(f) + !same(d) + !same(static_cast<double>(f) * 1e-3);
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(Numbers, ScanIntForms) {
    // decimal with sign and leading blanks, hexadecimal, octal, and the int32 limits
    expectScanned<int32_t>(
        scanInt, {{"  -42,", -42, ","}, {"0x1F", 31}, {"017", 15}, {"-2147483648", INT32_MIN}});
    // overflow and non-numbers do not match and leave the value alone
    expectNoMatch<int32_t>(scanInt, 7, {"2147483648", "99999999999999999999", "abc", ""});
}

TEST(Numbers, ScanFloatForms) {
    expectScanned<float>(scanFloat, {{"-1.000000,x", -1.0f, ",x"},
                                     {"+2.5e2", 250.0f},
                                     {".5", 0.5f},
                                     // a dangling exponent is not part of the number
                                     {"3.e", 3.0f, "e"}});
    // not finite in float: no match
    expectNoMatch<float>(scanFloat, 9.0f, {"nan", "inf", "1e50", "-"});
}

TEST(Numbers, ScanFloatIsBitIdenticalToTheExactParser) {
    auto exact = [](const std::string& text) {
        const bool negative = text[0] == '-';
        float v = 0.0f;
        std::from_chars(text.data() + negative, text.data() + text.size(), v);
        return negative ? -v : v;
    };
    auto sameBits = [&](const std::string& text) {
        float v = -99.0f;
        const char* end = scanFloat(text.c_str(), v);
        const float want = exact(text);
        return end && *end == '\0' && std::memcmp(&v, &want, sizeof v) == 0;
    };
    // halfway between two floats (2^24 + 1); decimals whose nearest double is a float halfway
    // point although they are not; zeros, limits, the most digits and fraction digits taken quickly
    for (const char* text : {"16777217", "0.241961307823658", "0.00556794204749167",
                             "0.0000000411368628050468", "-0.00422627036459744", "-0.0", "0.000",
                             "0.1", "-3.4028234e38", "123456789012345", "0.0000000000000000000001"})
        EXPECT_TRUE(sameBits(text)) << text;
    // random decimals of 1 to 17 digits with the point anywhere, as files write them
    uint64_t x = 0x9E3779B97F4A7C15ULL;
    int mismatches = 0;
    for (int i = 0; i < 300000; ++i) {
        x ^= x << 13, x ^= x >> 7, x ^= x << 17;
        const int length = 1 + static_cast<int>(x % 17), point = static_cast<int>((x >> 8) % 24);
        std::string text = (x >> 20) & 1 ? "-" : "";
        uint64_t digits = x >> 24;
        for (int d = 0; d < length; ++d, digits /= 10) {
            if (d == point) text += d == 0 ? "0." : ".";
            text += static_cast<char>('0' + digits % 10);
        }
        mismatches += !sameBits(text);
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(Numbers, ScanWordStopsAtBlankAndKeepsLimit) {
    std::string w;
    EXPECT_STREQ(scanWord("tex ture.bmp", w, 259), " ture.bmp");
    EXPECT_EQ(w, "tex");
    EXPECT_NE(scanWord("abcdef\r\n", w, 3), nullptr);
    EXPECT_EQ(w, "abc");
    EXPECT_EQ(scanWord("   ", w, 10), nullptr);
}

TEST(Numbers, SameResultsUnderCommaLocale) {
    CommaLocale loc;
    ASSERT_TRUE(loc.ok) << "the de_DE.UTF-8 locale is missing; scripts/install-deps.sh makes it";
    char buf[64];
    formatC(buf, sizeof buf, "%f", 0.25);
    EXPECT_STREQ(buf, "0.250000");
    EXPECT_EQ(fixed6(0.25), "0.250000");
    float f = 0;
    EXPECT_NE(scanFloat("0.75", f), nullptr);
    EXPECT_EQ(f, 0.75f);
    EXPECT_TRUE(parseFloat(" 1.5 ", f));
    EXPECT_EQ(f, 1.5f);
    EXPECT_FALSE(parseFloat("1,5", f));
}
