#pragma once
#include <cstdint>
#include <vector>

namespace ornivo {

// Working values and results of the power-curve engine, held in the program state.
struct PowerCurveResults {
    // Working values, overwritten by each evaluation of PowerAtSpeed / MusclePerformance.
    float Pam = 0;               // W, absolute minimum power (no profile power)
    float Ppro = 0;              // W, profile power
    float PminExact = 0;         // W, (1 + X1) x Pam
    float Pmech = 0;             // W, mechanical power
    float Pchem = 0;             // W, chemical power
    float EffLD = 0;             // effective lift:drag ratio (mechanical)
    float EffLDChem = 0;         // effective lift:drag ratio (chemical)
    float InducedVelocity = 0;   // m/s
    float DownwashAngle = 0;     // degrees
    float SpecificPower = 0;     // W/kg of muscle
    float MitoFrac = 0;          // mitochondria fraction of flight muscle
    float MitoMass = 0;          // kg
    float MyofibrilMass = 0;     // kg
    float SpecificWork = 0;      // J/kg of myofibrils
    float MyoSpecificPower = 0;  // W/kg of myofibrils
    float MitoFracClimbNow = 0;  // mitochondria fraction for maximal climb
    float MaxSpecificWork = 0;   // J/kg
    float ClimbRate = 0;         // m/s

    // Results.
    float VmpExact = 0, VmrExact = 0;  // m/s, from the Newton iterations
    float Vmp = 0, Vmr = 0;            // m/s, on the 0.1 m/s scan (published values)
    float PmechMin = 0, PchemMin = 0, NchemVmp = 0, QVmp = 0, DownwashVmp = 0;
    float MitoFracVmp = 0, MitoFracClimb = 0;
    float PmechVmr = 0, PchemVmr = 0, NchemMax = 0, QVmr = 0, DownwashVmr = 0;
    float MitoFracCruise = 0;
    float MaxClimb = 0;                // m/s, largest climb rate on the scan
    // PowerCurveTable[row][speed]: rows 0..10 (quantity), columns 0..CurveLastIndex (whole m/s).
    std::vector<std::vector<float>> PowerCurveTable;
    int16_t CurveFirstSpeed = 0, CurveLastIndex = 0, CurveLastRow = 0;
    bool UncertDone = false;           // rows 6 to 9 hold uncertainties
    float VmpUncert = 0;               // m/s, uncertainty of Vmp
};

}  // namespace ornivo
