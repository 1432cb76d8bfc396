#pragma once
// Runs the command-line program as a child process for end-to-end tests.
#include <string>
#include <vector>

struct RunResult {
    int exitCode = -1;   // process exit code; -1 if it did not exit normally
    std::string out;     // everything written to standard output
    std::string err;     // everything written to standard error
    int signal = 0;      // the signal that ended the process, 0 if it exited
    bool timedOut = false;  // killed because it ran past the time limit
};

// Runs ornivo-cli (ORNIVO_CLI_PATH) with the given arguments, feeding stdinText to
// its standard input, and waits for it to finish. Arguments are passed as they are,
// without a shell, so they need no quoting. With timeoutSeconds > 0 a child still running after
// that long is killed (SIGKILL) and the result says timedOut.
RunResult RunCli(std::vector<std::string> args, std::string stdinText = {}, double timeoutSeconds = 0);

// Same, for any program.
RunResult RunProgram(const std::string& program, std::vector<std::string> args,
                     std::string stdinText = {}, double timeoutSeconds = 0);
