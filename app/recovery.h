// Recovery copies of unsaved work: written in the background while the edit model differs from
// its file, offered at the next start when the editor that wrote one is no longer running.
#pragma once

#include "model/model_file.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

struct Editor;

constexpr const char* kAutosaveVariable = "FACETWRIGHT_AUTOSAVE_SECONDS";
constexpr int64_t kAutosaveSecondsDefault = 30;

// What a background write found; read by the editor's thread only once the worker has ended.
struct RecoveryOutcome {
    bool wrote = false;   // the copy now holds the stamp below
    bool removed = false; // the model matched its file, so no copy is left
    uint64_t stamp = 0;
    std::string error; // why a write failed
};

// One editor's recovery copy, named by the process id and its start time, so that editors
// running at once (and a later process given the same id) never share a name.
struct Recovery {
    std::string folder;  // "<per-user folder>Recovery/"; empty until startRecovery
    std::string ownPath; // folder + "<pid>-<start ticks>.FW2"
    int64_t intervalMs = kAutosaveSecondsDefault * 1000; // 0: no recovery copies
    int64_t lastCheckMs = 0;
    uint64_t lastDigest = 0; // modelRecordsDigest at the last snapshot
    bool haveDigest = false;
    uint64_t writtenStamp = 0; // the model stamp the copy holds
    bool haveWritten = false;

    // The records the worker writes; kept between writes, so a later copy reuses its memory
    // instead of faulting in fresh pages on the editor's thread.
    ModelRecords snapshot;
    std::thread worker;
    std::atomic<bool> workerDone{false};
    RecoveryOutcome outcome;

    Recovery() = default;
    Recovery(const Recovery&) = delete;
    Recovery& operator=(const Recovery&) = delete;
    ~Recovery(); // waits for a write in progress
};

// The recovery folder and this process's copy name; the interval from FACETWRIGHT_AUTOSAVE_SECONDS
// (whole seconds, 0 for none; anything else keeps 30).
void startRecovery(Editor& editor);
// Offers, newest first, each copy left by an editor that is no longer running, in a "Recover
// Unsaved Work" box (the model's name and the copy's time; Yes is the default). Yes opens it
// under the model's own name, marked changed, and stops; No deletes it. A copy is claimed (renamed
// to this process's name) before it is offered, so two editors starting at once never offer the
// same one.
void offerRecovery(Editor& editor);
// Called every pass of the main loop: at most once per interval, while the model differs from its
// file, its records are copied and written on a worker thread through a temporary file renamed
// over the copy, so the window never waits for the disk and a copy is never half written;
// a model that matches its file again loses its copy.
void stepRecovery(Editor& editor, int64_t nowMs);
// The model matches its file or its changes were thrown away: waits for a write in progress and
// deletes this process's copy. Also done at a clean exit.
void dropRecoveryCopy(Recovery& recovery);

// ---- Pieces, for tests ----

// Whether the process that wrote a copy of this name is still a running editor: its process id
// is alive with the same start time and the same program name as this one.
bool recoveryOwnerRunning(const std::string& fileName);
// "<pid>-<start ticks>.FW2" for this process.
std::string ownRecoveryName();
