// Runs the scenario runner on one script as a separate process, and stops it when it hangs.
#pragma once

#include <string>

namespace sg {

struct ScriptRun {
    bool timedOut = false;
    int signal = 0;  // the signal that ended it, 0 when it exited
    int status = -1; // the exit status when it exited
    std::string out, err;
    double seconds = 0;
};

// `runner --dir folder [--decimal-separator ,] script`, its output collected in `outFile` and
// `errFile`; killed after `timeoutSeconds`.
ScriptRun RunScript(const std::string& runner, const std::string& folder, char separator,
                    const std::string& script, const std::string& outFile,
                    const std::string& errFile, double timeoutSeconds);

} // namespace sg
