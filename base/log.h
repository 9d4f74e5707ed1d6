// The log channel: timestamped lines appended to one file, opened and closed per entry.
#pragma once

#include <cstdarg>
#include <ctime>
#include <string>

struct LogChannel {
    std::string path;
    bool enabled = false;
};

// Longest text a formatted entry keeps; longer texts are cut, never overflowed.
constexpr int kLogEntryMax = 259;

// Truncates the file, writes the header line and the entry "Log File Opened...".
void logOpen(LogChannel& log, const std::string& path);
// Appends "<timestamp> - <text>\n" when the channel is enabled.
void logEntry(const LogChannel& log, const std::string& text);
// printf-style entry, cut at kLogEntryMax characters. Numbers are formatted in the C locale.
void logf(const LogChannel& log, const char* format, ...) __attribute__((format(printf, 2, 3)));
// The same from a va_list, returning the entry's text (also when the channel is disabled), so
// a caller can report the very line it logged.
std::string vlogf(const LogChannel& log, const char* format, va_list args);
// A failed step of a reader: logs the entry, stores its text in error when given, returns false.
bool logFailure(const LogChannel& log, std::string* error, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
bool vlogFailure(const LogChannel& log, std::string* error, const char* format, va_list args);
void logClose(LogChannel& log);

// Entries gathered in memory and appended with one open, for loops that log every item: the
// same lines as one logf each, without reopening the file per line.
struct LogBatch {
    const LogChannel* log = nullptr;
    std::string text;
    std::time_t stampTime = -1; // the second `stamp` shows
    std::string stamp;
};
void batchf(LogBatch& batch, const char* format, ...) __attribute__((format(printf, 2, 3)));
void flushLogBatch(LogBatch& batch);

// "07-Dec-2026 05:33:29", English month names whatever the locale.
std::string logTimestamp(const std::tm& local);
