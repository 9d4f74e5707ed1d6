// Writing the default model, configuration and preview model files when they are missing.
#pragma once

#include "base/log.h"

#include <string>

// Checks the five default files in start-up order and writes each one that is missing into
// userDir (which ends in '/'). An existing file is never touched, whatever it holds; a file that
// cannot be written is left out and the rest go on.
void writeMissingDefaultFiles(const std::string& userDir, const LogChannel& log);
