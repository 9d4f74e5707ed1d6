// Writing the files of one export (a model file and what sits beside it) with one failure report.
#pragma once

#include "model/file_result.h"
#include "model/model.h"

#include <string>
#include <utility>
#include <vector>

// (path, content) pairs; the main file comes last, so a failure never leaves it naming files
// that were not written.
using ExportFiles = std::vector<std::pair<std::string, std::string>>;

// Writes every file through a temporary file renamed over it. Logs "Opening <kind> File for
// Saving" and the main path; on failure logs why and returns a box naming the file that failed.
FileResult writeExportFiles(const Model& m, const char* kind, const ExportFiles& files);
