#pragma once
// The ornivo-cli command registry: each call (power-curve, density, ...) lives in its own file and
// registers itself, so adding a call touches no other file.
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "api/Errors.h"

namespace ornivo::cli {

// The run machinery the calls are built on.
using namespace ::ornivo::api;

using CommandFn = std::function<int(const std::vector<std::string>& args)>;

struct CommandInfo {
    std::string name;   // "power-curve", "density", "birds", ...
    std::string usage;  // the usage line(s), printed by --help before the call's contract (CallHelp)
    CommandFn run;
};

// The contract of a call that its --help prints after the usage: what it reads, its options, what
// it prints and its exit statuses.
std::string CallHelp(const std::string& name);

bool RegisterCommand(CommandInfo info);
const std::vector<CommandInfo>& Commands();

// Small argument helpers: "--flag VALUE" lookups over the call's arguments.
class Args {
public:
    explicit Args(std::vector<std::string> a) : a_(std::move(a)) {}
    bool has(const std::string& flag) const;
    // The value after flag, or nothing; a flag given without a value is a UsageError.
    std::optional<std::string> value(const std::string& flag) const;
    // A number after flag, read strictly (the whole text must be a number); UsageError when malformed.
    std::optional<double> number(const std::string& flag) const;
    // Positional arguments (not flags or flag values); valueFlags lists the flags that take a value.
    std::vector<std::string> positional(const std::vector<std::string>& valueFlags) const;
    const std::vector<std::string>& all() const { return a_; }

private:
    std::vector<std::string> a_;
};

// Strict number parsing for command-line values (throws UsageError naming what).
double ParseNumber(const std::string& text, const std::string& what);

}  // namespace ornivo::cli

#define ORNIVO_CLI_COMMAND(ident, name, usage, fn) \
    static const bool ornivo_cli_registered_##ident = ::ornivo::cli::RegisterCommand({name, usage, fn})
