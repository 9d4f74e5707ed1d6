// A scratch folder with an open log and a configuration file named in it, not yet written.
#pragma once

#include "app/config.h"
#include "base/log.h"
#include "temp_files.h"

#include <string>

namespace fwtest {

struct ConfigScratch {
    std::string dir = makeScratchDir();
    LogChannel log;
    ConfigFile config;
    ConfigScratch() {
        logOpen(log, dir + "test.log");
        config.log = &log;
        config.path = dir + "Config.ini";
    }
    std::string logText() const { return readText(log.path); }
    void setFile(const std::string& text) { writeText(config.path, text); }
};

} // namespace fwtest
