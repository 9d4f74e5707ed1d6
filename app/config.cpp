// The configuration file primitives: key lookup, key lines, and the whole-file rewrite.
#include "app/config.h"

#include "base/numbers.h"
#include "base/regular_file.h"
#include "base/safe_file.h"

#include <cstdio>
#include <new>
#include <unistd.h>
#include <utility>

namespace {

constexpr std::size_t kLineMax = 1023; // longer lines never hold a key
const char kHeader[] = "[config]\n\n";

const LogChannel& channel(const ConfigFile& config) {
    static const LogChannel kSilent; // never opened, so it writes nothing
    return config.log ? *config.log : kSilent;
}

void logOpenFailure(const ConfigFile& config) {
    logf(channel(config), "ERROR: Failed to open config File: %s", config.path.c_str());
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Appends text to the copy and records its key lines: lines of at most kLineMax characters whose
// first token is followed by blanks and "=".
void addKeyLines(ConfigKeys& keys, const std::string& text) {
    std::size_t pos = keys.text.size();
    keys.text += text;
    std::string token;
    while (pos < keys.text.size()) {
        std::size_t end = keys.text.find('\n', pos);
        if (end == std::string::npos) end = keys.text.size();
        if (end < keys.text.size()) keys.text[end] = '\0';
        const char* line = keys.text.c_str() + pos;
        const bool tooLong = end - pos > kLineMax;
        pos = end + 1;
        if (tooLong) continue;
        const char* p = scanWord(line, token, kLineMax);
        if (!p) continue;
        while (isBlank(*p)) ++p;
        p = scanChar(p, '=');
        if (p) keys.values[token].push_back(static_cast<std::size_t>(p - keys.text.c_str()));
    }
}

// Walks the lines of key and hands each value text to accept; the first one it takes ends the
// walk. An unreadable file is logged and yields false.
template <typename Accept>
bool findKey(const ConfigFile& config, const std::string& key, Accept accept) {
    ConfigKeys fromFile;
    const ConfigKeys* keys = config.keys.get();
    if (!keys) {
        std::string text;
        try {
            fromFile.readable = readRegularFile(config.path, text);
            addKeyLines(fromFile, text);
        } catch (const std::bad_alloc&) {
            fromFile.readable = false; // as good as unreadable
        }
        keys = &fromFile;
    }
    if (!keys->readable) {
        logOpenFailure(config);
        return false;
    }
    const auto it = keys->values.find(key);
    if (it == keys->values.end()) return false;
    for (std::size_t value : it->second)
        if (accept(keys->text.c_str() + value)) return true;
    return false;
}

// What a successful write did to the file, done to the copy in memory as well.
void keysWritten(const ConfigFile& config, bool truncate, const std::string& text) {
    if (!config.keys) return;
    if (truncate) {
        config.keys->values.clear();
        config.keys->text.clear();
    }
    config.keys->readable = true;
    addKeyLines(*config.keys, text);
}

std::string intLine(const std::string& key, int32_t value) {
    std::string line = key + " = ";
    appendInt(line, value);
    line += '\n';
    return line;
}

std::string floatLine(const std::string& key, float value) {
    std::string line = key + " = ";
    appendFixed6(line, value);
    line += '\n';
    return line;
}

// Appends text, or replaces the content when truncate is set; a FIFO or device under the name is
// refused like a file that cannot be opened, and a failed write or close counts as a failure.
bool writeToFile(const ConfigFile& config, bool truncate, const std::string& text) {
    FILE* f = openRegularFileForAppend(config.path);
    if (f && truncate && ::ftruncate(::fileno(f), 0) != 0) {
        std::fclose(f);
        f = nullptr;
    }
    if (!f) {
        logOpenFailure(config);
        return false;
    }
    bool ok = std::fputs(text.c_str(), f) >= 0;
    ok = std::fclose(f) == 0 && ok;
    if (ok) keysWritten(config, truncate, text);
    return ok;
}

// The log entries of written keys.
std::string intEntry(const std::string& key, int32_t value) {
    std::string entry = "Writing INT Config Value: " + key + " - Value detected: ";
    appendInt(entry, value);
    return entry;
}

std::string floatEntry(const std::string& key, float value) {
    std::string entry = "Writing FLOAT Config Value: " + key + " - Value detected: ";
    appendFixed6(entry, value);
    return entry;
}

} // namespace

void configSetFileName(ConfigFile& config, const std::string& path) {
    logf(channel(config), "Setting Config Filename: %s", path.c_str());
    config.path = path;
    // Read once: a large file costs one pass, not one per key. Without the memory for the copy
    // every key reads the file instead.
    config.keys.reset();
    try {
        auto keys = std::make_shared<ConfigKeys>();
        std::string text;
        keys->readable = readRegularFile(path, text);
        addKeyLines(*keys, text);
        config.keys = std::move(keys);
    } catch (const std::bad_alloc&) {
    }
}

void configWriteHeader(const ConfigFile& config) {
    writeToFile(config, true, kHeader);
}

void configWriteInt(const ConfigFile& config, const std::string& key, int32_t value) {
    if (writeToFile(config, false, intLine(key, value)))
        logEntry(channel(config), intEntry(key, value));
}

void configWriteFloat(const ConfigFile& config, const std::string& key, float value) {
    if (writeToFile(config, false, floatLine(key, value)))
        logEntry(channel(config), floatEntry(key, value));
}

void configWriteText(const ConfigFile& config, const std::string& key, const std::string& value) {
    if (writeToFile(config, false, key + " = " + value + "\n"))
        logf(channel(config), "Writing STRING Config Value: %s - Value detected: %s", key.c_str(),
             value.c_str());
}

int32_t configReadInt(const ConfigFile& config, const std::string& key) {
    int32_t value = kConfigMissingInt;
    bool found = findKey(config, key, [&](const char* text) { return parseInt(text, value); });
    if (!found) return kConfigMissingInt;
    logf(channel(config), "Reading Integer Config Value: %s - Value detected: %i", key.c_str(),
         value);
    return value;
}

float configReadFloat(const ConfigFile& config, const std::string& key) {
    float value = kConfigMissingFloat;
    bool found = findKey(config, key, [&](const char* text) { return parseFloat(text, value); });
    if (!found) return kConfigMissingFloat;
    logf(channel(config), "Reading FLOAT Config Value: %s - Value detected: %f", key.c_str(),
         static_cast<double>(value));
    return value;
}

bool configReadText(const ConfigFile& config, const std::string& key, std::string& value) {
    std::string text;
    bool found = findKey(config, key, [&](const char* p) {
        while (isBlank(*p)) ++p;
        text = p;
        // A file edited on Windows keeps its carriage returns; they are not part of the value.
        if (!text.empty() && text.back() == '\r') text.pop_back();
        return !text.empty();
    });
    if (!found) return false;
    value = text;
    logf(channel(config), "Reading STRING Config Value: %s - Value detected: %s", key.c_str(),
         value.c_str());
    return true;
}

void configRewriteBegin(ConfigRewrite& rewrite) {
    rewrite.text = kHeader;
    rewrite.entries.clear();
}

void configRewriteInt(ConfigRewrite& rewrite, const std::string& key, int32_t value) {
    rewrite.text += intLine(key, value);
    rewrite.entries.push_back(intEntry(key, value));
}

void configRewriteFloat(ConfigRewrite& rewrite, const std::string& key, float value) {
    rewrite.text += floatLine(key, value);
    rewrite.entries.push_back(floatEntry(key, value));
}

bool configRewriteCommit(const ConfigFile& config, const ConfigRewrite& rewrite) {
    if (!writeFileSafely(config.path, rewrite.text)) {
        logOpenFailure(config);
        return false;
    }
    keysWritten(config, true, rewrite.text);
    // Only now is it true that the keys were written.
    LogBatch batch;
    batch.log = &channel(config);
    for (const std::string& entry : rewrite.entries) batchf(batch, "%s", entry.c_str());
    flushLogBatch(batch);
    return true;
}
