#pragma once
#include <cstdint>
#include <vector>

namespace ornivo {

// Results of the glide-polar engine and the gliding settings of its setup screen, held in the
// program state. The flapping comparison values (PchemMin, NchemVmp, PchemVmr, NchemMax, VmpExact,
// VmrExact, Ppro, Pam, PminExact) are those of PowerCurveResults; the Reynolds numbers at Vms and
// Vbg are per slot (BirdParams).
struct GlideResults {
    float Vstall = 0;                                   // m/s, stall speed
    float Vms = 0, VmsEAS = 0;                          // m/s, minimum sink speed (true, equivalent)
    float MinSink = 0, GlideRatioVms = 0, ClVms = 0;    // at Vms: sink (m/s), glide ratio, lift coefficient
    float Vbg = 0, VbgEAS = 0;                          // m/s, best glide speed (true, equivalent)
    float SinkVbg = 0, BestGlideRatio = 0, ClVbg = 0;   // at Vbg: sink (m/s), glide ratio, lift coefficient
    float CircleRadius = 0;                             // m, circling at 24 degrees of bank at ClVms
    float SinkLast = 0;                                 // m/s, sink at the last speed of the scan
    float PchemTonic = 0;                               // W, tonic pectoralis muscle
    float PchemGlide = 0;                               // W, PchemTonic + Pbmr
    float JperFlap = 0;                                 // J, fuel energy per wingbeat
    float MetSink = 0;                                  // m/s, sink that would supply the BMR
    // GlidePolarTable[k][0..2]: span ratio, sinking speed (m/s), glide ratio at the whole speed k m/s;
    // rows 0 to PolarRowLimit.
    std::vector<std::vector<float>> GlidePolarTable;
    // MacCreadyTable[r][0..4] for the mean climb rate r x 0.5 m/s (rows 1 to 6; row 0 zero):
    // Vit(opt), Vcc(max), its effective L:D, Vcc(bg), its effective L:D.
    std::vector<std::vector<float>> MacCreadyTable;
    int16_t PolarFirstRow = 0, PolarRowLimit = 0, PolarLastRow = 0;

    // Settings of the glide setup screen, reset whenever it loads.
    float TonicMuscFrac = 0.015f;  // tonic pectoralis mass / empty body mass
    int16_t SpanLaw = 1;           // span reduction: 1 linear, 2 minimum drag
};

}  // namespace ornivo
