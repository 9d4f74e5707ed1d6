// Start-up, the main loop with its frame pacing, and shutdown.
#pragma once

#include "app/editor.h"

#include <cstdint>
#include <string>

constexpr const char* kWindowTitle = "Facetwright v2.6";

// The model file named on the command line: one surrounding pair of double quotes removed.
std::string commandLineFileName(const std::string& commandLine);

// Milliseconds to sleep after a frame: 1000 / targetFramerate + frameClock - now when that is
// 6 to 999, else 0.
int frameSleep(int targetFramerate, int64_t frameClock, int64_t now);
// Frame clock, frame counter and the measured rate after a frame ended at now.
void countFrame(FrameClock& clock, int64_t now);

// Everything up to the main loop: per-user directory, log, window, default files,
// configuration, OpenGL and interface state, models, the update check. False when the window
// could not be made (the reason has been shown).
bool startEditor(Editor& editor, const std::string& commandLine);
// Dispatches window events and renders frames until the window is closed.
void runMainLoop(Editor& editor);
// Writes the configuration, closes the log and destroys the window.
void shutdownEditor(Editor& editor);

// The whole run; the process exit status.
int runEditor(Platform& platform, const std::string& commandLine);
