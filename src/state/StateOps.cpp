#include "state/StateOps.h"

#include <cctype>
#include <cmath>
#include <filesystem>

#include "state/numtext.h"

namespace ornivo {

void SaveLastBird(ProgramState& s) {
    const BirdParams& b = s.slot();
    LastBirdRecord& L = s.LastBird;
    L.SpName = s.SpName;
    L.ShortName = s.ShortName;
    L.EmptyMass = b.EmptyMass;
    L.CropMass = b.CropMass;
    L.Span = b.Span;
    L.WingArea = b.WingArea;
    L.AirDensity = s.AirDensity;
    L.MuscleFrac = b.MuscleFrac;
    L.FatFrac = b.FatFrac;
    L.TaxonGroup = s.TaxonGroup;
    L.Sex = s.Sex;
    L.Age = s.Age;
    L.Cprof = s.Cprof;
    L.PbmrFactor = s.PbmrFactor;
    L.ExistenceRatio = s.ExistenceRatio;
    L.FreqFactor = s.FreqFactor;
    L.FrontalAreaFactor = s.FrontalAreaFactor;
    L.Cdb = b.Cdb;
    L.Cdw = b.Cdw;
    L.Kflap = s.Kflap;
    L.Kglide = s.Kglide;
    L.Kmito = s.Kmito;
    L.Resp = s.Resp;
    L.Eta = s.Eta;
    L.Efat = s.Efat;
    L.Eprotein = s.Eprotein;
    L.ProtHydr = s.ProtHydr;
    L.ProtFracTarget = s.ProtFracTarget;
    L.ClMax = s.ClMax;
    L.PlanformSlope = s.PlanformSlope;
    L.Bstop = s.Bstop;
    L.Gravity0 = s.slot(0).Gravity;
    s.LastBirdValid = true;
}

void ClearEditMarks(ProgramState& s) { s.Marks.clearKeepingFactors(); }

float MixedFuelEnergy(const ProgramState& s) {
    const double ew = s.EwetProtein, ef = s.Efat, p = s.ProtFracTarget;
    return static_cast<float>(ew * ef / (p * ef + (1 - p) * ew));
}

void UpdateEnergyHeightConstants(ProgramState& s) {
    const double g0 = s.slot(0).Gravity;
    s.FuelHeightConst = static_cast<float>(double(s.Efuel) * s.Eta / g0);
    s.FatHeightConst = static_cast<float>(double(s.Efat) * s.Eta / g0);
}

void LoadEnergyConstants(ProgramState& s) {
    const double g0 = s.slot(0).Gravity;
    s.Efat = 3.9e7f;
    s.FatHeightConst = static_cast<float>(double(s.Efat) * s.Eta / g0);
    s.Eprotein = 1.83e7f;
    s.ProtHydr = 2.2f;
    s.EwetProtein = static_cast<float>(double(s.Eprotein) / (1 + double(s.ProtHydr)));
    s.ProtFracTarget = 0.05f;
    s.Efuel = MixedFuelEnergy(s);
    s.FuelHeightConst = static_cast<float>(double(s.Efuel) * s.Eta / g0);
}

void UpdateEnergyHeights(ProgramState& s) {
    BirdParams& b = s.slot();
    s.FuelMass = (double(s.Efat) / s.EwetProtein * s.ProtFracTarget + 1) * b.FatMass;
    b.FuelFrac = static_cast<float>(s.FuelMass / b.AllUpMass);
    s.FuelEnergyHeight = static_cast<float>(double(s.FuelHeightConst) * std::log(1 / (1 - double(b.FuelFrac))));
    s.FatEnergyHeight = static_cast<float>(double(s.FatHeightConst) * std::log(1 / (1 - double(b.FatFrac))));
}

double ArcCos(double x) {
    if (x >= 1) return 0;  // includes rounding just above 1
    if (x < -1) x = -1;  // -1 / 0 gives atan(-inf) = -pi/2
    return 1.5708 - std::atan(x / std::sqrt(1 - x * x));
}

std::string ProperCase(const std::string& text) {
    std::string out = text;
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<char>(i == 0 ? std::toupper(static_cast<unsigned char>(out[i]))
                                          : std::tolower(static_cast<unsigned char>(out[i])));
    return out;
}

bool FolderExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_directory(path, ec);
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

int16_t GraphX(const ProgramState& s, double x) {
    return CInt(RoundHalfEven(double(s.GraphXScale) * x) + s.GraphX0);
}

int16_t GraphY(const ProgramState& s, double y) {
    return CInt(double(s.GraphY0) - RoundHalfEven(double(s.GraphYScale) * y));
}

}  // namespace ornivo
