#include "migrate/ProgressWorkbook.h"

#include <cmath>
#include <stdexcept>

#include "external/spreadsheet/WorkbookFiles.h"
#include "migrate/LongDate.h"
#include "state/numtext.h"

namespace ornivo::migrate {
namespace {

// A value shown by a display pattern, stored as the number its text reads as.
sheet::Value shown(double v, const char* pattern) {
    std::string t = FormatPattern(v, pattern);
    if (t.empty() || !HasLeadingNumber(t)) return sheet::Value(t);
    return sheet::Value(LeadingNumber(t));
}
sheet::Value sig(float v) { return sheet::Value(LeadingNumber(FormatSig(v, 3))); }

}  // namespace

ProgressWorkbook::ProgressWorkbook(const std::string& templatePath) {
    std::string error;
    if (!sheet::NewFromTemplate(templatePath, wb_, error))
        throw std::runtime_error("The progress workbook template cannot be read: " + error);
    sheet_ = wb_.sheet("Sheet1");
    if (!sheet_) sheet_ = &wb_.addSheet("Sheet1");
}

void ProgressWorkbook::writeStart(const ProgramState& s) {
    const MigrationState& m = s.Migration.Mig;
    sheet_->write("A4", "Start");
    sheet_->write("F4", shown(s.Migration.StartAltitude, "0"));
    sheet_->write("G4", 0.0);
    sheet_->write("H4", 0.0);
    sheet_->write("P4", sig(m.AllUpMass0));
    sheet_->write("Q4", sig(m.FatMass0));
    sheet_->write("R4", shown(double(m.FatMass0) / m.AllUpMass0, "0.000"));
    sheet_->write("S4", shown(double(m.FuelEnergyHeight0) / 1000, "0"));
}

void ProgressWorkbook::writePoint(const ProgramState& s, int r) {
    const MigrationState& m = s.Migration.Mig;
    sheet_->write(r, 1, std::floor(s.Gps.PointDate));
    sheet_->setNumberFormat(r, 1, sheet::kDateFormat);
    sheet_->write(r, 2, s.Gps.PointTime);
    sheet_->setNumberFormat(r, 2, sheet::kTimeFormat);
    sheet_->write(r, 4, s.Gps.PointLat);
    sheet_->write(r, 5, s.Gps.PointLon);
    sheet_->write(r, 6, double(s.Gps.PointAltitude));
    sheet_->write(r, 7, shown(s.Migration.Distance, "0"));
    sheet_->write(r, 8, shown(s.Gps.AirDistance, "0"));
    sheet_->write(r, 9, shown(s.Gps.GpsAirSpeed, "0.0"));
    sheet_->write(r, 10, shown(m.Vmp, "0.0"));
    sheet_->write(r, 11, shown(s.Gps.GpsAirSpeed / m.Vmp, "0.00"));
    sheet_->write(r, 12, shown(m.ClimbRateInPower, "0.000"));
    sheet_->write(r, 13, shown(s.Gps.FlyingMinutes, "0"));
    sheet_->write(r, 14, shown(s.Gps.RestingMinutes, "0"));
    sheet_->write(r, 15, shown(s.Gps.FlyingFraction * 100, "0"));
    sheet_->write(r, 16, sig(m.AllUpMass));
    sheet_->write(r, 17, sig(m.FatMass));
    sheet_->write(r, 18, shown(double(m.FatMass) / m.AllUpMass, "0.000"));
    sheet_->write(r, 19, shown(double(s.FuelEnergyHeight) / 1000, "0"));
}

void ProgressWorkbook::writeNote(int row, const std::string& note) { sheet_->write(row, 1, note); }

void ProgressWorkbook::finish(const ProgramState& s, int n) {
    const MigrationState& m = s.Migration.Mig;
    sheet_->write("A1", s.Gps.FilePrefix + " " + s.ShortName + " Progress Update to " + LongDate(s.Gps.PointDate));
    sheet_->setBold("A1", true);
    sheet_->write(n, 1, "Summary");
    sheet_->write(n, 4, "GPS Track");
    sheet_->write(n, 6, "Projected to zero fuel");
    for (int c = 1; c <= 6; ++c) sheet_->setFont(n, c, {.bold = true});
    auto row = [&](int k, const char* label, double track, double projected, const char* pattern) {
        sheet_->write(n + k, 1, label);
        sheet_->write(n + k, 4, shown(track, pattern));
        sheet_->write(n + k, 6, shown(projected, pattern));
    };
    row(1, "Trip time (hrs)", s.Gps.TrackEndTrip, s.Gps.TripHours, "####.#");
    row(2, "Flight time (hrs)", s.Gps.TrackEndFlown, m.HoursFlown, "####.#");
    const double ground = double(s.Gps.TrackEndTrip) - s.Gps.TrackEndFlown;
    row(3, "Ground time (hrs)", ground, ground, "####.#");
    row(4, "Ground distance (km)", s.Gps.TrackEndGround, s.Migration.Distance, "#####");
    row(5, "Air distance (km)", s.Gps.TrackEndAir, s.Gps.AirDistance, "#####");
    if (s.Gps.SitesLoaded) row(6, "Feeding time (hrs)", s.Gps.FeedingHours, s.Gps.FeedingHours, "####.#");
}

bool ProgressWorkbook::save(ProgramState& s, std::string& error) {
    const std::string path = s.Gps.InputFolder + s.Gps.FilePrefix + " Progress Update " + TodayLongDate() + ".xlsx";
    sheet::Status st = wb_.saveAs(path);
    if (!st.ok()) {
        error = "The progress workbook " + path + " could not be saved: " + st.text;
        return false;
    }
    s.Gps.ProgressFile = path;
    return true;
}

}  // namespace ornivo::migrate
