#pragma once
// The two ways a scripted run ends early: an input the run cannot read (a usage error) and a refusal
// of the program (its message lines).
#include <stdexcept>
#include <string>
#include <vector>

namespace ornivo::api {

// Exit codes of the command-line contract, also the outcome codes of the run functions.
constexpr int ExitOk = 0;
constexpr int ExitFailure = 1;  // unreadable file, bad JSON, bad arguments
constexpr int ExitRefused = 2;  // a refusal of the program

// An input that cannot be read: an unknown key or control, a malformed value, an unreadable file.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A refusal found away from the run's own code (a message under strict runs), with its lines.
struct Refusal : std::runtime_error {
    explicit Refusal(std::vector<std::string> l) : std::runtime_error(l.empty() ? "refused" : l.front()), lines(std::move(l)) {}
    std::vector<std::string> lines;
};

}  // namespace ornivo::api
