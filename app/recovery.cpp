// Recovery copies: their names and owners, the background write, and the offer at start-up.
//
// Sections: names and owners; the copy's header; writing; offering at start-up.
#include "app/recovery.h"

#include "app/editor.h"
#include "app/textures.h"
#include "base/numbers.h"
#include "base/paths.h"
#include "base/safe_file.h"
#include "edit/normals.h"
#include "model/text_lines.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

Recovery::~Recovery() {
    if (worker.joinable()) worker.join();
}

// ---- Names and owners ----

namespace {

// The start time of a process in clock ticks since boot (field 22 of /proc/PID/stat); -1 when
// there is no such process or it has ended and waits to be reaped (a killed editor does).
long long processStartTicks(long long pid) {
    std::string stat;
    if (!readWholeFile("/proc/" + std::to_string(pid) + "/stat", stat)) return -1;
    // The program name in parentheses may hold blanks and ')': the fields start after the last.
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos || close + 2 >= stat.size()) return -1;
    const char state = stat[close + 2];
    if (state == 'Z' || state == 'X' || state == 'x') return -1;
    const char* p = stat.c_str() + close + 1;
    for (int field = 3; field < 22; ++field) {
        while (*p == ' ') ++p;
        while (*p && *p != ' ') ++p;
    }
    long long ticks = -1;
    return std::sscanf(p, "%lld", &ticks) == 1 ? ticks : -1;
}

std::string processName(const std::string& pid) {
    std::string name;
    readWholeFile("/proc/" + pid + "/comm", name);
    while (!name.empty() && name.back() == '\n') name.pop_back();
    return name;
}

// "<pid>-<start ticks>.FW2" split into its numbers; false for any other name.
bool parseRecoveryName(const std::string& fileName, long long& pid, long long& start) {
    int used = 0;
    if (std::sscanf(fileName.c_str(), "%lld-%lld.FW2%n", &pid, &start, &used) != 2) return false;
    return static_cast<std::size_t>(used) == fileName.size() && pid > 0 && start >= 0;
}

} // namespace

std::string ownRecoveryName() {
    const long long pid = static_cast<long long>(::getpid());
    return std::to_string(pid) + "-" + std::to_string(processStartTicks(pid)) + ".FW2";
}

bool recoveryOwnerRunning(const std::string& fileName) {
    long long pid = 0, start = 0;
    if (!parseRecoveryName(fileName, pid, start)) return false;
    return processStartTicks(pid) == start &&
           processName(std::to_string(pid)) == processName("self");
}

// ---- The copy's header ----

namespace {

const char* const kHeaderTitle = "// Facetwright recovery copy";
const char* const kModelKey = "// Model: ";
const char* const kNamedKey = "// Named: ";
const char* const kFolderKey = "// Folder: ";

// A name on one comment line: '%', CR and LF are written as %25, %0D and %0A.
std::string escapeLine(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '%')
            out += "%25";
        else if (c == '\r')
            out += "%0D";
        else if (c == '\n')
            out += "%0A";
        else
            out += c;
    }
    return out;
}

std::string unescapeLine(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::string code = text.substr(i, 3);
        if (code == "%25" || code == "%0D" || code == "%0A") {
            out += code == "%25" ? '%' : code == "%0D" ? '\r' : '\n';
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Where the work came from: the model's name, whether it had a file, and the folder its texture
// names were relative to. Comment lines, so the copy reads as a model file.
struct CopyOrigin {
    std::string name;
    bool named = false;
    std::string folder;
};

std::string originHeader(const CopyOrigin& o) {
    return std::string(kHeaderTitle) + "\n" + kModelKey + escapeLine(o.name) + "\n" + kNamedKey +
           (o.named ? "1" : "0") + "\n" + kFolderKey + escapeLine(o.folder) + "\n";
}

CopyOrigin parseOrigin(const std::string& data) {
    CopyOrigin o;
    std::size_t start = 0;
    for (int line = 0; line < 4 && start < data.size(); ++line) {
        std::size_t end = data.find('\n', start);
        if (end == std::string::npos) end = data.size();
        const std::string text = data.substr(start, end - start);
        auto value = [&](const char* key) { return unescapeLine(text.substr(std::strlen(key))); };
        if (text.rfind(kModelKey, 0) == 0) o.name = value(kModelKey);
        if (text.rfind(kNamedKey, 0) == 0) o.named = value(kNamedKey) == "1";
        if (text.rfind(kFolderKey, 0) == 0) o.folder = value(kFolderKey);
        start = end + 1;
    }
    return o;
}

} // namespace

// ---- Writing ----

namespace {

// What the worker compares the snapshot with.
struct ModelMarks {
    uint64_t savedStamp = 0;
    bool hasSavedStamp = false;
    bool markedChanged = false;
    uint64_t writtenStamp = 0;
    bool haveWritten = false;
};

// Runs on the worker thread: touches nothing but its arguments and the copy's file.
RecoveryOutcome writeCopy(const ModelRecords& records, const ModelMarks& marks,
                          const std::string& path, const std::string& header) {
    RecoveryOutcome out;
    const std::string text = recordsFileText(records, &out.stamp);
    const bool changed =
        marks.markedChanged || (marks.hasSavedStamp && out.stamp != marks.savedStamp);
    if (!changed) {
        std::remove(path.c_str());
        out.removed = true;
        return out;
    }
    if (marks.haveWritten && out.stamp == marks.writtenStamp) return out;
    out.wrote = writeFileSafely(path, header + text, &out.error);
    if (out.wrote) out.error.clear();
    return out;
}

// Takes in what the last write found; the editor's thread only, once the worker has ended.
void finishWorker(Editor& editor) {
    Recovery& r = editor.recovery;
    r.worker.join();
    const RecoveryOutcome o = r.outcome;
    r.outcome = RecoveryOutcome();
    if (o.wrote) {
        r.writtenStamp = o.stamp;
        r.haveWritten = true;
        logEntry(editor.log, "Recovery copy written: " + r.ownPath);
    } else if (o.removed) {
        r.haveWritten = false;
    } else if (!o.error.empty()) {
        logEntry(editor.log, "ERROR: Recovery copy not written: " + r.ownPath + ": " + o.error);
        r.haveDigest = false; // try again at the next interval
    }
}

} // namespace

void startRecovery(Editor& editor) {
    Recovery& r = editor.recovery;
    r.folder = editor.userDirectory + "Recovery/";
    makeDirectory(r.folder);
    r.ownPath = r.folder + ownRecoveryName();
    std::string value;
    int32_t seconds = 0;
    if (editor.platform.environmentVariable(kAutosaveVariable, value) && parseInt(value, seconds) &&
        seconds >= 0)
        r.intervalMs = static_cast<int64_t>(seconds) * 1000;
}

void stepRecovery(Editor& editor, int64_t nowMs) {
    Recovery& r = editor.recovery;
    if (r.folder.empty() || r.intervalMs <= 0) return;
    if (r.worker.joinable()) {
        if (!r.workerDone.load()) return;
        finishWorker(editor);
    }
    if (nowMs - r.lastCheckMs < r.intervalMs) return;
    r.lastCheckMs = nowMs;
    const Model& m = editor.edit;
    // Looking costs a pass over the records; copying them only happens after a change.
    const uint64_t digest = modelRecordsDigest(m);
    if (r.haveDigest && digest == r.lastDigest) return;
    r.lastDigest = digest;
    r.haveDigest = true;

    copyModelRecords(m, r.snapshot);
    const ModelMarks marks{m.savedStamp, m.hasSavedStamp, m.markedChanged, r.writtenStamp,
                           r.haveWritten};
    // Texture names are relative to the folder the model was read from, else its file's folder,
    // or the current one while it has none.
    const std::string folder = !m.textureFolder.empty() ? m.textureFolder
                               : m.hasFileName          ? folderOf(absolutePath(m.fileName))
                                                        : currentDirectory();
    const std::string header = originHeader({m.fileName, m.hasFileName, folder});
    r.workerDone = false;
    // Until it ends the worker alone touches the snapshot and the outcome.
    r.worker = std::thread([&r, marks, header] {
        r.outcome = writeCopy(r.snapshot, marks, r.ownPath, header);
        r.workerDone = true;
    });
}

void dropRecoveryCopy(Recovery& r) {
    if (r.worker.joinable()) r.worker.join();
    r.outcome = RecoveryOutcome();
    if (!r.ownPath.empty()) std::remove(r.ownPath.c_str());
    r.haveWritten = false;
    r.haveDigest = false;
}

// ---- Offering at start-up ----

namespace {

struct LeftCopy {
    std::string fileName;
    std::time_t written = 0;
};

// Copies in the folder whose editors have ended, newest first.
std::vector<LeftCopy> leftCopies(const std::string& folder) {
    std::vector<LeftCopy> out;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        long long pid = 0, start = 0;
        if (!parseRecoveryName(name, pid, start) || recoveryOwnerRunning(name)) continue;
        struct stat st {};
        if (::stat((folder + name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        out.push_back({name, st.st_mtime});
    }
    std::sort(out.begin(), out.end(),
              [](const LeftCopy& a, const LeftCopy& b) { return a.written > b.written; });
    return out;
}

std::string localTime(std::time_t t) {
    std::tm local{};
    localtime_r(&t, &local);
    return logTimestamp(local);
}

// Opens the copy as the edit model under its own name, marked changed; false (said why) when it
// cannot be read.
bool recoverCopy(Editor& editor, const std::string& path) {
    std::string data;
    Model& m = editor.edit;
    const std::string oldName = m.fileName;
    std::string error = "ERROR: Failed to open Model File";
    if (readWholeFile(path, data)) {
        const CopyOrigin origin = parseOrigin(data);
        m.fileName = origin.name.empty() ? oldName : origin.name;
        if (readModelData(m, std::move(data), &error)) {
            m.hasFileName = origin.named && !origin.name.empty();
            m.currentMesh = 0;
            // Texture names are relative to the folder they were taken against.
            if (!origin.folder.empty()) {
                setCurrentDirectory(origin.folder);
                m.textureFolder = origin.folder;
            }
            recalculateNormals(m);
            loadAllTextures(editor.platform, m);
            markModelChanged(m);
            Recovery& r = editor.recovery;
            r.writtenStamp = modelFileStamp(m);
            r.haveWritten = true;
            r.lastDigest = modelRecordsDigest(m);
            r.haveDigest = true;
            logEntry(editor.log, "Recovered unsaved work from " + path);
            return true;
        }
        m.fileName = oldName;
    }
    editor.platform.messageBox("The recovery copy could not be read:\n" + path + "\n\n" + error,
                               "ERROR", MessageButtons::Ok, MessageIcon::Warning);
    return false;
}

} // namespace

void offerRecovery(Editor& editor) {
    Recovery& r = editor.recovery;
    if (r.folder.empty()) return;
    for (const LeftCopy& copy : leftCopies(r.folder)) {
        // Claimed first: an editor starting at the same time finds it gone.
        if (std::rename((r.folder + copy.fileName).c_str(), r.ownPath.c_str()) != 0) continue;
        std::string data;
        readWholeFile(r.ownPath, data);
        const CopyOrigin origin = parseOrigin(data);
        const std::string text = "Facetwright ended without saving " +
                                 (origin.name.empty() ? copy.fileName : origin.name) +
                                 ".\nUnsaved work was kept at " + localTime(copy.written) +
                                 ".\n\nRecover it? No deletes the kept copy.";
        const MessageAnswer answer = editor.platform.messageBox(
            text, "Recover Unsaved Work", MessageButtons::YesNo, MessageIcon::Question);
        if (answer == MessageAnswer::Yes && recoverCopy(editor, r.ownPath)) return;
        std::remove(r.ownPath.c_str());
    }
}
