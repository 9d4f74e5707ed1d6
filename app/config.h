// The configuration file primitives: read one key, append one key, rewrite the whole file.
//
// Naming the file reads it into memory once; every key is then looked up there, and every write
// goes to the file and to that copy alike. A key line is the key as one blank-delimited token,
// blanks, "=", blanks and the value; the first well-formed line of a key wins.
#pragma once

#include "base/log.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// The file's key lines as read: the text with every line end made a NUL, and per key where the
// text after the "=" of each of its lines starts, in file order. A file that could not be read
// holds nothing and every read logs the failure.
struct ConfigKeys {
    bool readable = false;
    std::string text;
    std::unordered_map<std::string, std::vector<std::size_t>> values;
};

struct ConfigFile {
    std::string path;
    LogChannel* log = nullptr; // the program's channel; nothing is logged without one
    // Set by configSetFileName; without it every read opens the file.
    std::shared_ptr<ConfigKeys> keys;
};

// Value of a missing integer key, and of a missing float key.
constexpr int32_t kConfigMissingInt = -1;
constexpr float kConfigMissingFloat = 0.0f;

// Logs "Setting Config Filename: %s", then stores the path and reads the file into memory.
void configSetFileName(ConfigFile& config, const std::string& path);

// Truncates the file and writes "[config]\n\n".
void configWriteHeader(const ConfigFile& config);
// Each appends one "key = value" line and logs it.
void configWriteInt(const ConfigFile& config, const std::string& key, int32_t value);
void configWriteFloat(const ConfigFile& config, const std::string& key, float value);
void configWriteText(const ConfigFile& config, const std::string& key, const std::string& value);

// A line whose value does not convert counts as no line for that key.
int32_t configReadInt(const ConfigFile& config, const std::string& key);
float configReadFloat(const ConfigFile& config, const std::string& key);
// The value runs to the end of the line; false (value untouched) when the key is missing.
bool configReadText(const ConfigFile& config, const std::string& key, std::string& value);

// A whole rewrite gathered in memory and put in place in one step (temporary file renamed
// over the old one), so a failed write keeps the previous file.
struct ConfigRewrite {
    std::string text;
    std::vector<std::string> entries; // the log entries of the keys, as single-key writes log
};
void configRewriteBegin(ConfigRewrite& rewrite);
void configRewriteInt(ConfigRewrite& rewrite, const std::string& key, int32_t value);
void configRewriteFloat(ConfigRewrite& rewrite, const std::string& key, float value);
// Replaces the file and then logs every key; on failure logs only
// "ERROR: Failed to open config File: %s" and returns false.
bool configRewriteCommit(const ConfigFile& config, const ConfigRewrite& rewrite);
