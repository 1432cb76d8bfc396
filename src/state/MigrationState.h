#pragma once
// The working record of a migration run: the bird in flight (its own copies of the masses; slot 2
// keeps the values at the start), its speeds, muscle state and energy accounts.
#include <cstdint>

namespace ornivo {

struct MigrationState {
    // Speeds (m/s).
    float Speed = 0;            // current true air speed
    float Vmp = 0, Vmr = 0;     // current minimum-power and maximum-range speeds
    float VmrRatio = 0;         // Vmr / Vmp at the start
    float StartSpeed = 0;       // Vratio x Vmp at the start
    int16_t SpeedBelowVmr = 0;  // true (-1) until Standard speed control caps the speed at Vmr
    // Wingbeat.
    float WbeatFreq0 = 0, WbeatFreq = 0;  // Hz, at the start and now
    float ReducedFreq = 0;                // WbeatFreq x Pi x MeanChord[2] / Speed
    // Time and output rows.
    int32_t ElapsedSec = 0;     // flight seconds
    float HoursFlown = 0;       // ElapsedSec / 3600
    int32_t Row = 0;            // current output row (a GPS run has one per fix and stop)
    int16_t EndColumn = 0;      // 0 arrival, 1 out of fuel
    // Masses (kg): at the start, and the bird in flight now.
    float AllUpMass0 = 0, FatMass0 = 0, MuscleMass0 = 0, AirframeMass0 = 0;
    float AllUpMass = 0, MuscleMass = 0, FatMass = 0, CropMass = 0, AirframeMass = 0;
    // Fractions of AllUpMass now.
    float FatFrac = 0, FuelFrac = 0, CropFrac = 0, MuscleFrac = 0;
    float FuelEnergyHeight0 = 0;  // m, at the start
    int16_t SavedStyle = 1;       // FlightStyle at the start
    // Body.
    float Sbody = 0;         // sq m, frontal area
    float BodyDiameter = 0;  // m
    float BodyDragArea = 0;  // sq m
    // Energy since the start (J).
    float BmrEnergy = 0, FatEnergy = 0, ProteinEnergy = 0, FuelEnergy = 0;
    float ProteinShare = 0;  // ProteinEnergy / FuelEnergy
    float ReWing = 0, ReBody = 0;
    // Flight muscles.
    float MuscleSpecificPower = 0;                   // W/kg of muscle (climb power excluded)
    float MitoFrac = 0, MitoFracTarget = 0;          // mitochondria fraction now, and held (MitoControl 1)
    float MitoMass = 0, MitoMassPrev = 0;            // kg, now and before the last adjustment
    float MyofibrilMass = 0, MyofibrilMassConst = 0; // kg, now and held (MuscleControl 3)
    float SpecificWork = 0, SpecificWorkTarget = 0;  // J/kg per cycle, now and held
    float MyoSpecificPower = 0, MyoSpecificPowerTarget = 0;  // W/kg of myofibrils, now and held
    float StepEnergy = 0;       // J, fuel energy of the last step or climb second
    int32_t ClimbSeconds = 0;   // seconds of the initial climb
    float MaxPowerMech = 0, MaxPowerChem = 0;  // W, fixed at the start
    double ClimbRateInPower = 0;  // m/s charged in the power (0 in a programmed run)
    float ProteinToMuscle = 0.8f; // share of stop protein given to or taken from the flight muscles
};

}  // namespace ornivo
