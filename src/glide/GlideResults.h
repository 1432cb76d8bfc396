#pragma once

namespace ornivo {

// Results of the glide-polar engine, held in the program state (filled in by the glide engine).
struct GlideResults {
};

}  // namespace ornivo
