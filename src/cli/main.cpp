// ornivo-cli: the calculator's command-line face. Each call is registered by its own file.
#include <algorithm>
#include <iostream>

#include "cli/Command.h"
#include "output/OutputTree.h"
#include "state/numtext.h"

using namespace ornivo::cli;

static void printUsage(std::ostream& out) {
    out << "Usage: ornivo-cli CALL [ARGUMENTS]   (ornivo-cli CALL --help for one call)\n\nCalls:\n";
    for (const auto& c : Commands()) out << "  " << c.usage << "\n";
    out << "  --version\n";
}

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        printUsage(args.empty() ? std::cerr : std::cout);
        return args.empty() ? ExitFailure : ExitOk;
    }
    if (args[0] == "--version") {
        std::cout << "ornivo-cli " << ornivo::VersionText() << "\n";
        return ExitOk;
    }
    for (const auto& c : Commands()) {
        if (c.name != args[0]) continue;
        std::vector<std::string> rest(args.begin() + 1, args.end());
        // --help anywhere in the call ("track import --help", "batch migrate --help") asks for its help.
        if (std::find(rest.begin(), rest.end(), "--help") != rest.end() ||
            std::find(rest.begin(), rest.end(), "-h") != rest.end()) {
            std::cout << "Usage: ornivo-cli " << c.usage << "\n\n" << CallHelp(c.name);
            return ExitOk;
        }
        try {
            return c.run(rest);
        } catch (const Refusal& e) {
            for (const auto& l : e.lines) std::cerr << l << "\n";
            return ExitRefused;
        } catch (const ornivo::NumberTextError& e) {
            // Values that overflow or have no number (NaN) are refused, never shown or written.
            std::cerr << "ornivo-cli " << c.name << ": " << e.what()
                      << ": a value of the calculation is out of range (check the values given)\n";
            return ExitRefused;
        } catch (const ornivo::OverflowError& e) {
            std::cerr << "ornivo-cli " << c.name << ": " << e.what()
                      << ": a value of the calculation is out of range (check the values given)\n";
            return ExitRefused;
        } catch (const UsageError& e) {
            std::cerr << "ornivo-cli " << c.name << ": " << e.what() << "\n";
            return ExitFailure;
        } catch (const std::exception& e) {
            std::cerr << "ornivo-cli " << c.name << ": " << e.what() << "\n";
            return ExitFailure;
        }
    }
    std::cerr << "ornivo-cli: unknown call \"" << args[0] << "\" (try --help)\n";
    return ExitFailure;
}
