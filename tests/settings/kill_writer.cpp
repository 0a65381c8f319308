// The writer process of the crash-safety test: binds the settings file given as its argument
// (a UTF-8 path), reports "R" on its standard output, then performs the edit script.
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "kill_script.h"
#include "text/charset.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        return 2;
    }
    const int steps = argc > 2 ? std::atoi(argv[2]) : yc::test::kKillScriptSteps;
    yc::settings::SettingsStore store;
    if (!store.Bind(yc::text::utf8ToGbk(argv[1]), 0)) {
        return 3;
    }
    if (::write(STDOUT_FILENO, "R", 1) != 1) {
        return 4;
    }
    for (int step = 0; step < steps; ++step) {
        yc::test::performKillScriptStep(store, step);
    }
    store.Destroy();
    return 0;
}
