// Pure helpers behind the platform interface: the address check and file-filter patterns.
#include "platform/platform.h"

#include <cctype>

namespace {

bool startsWithNoCase(const std::string& s, const char* prefix) {
    std::size_t i = 0;
    for (; prefix[i]; ++i) {
        if (i >= s.size()) return false;
        if (std::tolower(static_cast<unsigned char>(s[i])) != prefix[i]) return false;
    }
    return true;
}

} // namespace

bool isOpenableUrl(const std::string& url) {
    static const char* const kSchemes[] = {"http://", "https://", "mailto:"};
    for (char c : url) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u == 0x7f) return false;
    }
    for (const char* scheme : kSchemes) {
        const std::size_t n = std::char_traits<char>::length(scheme);
        if (startsWithNoCase(url, scheme)) return url.size() > n;
    }
    return false;
}

std::vector<std::string> splitPatterns(const std::string& patterns) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= patterns.size()) {
        std::size_t end = patterns.find(';', start);
        if (end == std::string::npos) end = patterns.size();
        std::size_t a = start, b = end;
        while (a < b && std::isspace(static_cast<unsigned char>(patterns[a]))) ++a;
        while (b > a && std::isspace(static_cast<unsigned char>(patterns[b - 1]))) --b;
        if (b > a) out.push_back(patterns.substr(a, b - a));
        start = end + 1;
    }
    return out;
}

std::string caseInsensitivePattern(const std::string& pattern) {
    std::string out;
    for (char c : pattern) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalpha(u) && u < 0x80) {
            out += '[';
            out += static_cast<char>(std::tolower(u));
            out += static_cast<char>(std::toupper(u));
            out += ']';
        } else {
            out += c;
        }
    }
    return out;
}
