#pragma once

namespace ornivo {

// Settings, working record and results of a migration run, held in the program state
// (filled in by the migration engine).
struct MigrationResults {
};

}  // namespace ornivo
