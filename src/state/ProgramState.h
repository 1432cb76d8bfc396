#pragma once
// The one in-memory store that every screen, engine and writer reads and writes.
// Created by whoever runs the program (desktop, CLI, test) and passed by reference.
#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "state/BirdParams.h"
#include "state/EditMarks.h"
#include "state/GlideResults.h"
#include "state/GpsResults.h"
#include "state/LastBird.h"
#include "state/MigrationResults.h"
#include "state/OutputState.h"
#include "state/PowerCurveResults.h"

namespace ornivo {

enum CalcModes : int16_t { ModeEnterBird = 0, ModePowerCurve = 1, ModeMigrate = 2, ModeGlide = 3 };

struct ProgramState {
    // ---- Results of the calculations, and the workbook the runs go into ----
    PowerCurveResults Flap;       // power curve: working values, speeds, powers and the curve table
    GlideResults Glide;           // glide polar: speeds, sinks, tables and the gliding settings
    MigrationResults Migration;   // migration: settings, the bird in flight, tables and records
    GpsResults Gps;               // migration along a track: the track, stops, sites and totals
    OutputState Output;           // the result workbook collecting the runs until saved

    // ---- Per-calculation slots ----
    int16_t CalcMode = 0;  // 0 Enter Bird, 1 power curve, 2 migration, 3 glide polar
    std::array<BirdParams, 4> Slots{};
    // The slot of CalcMode (or of an explicit mode); an index outside 0..3 throws.
    BirdParams& slot() { return slot(CalcMode); }
    const BirdParams& slot() const { return slot(CalcMode); }
    BirdParams& slot(int mode) { return Slots.at(checkedMode(mode)); }
    const BirdParams& slot(int mode) const { return Slots.at(checkedMode(mode)); }

    // ---- Constants and settings held once (singles unless marked) ----
    float AirDensity = 0;        // kg/cu m, used by every calculation
    float RelDensity = 0;        // AirDensity / 1.225
    float Altitude = 0;          // m in the standard atmosphere
    float KinViscosity = 0;      // sq m/s
    float PayDragFactor = 1;     // payload drag factor
    float Kflap = 1.2f;          // induced power factor, flapping
    float Kglide = 1.1f;         // induced drag factor, gliding
    float ClMax = 1.8f;          // maximum lift coefficient
    float PlanformSlope = 1;     // planform slope (gliding)
    float Bstop = 5;             // wing-span reduction constant (gliding)
    float Cprof = 8.4f;          // profile power constant
    float X1 = 0;                // profile power ratio, Cprof / AspectRatio
    float Resp = 1.1f;           // respiration factor
    float Eta = 0.23f;           // conversion efficiency
    float Kmito = 1.2e-6f;       // cu m/W, mitochondria inverse power density
    float MuscleDensity = 1060;  // kg/cu m
    float SigmaMax = 560000;     // N/sq m, maximum isometric stress of myofibrils
    float Lambda = 0.26f;        // active strain of flight muscles
    float PbmrFactor = 1, FreqFactor = 1, FrontalAreaFactor = 1;  // multipliers
    float Efat = 3.9e7f;         // J/kg, energy density of fat
    float Eprotein = 1.83e7f;    // J/kg, energy density of dry protein
    float ProtHydr = 2.2f;       // water mass per dry protein mass
    float EwetProtein = 0;       // J/kg, Eprotein / (1 + ProtHydr)
    float ProtFracTarget = 0.05f;// fraction of fuel energy from protein
    float Efuel = 0;             // J/kg, mixed fuel energy density
    float FatHeightConst = 0, FuelHeightConst = 0;  // m
    double FuelMass = 0;         // kg, fat-plus-protein fuel mass (a variant)
    float FatEnergyHeight = 0, FuelEnergyHeight = 0;  // m
    float GoalDist = 0;          // km, migration goal distance
    double ExistenceRatio = 3;   // stopover expenditure as multiple of BMR
    double FeedQ = 0;            // stopover intake as multiple of BMR
    double Pi = 3.14159265358979323846;  // 4 atan(1)
    int16_t TaxonGroup = 2;      // 1 passerine, 2 non-passerine
    int16_t Sex = 1;             // 1 both, 2 male, 3 female, 4 unknown
    int16_t Age = 1;             // 1 adult, 2 immature, 3 unknown
    int16_t FlightStyle = 1;     // 1 continuous flapping, 2 flap-gliding, 3 bounding
    int16_t SigDigits = 3;       // significant digits of output numbers, 3 or 4
    std::string SpName, ShortName;

    // Air density calculator inputs.
    float Baro = 0;                 // mb (hPa)
    float AirTemp = 0;              // degrees C
    float HeightAboveObserver = 0;  // m

    // ---- Flags ----
    bool LastBirdValid = false;
    bool KeepFactors = false;
    bool UseTextFiles = false;
    bool ResizeScreens = true;
    bool PrintedFlag = false;
    EditMarks Marks;
    LastBirdRecord LastBird;

    // ---- Start-up and output settings ----
    std::string OutDrive;           // output root folder (stands for the output drive)
    std::string ProgramFolder;      // folder of the program (Data/, XLTemplates/, Manual/ below it)
    float VersionNumber = 0;        // major + minor / 10 + revision / 100
    std::string VersionLine;        // "Computed by Ornivo Version " + the project version (VersionText)
    std::array<std::string, 4> NoticeLines;
    std::string LastOutputFolder;   // folder of the current output file, with a trailing separator
    std::string OutPath;            // full path of the last file saved
    std::string OutFileName;        // base name of the current output file
    int16_t OutputCount = 0;        // runs saved into the current output file
    int16_t WorkbookUnsaved = 0;    // 1 while a result workbook waits to be saved
    std::string Comment;            // comment of the run being saved
    double ScreenScaleX = 1, ScreenScaleY = 1;

    // ---- Graph mapping (pixels) ----
    float GraphX0 = 0, GraphXScale = 0, GraphY0 = 0, GraphYScale = 0;
    int16_t GraphTop = 0;
    float MechPlotY0 = 0, MechPlotYScale = 0;
    int16_t MechPlotTop = 0;

private:
    static int checkedMode(int mode) {
        if (mode < 0 || mode > 3) throw std::out_of_range("CalcMode outside 0 to 3");
        return mode;
    }
};

}  // namespace ornivo
