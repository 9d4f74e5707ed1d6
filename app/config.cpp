// The configuration file primitives: key lookup, key lines, and the whole-file rewrite.
#include "app/config.h"

#include "base/numbers.h"
#include "base/regular_file.h"
#include "base/safe_file.h"

#include <cstdio>
#include <unistd.h>

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

// Reads the next line without its line end; a line over kLineMax characters comes back
// flagged, so that no piece of it can be taken for a key.
bool nextLine(FILE* f, std::string& line, bool& tooLong) {
    line.clear();
    tooLong = false;
    int c = std::getc(f);
    if (c == EOF) return false;
    for (; c != EOF && c != '\n'; c = std::getc(f)) {
        if (line.size() < kLineMax)
            line.push_back(static_cast<char>(c));
        else
            tooLong = true;
    }
    return true;
}

// Walks the file for lines of the form "key = value" and hands each value text to accept; the
// first one it takes ends the walk. A missing file is logged and yields false.
template <typename Accept>
bool findKey(const ConfigFile& config, const std::string& key, Accept accept) {
    FILE* f = openRegularFile(config.path);
    if (!f) {
        logOpenFailure(config);
        return false;
    }
    std::string line;
    std::string token;
    bool tooLong = false;
    bool found = false;
    while (!found && nextLine(f, line, tooLong)) {
        if (tooLong) continue;
        const char* p = scanWord(line.c_str(), token, kLineMax);
        if (!p || token != key) continue;
        while (isBlank(*p)) ++p;
        p = scanChar(p, '=');
        if (p) found = accept(p);
    }
    std::fclose(f);
    return found;
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
    // Only now is it true that the keys were written.
    LogBatch batch;
    batch.log = &channel(config);
    for (const std::string& entry : rewrite.entries) batchf(batch, "%s", entry.c_str());
    flushLogBatch(batch);
    return true;
}
