// The reader of model files without a version line; for now it refuses them cleanly.
#include "model/legacy_file.h"

#include "base/numbers.h"

bool readLegacyModelFile(Model& m, std::string* error) {
    char text[kLogEntryMax + 1];
    formatC(text, sizeof text,
            "ERROR: %s - model files without a version line are not supported yet",
            m.fileName.c_str());
    logEntry(m.log, text);
    if (error) *error = text;
    return false;
}
