#include "migrate/StopoverMass.h"

#include <array>
#include <cctype>
#include <cmath>
#include <stdexcept>
#include <cstdlib>

#include "state/ControlNames.h"
#include "state/Derived.h"
#include "state/Single.h"
#include "state/StateOps.h"
#include "state/numtext.h"

namespace ornivo::migrate {
namespace {

int64_t daysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

std::string trim(const std::string& t) {
    std::size_t a = t.find_first_not_of(" \t"), b = t.find_last_not_of(" \t");
    return a == std::string::npos ? std::string() : t.substr(a, b - a + 1);
}

bool allDigits(const std::string& t) {
    if (t.empty()) return false;
    for (char c : t) if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

std::vector<std::string> split(const std::string& t, char sep) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= t.size(); ++i)
        if (i == t.size() || t[i] == sep) {
            parts.push_back(t.substr(start, i - start));
            start = i + 1;
        }
    return parts;
}

std::optional<int64_t> parseDate(const std::string& text) {
    static const std::array<const char*, 12> months = {"jan", "feb", "mar", "apr", "may", "jun",
                                                       "jul", "aug", "sep", "oct", "nov", "dec"};
    const auto p = split(trim(text), '-');
    if (p.size() != 3) return std::nullopt;
    int y, m = 0, d;
    if (allDigits(p[0]) && p[0].size() == 4 && allDigits(p[1]) && allDigits(p[2])) {
        y = std::atoi(p[0].c_str());
        m = std::atoi(p[1].c_str());
        d = std::atoi(p[2].c_str());
    } else if (allDigits(p[0]) && allDigits(p[2]) && p[2].size() == 4 && p[1].size() >= 3) {
        d = std::atoi(p[0].c_str());
        y = std::atoi(p[2].c_str());
        std::string mon = p[1].substr(0, 3);
        for (char& c : mon) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        for (int i = 0; i < 12; ++i) if (mon == months[i]) m = i + 1;
    } else {
        return std::nullopt;
    }
    static const int mdays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m < 1 || m > 12 || d < 1 || d > mdays[m - 1]) return std::nullopt;
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    if (m == 2 && d == 29 && !leap) return std::nullopt;
    return daysFromCivil(y, static_cast<unsigned>(m), static_cast<unsigned>(d));
}

std::optional<int64_t> parseTime(const std::string& text) {
    const auto p = split(trim(text), ':');
    if (p.size() < 2 || p.size() > 3) return std::nullopt;
    for (const auto& x : p) if (!allDigits(x) || x.size() > 2) return std::nullopt;
    const int h = std::atoi(p[0].c_str()), mi = std::atoi(p[1].c_str()), se = p.size() == 3 ? std::atoi(p[2].c_str()) : 0;
    if (h > 23 || mi > 59 || se > 59) return std::nullopt;
    return int64_t(h) * 3600 + mi * 60 + se;
}

int64_t floorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

float fuelHeight(const ProgramState& s, double mass, double fat) {
    const double fuel = (double(s.Efat) / (double(s.Eprotein) / (double(s.ProtHydr) + 1)) * s.ProtFracTarget + 1) * fat;
    const float frac = f32(fuel / mass);
    return f32(double(s.FuelHeightConst) * std::log(1 / (1 - double(frac))));
}

}  // namespace

void LoadStopoverMass(ProgramState& s) { s.Migration.StopMassReturn = true; }

void StopoverRateClick(ProgramState& s, const std::string& control) {
    if (control == ctl::txtExistenceRatio) s.Marks.set(Mark::ExistenceRatio);
}

void StopoverRateEdit(ProgramState& s, const std::string& control, const std::string& text) {
    if (control == ctl::txtExistenceRatio) s.ExistenceRatio = LeadingNumber(text);
    else if (control == ctl::txtFeedQ) s.FeedQ = LeadingNumber(text);
    else throw std::invalid_argument("no rate box " + control + " on the stopover mass calculator");
}

std::optional<int64_t> StopoverMoment(const std::string& date, const std::string& time) {
    auto d = parseDate(date);
    auto t = parseTime(time);
    if (!d || !t) return std::nullopt;
    return *d * 86400 + *t;
}

std::optional<StopoverResult> ComputeStopoverMass(ProgramState& s, const StopoverForm& f, platform::Dialogs& d,
                                                  ScreenUpdate* u) {
    if (f.DateBegin.empty() || f.TimeBegin.empty() || f.MassBegin.empty() || f.FatBegin.empty()) {
        d.error({"Please supply date, time and mass estimates when stopover began"});
        return std::nullopt;
    }
    if (f.DateMoveOn.empty() || f.TimeMoveOn.empty()) {
        d.error({"Please suppy date and time stopover ends"});
        return std::nullopt;
    }
    s.ExistenceRatio = LeadingNumber(f.ExistenceText);
    s.FeedQ = LeadingNumber(f.FeedText);
    const auto begin = StopoverMoment(f.DateBegin, f.TimeBegin);
    const auto moveOn = StopoverMoment(f.DateMoveOn, f.TimeMoveOn);
    if (!begin || !moveOn) {
        d.error({"Please enter dates in the form 26-Apr-2008 and times in the form 08:00"});
        return std::nullopt;
    }
    StopoverResult r;
    const int64_t hours = floorDiv(*moveOn, 3600) - floorDiv(*begin, 3600);
    if (hours > 32767) {
        d.error({"A stopover can last at most 32767 hours"});
        return std::nullopt;
    }
    r.MassBegin = f32(LeadingNumber(f.MassBegin));
    r.FatBegin = f32(LeadingNumber(f.FatBegin));
    if (!(r.MassBegin > 0) || !(r.FatBegin >= 0) || !(r.FatBegin < r.MassBegin) || !std::isfinite(r.MassBegin)) {
        d.error({"The body mass must be greater than 0 and the fat mass from 0 to less than the body mass"});
        return std::nullopt;
    }
    r.FatFracBegin = f32(double(r.FatBegin) / r.MassBegin);
    UpdateEnergyHeightConstants(s);
    r.FuelHeightBegin = fuelHeight(s, r.MassBegin, r.FatBegin);
    s.FuelEnergyHeight = r.FuelHeightBegin;
    s.FatEnergyHeight = f32(double(s.FatHeightConst) * std::log(1 / (1 - double(r.FatFracBegin))));
    if (u) {
        u->showSig(ctl::txtFatFracBegin, r.FatFracBegin);
        u->showSig(ctl::txtHfuelBegin, f32(double(r.FuelHeightBegin) / 1000));
    }
    float M = r.MassBegin, F = r.FatBegin;
    const double fatShare = double(s.Efat) / s.EwetProtein * s.ProtFracTarget / (1 - double(s.ProtFracTarget)) + 1;
    for (int64_t h = 0; h < hours; ++h) {
        const double lean = double(M) - F;
        if (!(lean > 0) || !(M > 0)) {
            d.error({"The bird has no lean mass left at this rate of energy use:",
                     "please check the rates and the length of the stopover"});
            return std::nullopt;
        }
        const float bmr = s.TaxonGroup == 1 ? f32(double(s.PbmrFactor) * 6.25 * std::pow(lean, 0.724))
                                            : f32(double(s.PbmrFactor) * 3.79 * std::pow(lean, 0.723));
        const double net = double(bmr) * (s.ExistenceRatio - s.FeedQ) * 3600;
        const float fuel = f32(net / s.Efuel);
        const float fat = f32(double(fuel) / fatShare);
        M = f32(double(M) - fuel);
        F = f32(double(F) - fat);
    }
    r.Hours = static_cast<int16_t>(std::max<int64_t>(hours, 0));
    if (!(M > 0) || !(F >= 0) || !(F < M)) {
        d.error({"The bird has no lean mass or fat left at the end of this stopover:",
                 "please check the rates and the length of the stopover"});
        return std::nullopt;
    }
    r.MassMoveOn = M;
    r.FatMoveOn = F;
    r.FatFracMoveOn = f32(double(F) / M);
    UpdateEnergyHeightConstants(s);
    r.FuelHeightMoveOn = fuelHeight(s, M, F);
    s.FuelEnergyHeight = r.FuelHeightMoveOn;
    s.FatEnergyHeight = f32(double(s.FatHeightConst) * std::log(1 / (1 - double(r.FatFracMoveOn))));
    if (u) {
        u->showSig(ctl::txtHfuelMoveOn, f32(double(r.FuelHeightMoveOn) / 1000));
        u->showSig(ctl::txtMemptyMoveOn, r.MassMoveOn);
        u->showSig(ctl::txtMfatMoveOn, r.FatMoveOn);
        u->showSig(ctl::txtFatFracMoveOn, r.FatFracMoveOn);
    }
    return r;
}

ScreenUpdate LoadRevisedMass(ProgramState& s, const StopoverResult& r) {
    ScreenUpdate u;
    BirdParams& b = s.slot();
    b.EmptyMass = r.MassMoveOn;
    b.AllUpMass = f32(AllUpMassOf(b));
    b.FatMass = r.FatMoveOn;
    b.FatFrac = r.FatFracMoveOn;
    b.MuscleMass = f32(double(r.MassMoveOn) * b.MuscleFrac);
    b.AirframeMass = f32(double(b.EmptyMass) - b.FatMass - b.MuscleMass);
    b.AirframeFrac = f32(double(b.AirframeMass) / b.EmptyMass);
    u.showSig(ctl::txtEmptyMass, b.EmptyMass);
    u.showSig(ctl::txtAllUpMass, b.AllUpMass);
    u.showSig(ctl::txtFatMass, b.FatMass);
    u.showSig(ctl::txtFatFrac, b.FatFrac);
    u.showSig(ctl::txtMuscleMass, b.MuscleMass);
    u.showSig(ctl::txtAirframeMass, b.AirframeMass);
    u.showSig(ctl::txtAirframeFrac, b.AirframeFrac);
    u.showSig(ctl::txtFatProtHeight, f32(double(s.FuelEnergyHeight) / 1000));
    u.showSig(ctl::txtFatHeight, f32(double(s.FatEnergyHeight) / 1000));
    return u;
}

}  // namespace ornivo::migrate
