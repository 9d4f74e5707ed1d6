// The configuration file primitives: read one key, append one key, rewrite the whole file.
//
// The file is opened and closed by every call. A key line is the key as one blank-delimited
// token, blanks, "=", blanks and the value; the first well-formed line of a key wins.
#pragma once

#include "base/log.h"

#include <cstdint>
#include <string>
#include <vector>

struct ConfigFile {
    std::string path;
    LogChannel* log = nullptr; // the program's channel; nothing is logged without one
};

// Value of a missing integer key, and of a missing float key.
constexpr int32_t kConfigMissingInt = -1;
constexpr float kConfigMissingFloat = 0.0f;

// Logs "Setting Config Filename: %s", then stores the path.
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
