#pragma once
// The per-calculation bird values: one BirdParams per CalcMode slot
// (0 Enter Bird, 1 power curve, 2 migration, 3 glide polar). All singles.
namespace ornivo {

struct BirdParams {
    float EmptyMass = 0;       // kg, body mass with the crop empty
    float CropMass = 0;        // kg, crop contents or external load
    float AllUpMass = 0;       // kg, EmptyMass + CropMass
    float MuscleFrac = 0;      // flight muscle fraction
    float MuscleMass = 0;      // kg
    float FatFrac = 0;         // fat fraction
    float FatMass = 0;         // kg
    float CropFrac = 0;        // CropMass / AllUpMass
    float AirframeMass = 0;    // kg, EmptyMass - FatMass - MuscleMass
    float AirframeFrac = 0;    // AirframeMass / AllUpMass
    float FuelFrac = 0;        // fat-plus-protein fuel fraction
    float Span = 0;            // m
    float WingArea = 0;        // sq m
    float AspectRatio = 0;     // Span^2 / WingArea
    float MeanChord = 0;       // m, WingArea / Span
    float DiscArea = 0;        // sq m, actuator disc Pi Span^2 / 4
    float Pbmr = 0;            // W, basal metabolic rate
    float EtaPbmr = 0;         // W, Eta x Pbmr
    float Sbody = 0;           // sq m, body frontal area
    float BodyDiameter = 0;    // m, 0.102 AllUpMass^(1/3)
    float Cdb = 0;             // body drag coefficient
    float Cdw = 0;             // wing profile drag coefficient (gliding)
    float BodyDragArea = 0;    // sq m, Sbody x Cdb x PayDragFactor
    float Gravity = 0;         // m/s^2; slot 0 the setting, slots 1-3 the effective gravity
    float PowerFracBound = 0;  // power fraction in bounding flight, 0.2 to 1
    float PowerFracFG = 0;     // power fraction in flap-gliding, 0.05 to 1
    float WbeatFreq = 0;       // Hz; slot 0 holds the reference frequency WbeatFreqRef
    float FredVmp = 0, FredVmr = 0;                // reduced frequency at Vmp, Vmr
    float ReWingVmp = 0, ReWingVmr = 0;            // wing Reynolds numbers at Vmp, Vmr
    float ReBodyVmp = 0, ReBodyVmr = 0;            // body Reynolds numbers at Vmp, Vmr
    float ReWingVms = 0, ReWingVbg = 0;            // wing Reynolds numbers at Vms, Vbg
    float ReBodyVms = 0, ReBodyVbg = 0;            // body Reynolds numbers at Vms, Vbg
    float BoundPeriod = 0;     // s, bound period entered
    float BoundHeight = 0;     // m, bound height found
};

}  // namespace ornivo
