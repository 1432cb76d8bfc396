// --format text of power-curve, glide-polar and migrate: the block that the run would append to its
// text file, for one run. Without --out it goes to standard output with "Saved in: -"; with --out
// FILE the file is written as the first run of a file would be (created, replacing any file there).
#include <iostream>

#include "cli/CalcOutput.h"
#include "output/FlapTextBlock.h"
#include "output/GlideTextBlock.h"
#include "output/MigrationTextBlock.h"
#include "output/TextRunOutput.h"

namespace ornivo::cli {
namespace {

int writeTextBlock(ProgramState& s, const CalcOptions& opt, output::TextBlockFn block) {
    s.Comment = opt.comment.value_or("");
    s.OutputCount = 1;
    if (!opt.out) {
        s.OutPath = std::string(1, '-');  // "Saved in: -"
        std::cout << block(s) << std::flush;
        return ExitOk;
    }
    s.OutPath = *opt.out;
    const std::string err = output::WriteTextFile(*opt.out, block(s), false);
    if (!err.empty()) {
        std::cerr << "cannot write " << *opt.out << ": " << err << "\n";
        return ExitFailure;
    }
    return ExitOk;
}

}  // namespace

OutputWriter TextFormatWriter(const std::string& calculation) {
    const output::TextBlockFn block = calculation == "power-curve"   ? output::FlapTextBlock
                                      : calculation == "glide-polar" ? output::GlideTextBlock
                                                                     : output::MigrationTextBlock;
    return [block](ProgramState& s, RunDialogs&, const CalcOptions& o) { return writeTextBlock(s, o, block); };
}

}  // namespace ornivo::cli
