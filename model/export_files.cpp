// Writing the files of one export with one failure report.
#include "model/export_files.h"

#include "base/safe_file.h"

#include <new>

FileResult writeExportFiles(const Model& m, const char* kind, const ExportFiles& files) {
    logEntry(m.log, std::string("Opening ") + kind + " File for Saving");
    if (!files.empty()) logEntry(m.log, files.back().first);
    for (const auto& file : files) {
        std::string why;
        bool written = false;
        try {
            written = writeFileSafely(file.first, file.second, &why);
        } catch (const std::bad_alloc&) {
            why = "not enough memory";
        }
        if (written) continue;
        logEntry(m.log, "Saving failed: " + file.first + (why.empty() ? "" : ": " + why));
        FileResult r =
            fileFailed("Failed to Open File for Saving!",
                       std::string("The ") + kind + " file could not be written", file.first);
        if (!why.empty()) r.boxText += "\n" + why;
        return r;
    }
    return fileSucceeded();
}
