#pragma once
// Settings, working record, tables and results of a migration run, held in the program state.
// Power values (Pmech, Pchem, EffLD, EffLDChem, Ppro, ClimbRate, MaxSpecificWork) are those of the
// power-curve record (ProgramState::Flap), shared with the power-curve engine.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "state/MigrationState.h"

namespace ornivo {

// Quantities of a StateLog / EndStates record.
constexpr int RecordSize = 28;
// Columns of the row tables (column 0 unused).
constexpr int TableColumns = 12;

// A row table: rows of TableColumns singles (column 0 unused), held in one block so that a long GPS run
// (a row per fix) costs its numbers and nothing more. t[row][column] reads and writes a cell.
class MigrationTable {
public:
    using Row = std::span<float, TableColumns>;
    using ConstRow = std::span<const float, TableColumns>;

    std::size_t size() const { return cells_.size() / TableColumns; }
    bool empty() const { return cells_.empty(); }
    // `rows` rows, all zero.
    void assign(std::size_t rows) { cells_.assign(rows * TableColumns, 0.0f); }
    // Grows (with zero rows) or shrinks to `rows` rows.
    void resize(std::size_t rows) { cells_.resize(rows * TableColumns, 0.0f); }
    void reserve(std::size_t rows) { cells_.reserve(rows * TableColumns); }

    Row operator[](std::size_t row) { return Row(cells_.data() + row * TableColumns, TableColumns); }
    ConstRow operator[](std::size_t row) const { return ConstRow(cells_.data() + row * TableColumns, TableColumns); }
    // The cell, or 0 outside the table.
    float at(int row, int column) const {
        if (row < 0 || column < 0 || column >= TableColumns || static_cast<std::size_t>(row) >= size()) return 0;
        return cells_[static_cast<std::size_t>(row) * TableColumns + static_cast<std::size_t>(column)];
    }

private:
    std::vector<float> cells_;
};
using MigrationRecord = std::array<float, RecordSize>;

struct MigrationResults {
    // ---- Settings of the migration setup and settings screens ----
    float Vratio = 1.2f;         // starting ratio V:Vmp, 1 to 3
    float VratioGPS = 1;         // minimum V:Vmp ratio between GPS points
    int16_t SpeedControl = 3;    // 1 hold V:Vmp, 2 hold speed, 3 Standard (maximum range)
    int16_t MuscleControl = 1;   // 1 hold specific work, 2 hold specific power, 3 hold muscle mass
    int16_t MitoControl = 2;     // 1 hold mitochondria fraction, 2 hold power density in mitochondria
    double VclimbThreshold = 0.02;  // m/s, rate of climb that ends the initial climb
    float OutputInterval = 6;    // hours of flight between output rows
    float TimeStep = 6;          // minutes of flight per cruise step
    float CruiseAlt = 0, CruiseDensity = 0, CruiseKinViscosity = 0;  // m, kg/cu m, sq m/s
    float StartAltitude = 0, StartDensity = 0;                        // at take-off
    bool ClimbFlag = false;      // the run begins with a climb to CruiseAlt
    bool GpsMode = false, ProjectedMode = true, TrackEnded = false;
    bool StopMassReturn = false; // the stopover mass calculator was opened
    int16_t MaxRow = 0;          // last row of the output tables, Int(600 / OutputInterval)

    // What the migration setup screen holds that its rules read back at Start.
    struct SetupScreen {
        std::string AltCruiseText, RhoCruiseText;  // txtAltCruise, txtRhoCruise
        int16_t SpeedOption = 3;   // selected option of "Speed control method" (1 to 3)
        int16_t MuscleOption = 1;  // selected option of "Protein burn criterion" (1 to 3)
        bool ProjOption = true;    // "Programmed height and speed" selected (else GPS track)
        bool SettingsOpen = false; // the settings screen is open (its load has run)
        bool KmlChecked = false, ProgressChecked = false;  // chkKMLfile, chkProgress
    } MigScreen;

    // ---- The run ----
    MigrationState Mig;
    float Distance = 0;          // km flown
    float InitialVclimb = 0, FinalVclimb = 0;   // m/s
    float ClimbTime = 0;         // min
    float ClimbDist = 0;         // km
    float FinalGlideDist = 0;    // km
    float FinalGlideTime = 0;    // min
    float MetabolicSink = 0;     // m/s
    // W, the power at speed without the climb term (body drag plus induced and profile power): the
    // profile power and the flight muscles are sized on level flight, never on a climb or a descent.
    float Plevel = 0;
    float MitoFracStart = 0;     // mitochondria fraction for maximal climb at the start
    bool Arrived = false;        // the goal distance was reached
    int32_t RowsWritten = 0;     // last output row written
    bool ClimbAborted = false;   // the initial climb stopped at VclimbThreshold
    bool MigrationAborted = false;  // the bird could not climb at take-off: no results
    bool RowsExhausted = false;  // the run needed a row beyond MaxRow and ended there

    // Tables of rows 0..MaxRow and the records.
    MigrationTable TravelTable, PowerTable, FuelTable, GpsTable;
    std::vector<MigrationRecord> StateLog;   // one record per output row
    std::array<MigrationRecord, 2> EndStates{};  // [EndColumn][quantity]: 0 arrival, 1 out of fuel
};

}  // namespace ornivo
