// Log channel: one open-append-close per entry so the file is complete after every line.
#include "base/log.h"

#include "base/numbers.h"
#include "base/paths.h"
#include "base/regular_file.h"

#include <cstdarg>
#include <cstdio>
#include <unistd.h>
#include <utility>

void logOpen(LogChannel& log, const std::string& path) {
    log.enabled = true;
    // Kept absolute: the channel stays on its file when the current directory moves.
    log.path = absolutePath(path);
    if (FILE* f = openRegularFileForAppend(log.path)) {
        if (::ftruncate(::fileno(f), 0) == 0) std::fputs("  ..... Initialising Logs .....\n", f);
        std::fclose(f);
    }
    logEntry(log, "Log File Opened...");
}

std::string logTimestamp(const std::tm& t) {
    static const char* const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const int month = (t.tm_mon >= 0 && t.tm_mon < 12) ? t.tm_mon : 0;
    char buf[80];
    std::snprintf(buf, sizeof buf, "%02d-%s-%04d %02d:%02d:%02d", t.tm_mday, kMonths[month],
                  t.tm_year + 1900, t.tm_hour, t.tm_min, t.tm_sec);
    return buf;
}

namespace {

// Batches go to the file in pieces of about this size, so memory stays small.
constexpr std::size_t kBatchPiece = 64 * 1024;

std::string timestampOf(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    return logTimestamp(local);
}

// A log that cannot be opened (or is a FIFO or device) loses its lines; the program goes on.
void appendToLog(const LogChannel& log, const std::string& lines) {
    FILE* f = openRegularFileForAppend(log.path);
    if (!f) return;
    std::fwrite(lines.data(), 1, lines.size(), f);
    std::fclose(f);
}

} // namespace

void logEntry(const LogChannel& log, const std::string& text) {
    if (!log.enabled) return;
    appendToLog(log, timestampOf(std::time(nullptr)) + " - " + text + "\n");
}

std::string vlogf(const LogChannel& log, const char* format, va_list args) {
    if (!format) return {};
    char buf[kLogEntryMax + 1];
    vformatC(buf, sizeof buf, format, args);
    logEntry(log, buf);
    return buf;
}

bool vlogFailure(const LogChannel& log, std::string* error, const char* format, va_list args) {
    std::string text = vlogf(log, format, args);
    if (error) *error = std::move(text);
    return false;
}

bool logFailure(const LogChannel& log, std::string* error, const char* format, ...) {
    va_list args;
    va_start(args, format);
    vlogFailure(log, error, format, args);
    va_end(args);
    return false;
}

void logf(const LogChannel& log, const char* format, ...) {
    if (!format || !log.enabled) return;
    va_list args;
    va_start(args, format);
    vlogf(log, format, args);
    va_end(args);
}

void batchf(LogBatch& batch, const char* format, ...) {
    if (!format || !batch.log || !batch.log->enabled) return;
    char buf[kLogEntryMax + 1];
    va_list args;
    va_start(args, format);
    vformatC(buf, sizeof buf, format, args);
    va_end(args);
    const std::time_t now = std::time(nullptr);
    if (now != batch.stampTime) {
        batch.stampTime = now;
        batch.stamp = timestampOf(now);
    }
    if (batch.text.capacity() < kBatchPiece + 2 * kLogEntryMax)
        batch.text.reserve(kBatchPiece + 2 * kLogEntryMax);
    batch.text += batch.stamp;
    batch.text += " - ";
    batch.text += buf;
    batch.text += '\n';
    if (batch.text.size() >= kBatchPiece) flushLogBatch(batch);
}

void flushLogBatch(LogBatch& batch) {
    if (batch.log && batch.log->enabled && !batch.text.empty()) appendToLog(*batch.log, batch.text);
    batch.text.clear();
}

void logClose(LogChannel&) {
    // Entries never keep the file open, so there is no handle to release.
}
