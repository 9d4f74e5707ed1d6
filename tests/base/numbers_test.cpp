// Number formatting and field scanning, including under a comma-decimal locale.
#include "base/numbers.h"

#include <clocale>
#include <cstring>
#include <gtest/gtest.h>

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
    int32_t v = 0;
    // decimal with sign and leading blanks, hexadecimal, octal, and the int32 limits
    EXPECT_STREQ(scanInt("  -42,", v), ",");
    EXPECT_EQ(v, -42);
    EXPECT_NE(scanInt("0x1F", v), nullptr);
    EXPECT_EQ(v, 31);
    EXPECT_NE(scanInt("017", v), nullptr);
    EXPECT_EQ(v, 15);
    EXPECT_NE(scanInt("-2147483648", v), nullptr);
    EXPECT_EQ(v, INT32_MIN);
    // overflow and non-numbers do not match and leave the value alone
    v = 7;
    EXPECT_EQ(scanInt("2147483648", v), nullptr);
    EXPECT_EQ(scanInt("99999999999999999999", v), nullptr);
    EXPECT_EQ(scanInt("abc", v), nullptr);
    EXPECT_EQ(scanInt("", v), nullptr);
    EXPECT_EQ(v, 7);
}

TEST(Numbers, ScanFloatForms) {
    float f = 0;
    EXPECT_STREQ(scanFloat("-1.000000,x", f), ",x");
    EXPECT_EQ(f, -1.0f);
    EXPECT_NE(scanFloat("+2.5e2", f), nullptr);
    EXPECT_EQ(f, 250.0f);
    EXPECT_NE(scanFloat(".5", f), nullptr);
    EXPECT_EQ(f, 0.5f);
    EXPECT_STREQ(scanFloat("3.e", f), "e"); // a dangling exponent is not part of the number
    EXPECT_EQ(f, 3.0f);
    // not finite in float: no match
    f = 9;
    EXPECT_EQ(scanFloat("nan", f), nullptr);
    EXPECT_EQ(scanFloat("inf", f), nullptr);
    EXPECT_EQ(scanFloat("1e50", f), nullptr);
    EXPECT_EQ(scanFloat("-", f), nullptr);
    EXPECT_EQ(f, 9.0f);
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
