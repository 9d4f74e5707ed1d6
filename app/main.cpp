// Entry point: the Qt application and platform, then the editor's run.
#include "app/startup.h"
#include "platform/qt/qt_platform.h"

#include <QApplication>
#include <string>

int main(int argc, char** argv) {
    auto app = createQtApplication(argc, argv);
    QtPlatform platform;
    // The model file may arrive split at blanks when it was not quoted; take the whole line.
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += ' ';
        commandLine += argv[i];
    }
    return runEditor(platform, commandLine);
}
