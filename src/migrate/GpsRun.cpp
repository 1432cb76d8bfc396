#include "migrate/GpsRun.h"

#include <cmath>
#include <filesystem>

#include "migrate/MigrationEngine.h"
#include "migrate/ProgressWorkbook.h"
#include "migrate/SetupMigrate.h"
#include "migrate/StopoverSites.h"
#include "migrate/TrackKml.h"
#include "migrate/TrackReader.h"
#include "nav/DegreeTrig.h"
#include "state/Single.h"
#include "state/numtext.h"

namespace ornivo::migrate {
namespace {

struct RunFailed : std::runtime_error {
    using std::runtime_error::runtime_error;
};

int64_t momentSeconds(double date, double time) {
    return static_cast<int64_t>(std::llround((std::floor(date) + time) * 86400.0));
}

void proteinCriterion(ProgramState& s) {
    if (s.MuscleControl == 1) HoldSpecificWork(s);
    else if (s.MuscleControl == 2) HoldSpecificPower(s);
    else HoldMuscleMass(s);
}

void resetTrip(ProgramState& s) {
    s.TripSeconds = 0;
    s.TripHours = 0;
    s.AirDistance = 0;
    s.Distance = 0;
    s.FeedingHours = 0;
    s.PointCount = 0;
    s.TrackLat.clear();
    s.TrackLon.clear();
    s.AtKnownSite = false;
    s.HavePrevPoint = false;
    s.PointLat = s.PointLon = s.PrevLat = s.PrevLon = 0;
    s.PointMomentSec = 0;
    s.GpsAirSpeed = 0;
    s.SegmentKm = s.SegmentAirKm = 0;
    s.StopoverNote.clear();
    s.KmlFile.clear();
    s.ProgressFile.clear();
    s.Stops.clear();
    s.FatRanOut.reset();
    s.SiteLabel.clear();
    s.FlyingFraction = s.FlyingMinutes = s.RestingMinutes = 0;
}

void readTrackPoint(ProgramState& s, const TrackFile& t, int row) {
    s.PointDate = t.date(row, 1);
    s.PointTime = t.time(row, 2);
    s.PointMomentSec = momentSeconds(s.PointDate, s.PointTime);
    s.PointLat = t.number(row, 3);
    s.PointLon = t.number(row, 4);
    t.whole16(row, 5);
    t.whole16(row, 6);
    if (t.isNumber(row, 7)) s.PointAltitude = t.whole16(row, 7);
    t.number(row, 8);
    t.number(row, 9);
    t.date(row, 10);
    s.TrackAltitude = f32(t.number(row, 11));
    s.AirDensity = f32(t.number(row, 12) * 1.226);
    if (!s.HavePrevPoint) {
        // No fix before this one: the first segment's distance is the file's own.
        s.SegmentKm = t.number(row, 13, true);
    } else {
        const double k = s.Pi / 180;
        s.SegmentKm = nav::GreatCircleKm(s.PrevLat * k, s.PrevLon * k, s.PointLat * k, s.PointLon * k);
    }
    s.SegmentSeconds = t.whole32(row, 14);
    t.whole16(row, 15);
    s.Mig.ClimbRateInPower = t.number(row, 16, true);
    s.TrackDirection = t.number(row, 17);
    t.number(row, 18, true);
    s.TrackWindDir = t.number(row, 19);
    s.TrackWindSpeed = t.number(row, 20);
    t.number(row, 21);
    s.GpsAirSpeed = t.number(row, 22);
    s.TrackLat.push_back(s.PointLat);
    s.TrackLon.push_back(s.PointLon);
}

// Records the first point at which the fat has fallen below zero. The track is still followed to its end
// (the deficit tells how much the bird must have eaten where no feeding was recorded); the outputs say
// where it began, so that negative fat masses read as what they are.
void noteFatRanOut(ProgramState& s, int32_t point) {
    if (s.FatRanOut || !(s.Mig.FatMass < 0)) return;
    s.FatRanOut = FatRanOutPoint{point, std::floor(s.PointDate), s.PointTime};
}

void trackPointStep(ProgramState& s, const TrackFile& t, int row) {
    MigrationState& m = s.Mig;
    BirdParams& b = s.slot(Slot);
    const float floorSpeed = f32(double(s.VratioGPS) * m.Vmp);
    if (floorSpeed > f32(s.GpsAirSpeed)) {
        m.Speed = floorSpeed;
        s.FlyingFraction = s.GpsAirSpeed / m.Speed;
        s.FlyingMinutes = s.SegmentSeconds * s.FlyingFraction / 60;
        s.RestingMinutes = (1 - s.FlyingFraction) * s.SegmentSeconds / 60;
        UpdateBodyState(s);
        MigPowerAtSpeed(s, m.Speed);
        MuscleState(s);
        const double v = double(s.VratioGPS) * m.Vmp;
        s.GroundSpeed = GroundSpeedAt(v, s.TrackWindSpeed, s.TrackDirection, s.TrackWindDir);
        if (!(s.GroundSpeed > 0))
            throw RunFailed("GPS track " + t.name() + ", " + (t.firstDataRow() == 2 ? "line " : "row ") +
                            std::to_string(row) + ": the wind (" + FormatSig(f32(s.TrackWindSpeed), 3) +
                            " m/s from " + FormatSig(f32(s.TrackWindDir), 3) + " degrees) leaves no ground speed at the "
                            "slowest air speed flown (" + FormatSig(f32(v), 3) + " m/s): the segment cannot be flown");
        const int32_t tf = CLng(s.SegmentKm * 1000 / s.GroundSpeed);
        m.StepEnergy = f32(double(s.Pchem) * tf);
        m.FatMass = f32(double(m.FatMass) - double(m.StepEnergy) / s.Efat);
        proteinCriterion(s);
        EnergyBudget(s);
        ProteinMinimum(s);
        FindStopoverSite(s, s.PointLat, s.PointLon);
        m.StepEnergy = f32(double(b.Pbmr) * (s.ExistenceRatio - s.FeedQ) * (double(s.SegmentSeconds) - tf));
        m.FatMass = f32(double(m.FatMass) - double(m.StepEnergy) / s.Efat);
        m.ElapsedSec = CLng(double(m.ElapsedSec) + tf);
        s.SegmentAirKm = double(m.Vmp) * tf * s.VratioGPS / 1000;
    } else {
        m.Speed = f32(s.GpsAirSpeed);
        s.FlyingFraction = 1;
        s.FlyingMinutes = s.SegmentSeconds / 60.0;
        s.RestingMinutes = 0;
        UpdateBodyState(s);
        MigPowerAtSpeed(s, m.Speed);
        MuscleState(s);
        m.StepEnergy = f32(double(s.Pchem) * s.SegmentSeconds);
        m.FatMass = f32(double(m.FatMass) - double(m.StepEnergy) / s.Efat);
        proteinCriterion(s);
        EnergyBudget(s);
        ProteinMinimum(s);
        m.ElapsedSec = CLng(double(m.ElapsedSec) + s.SegmentSeconds);
        s.SegmentAirKm = double(s.SegmentSeconds) * s.GpsAirSpeed / 1000;
    }
    s.AirDistance += s.SegmentAirKm;
    m.HoursFlown = f32(m.ElapsedSec / 3600.0);
    s.TripSeconds = CLng(double(s.TripSeconds) + s.SegmentSeconds);
    s.TripHours = f32(s.TripSeconds / 3600.0);
    s.Distance = f32(double(s.Distance) + s.SegmentKm);
}

void stopRow(ProgramState& s) {
    MigrationState& m = s.Mig;
    m.Row = CLng(double(m.Row) + 1);
    if (!RecordRow(s)) return;  // grows the tables; the row is then overwritten as the stop row
    for (MigrationTable* t : {&s.TravelTable, &s.PowerTable, &s.FuelTable, &s.GpsTable})
        for (int c = 1; c < TableColumns; ++c) (*t)[m.Row][c] = -1;
}

void processStop(ProgramState& s, TrackFile& t, int row, ProgressWorkbook* progress) {
    MigrationState& m = s.Mig;
    const double lostMuscle = double(m.MuscleMass0) - m.MuscleMass;
    const double lostAll = (double(m.AirframeMass0) + m.MuscleMass0) - (double(m.AirframeMass) + m.MuscleMass);
    if (lostAll != 0) m.ProteinToMuscle = f32(lostMuscle / lostAll);  // no protein lost yet: keep the last share
    if (s.HavePrevPoint) FindStopoverSite(s, s.PointLat, s.PointLon);
    else FindStopoverSite(s, std::nan(""), std::nan(""));  // before the first fix: in no site
    if (!t.hasRow(row + 1)) return;           // an empty last row is no stop
    if (t.isStopRow(row + 1)) return;         // one stop, handled at its last empty row
    const int64_t start = s.PointMomentSec;
    s.PointDate = t.date(row + 1, 1);
    s.PointTime = t.time(row + 1, 2);
    s.PointMomentSec = momentSeconds(s.PointDate, s.PointTime);
    // A stop before the first fix lasts no time.
    const int64_t secs = s.HavePrevPoint ? s.PointMomentSec - start : 0;
    if (secs > 2147483647LL || secs < -2147483647LL) throw RunFailed("GPS track " + t.name() + ": a stop lasts too long");
    s.SegmentSeconds = static_cast<int32_t>(secs);
    s.TripSeconds = CLng(double(s.TripSeconds) + s.SegmentSeconds);
    s.TripHours = f32(s.TripSeconds / 3600.0);
    if (s.AtKnownSite) s.FeedingHours += s.SegmentSeconds / 3600.0;
    const float fatBefore = m.FatMass;
    const double proteinBefore = double(m.MuscleMass) + m.AirframeMass;
    const int32_t n = StopSteps(s.SegmentSeconds, s.TimeStep);
    for (int i = 0; i < n; ++i) {
        m.StepEnergy = f32(double(s.slot(Slot).Pbmr) * (s.ExistenceRatio - s.FeedQ) * s.TimeStep * 60);
        StopoverFuelChange(s);
    }
    s.StopoverNote = StopNote(s);
    if (progress) progress->writeNote(s.ProgressRow, s.StopoverNote);
    stopRow(s);
    GpsStop stop;
    stop.Row = m.Row;
    stop.StartSec = start;
    stop.EndSec = s.PointMomentSec;
    stop.Lat = s.PointLat;
    stop.Lon = s.PointLon;
    stop.Site = s.SiteLabel;
    stop.FeedQ = s.FeedQ;
    stop.Hours = s.SegmentSeconds / 3600.0;
    stop.FatChange = f32(double(m.FatMass) - fatBefore);
    stop.ProteinChange = f32(double(m.MuscleMass) + m.AirframeMass - proteinBefore);
    stop.Note = s.StopoverNote;
    s.Stops.push_back(std::move(stop));
    // The fat ran out during the stop: the fix that ends it is the first point that shows the deficit.
    noteFatRanOut(s, s.PointCount + 1);
}

void projection(ProgramState& s, platform::Dialogs& d) {
    MigrationState& m = s.Mig;
    s.ProjectedMode = true;
    s.TrackEndAir = s.AirDistance;
    s.TrackEndGround = s.Distance;
    s.TrackEndFlown = m.HoursFlown;
    s.TrackEndTrip = s.TripHours;
    m.EndColumn = 0;
    RecordEnd(s);
    s.TrackEnded = true;
    m.Row = CLng(double(m.Row) + 1);
    RecordRow(s);  // makes room for the end-of-data row, then clears it
    for (MigrationTable* t : {&s.TravelTable, &s.PowerTable, &s.FuelTable, &s.GpsTable})
        std::fill((*t)[m.Row].begin(), (*t)[m.Row].end(), 0.0f);
    s.ProjectionPhase = ProjectionPhaseFor(s.TripHours, s.OutputInterval);
    // The projection is a level cruise, as a programmed run flies.
    m.ClimbRateInPower = 0;
    const double startHours = m.HoursFlown;
    do {
        CruiseStep(s);
        m.ElapsedSec = CLng(double(m.ElapsedSec) + double(s.TimeStep) * 60);
        m.HoursFlown = f32(m.ElapsedSec / 3600.0);
        s.TripSeconds = CLng(double(s.TripSeconds) + double(s.TimeStep) * 60);
        s.TripHours = f32(s.TripSeconds / 3600.0);
        const double step = double(s.TimeStep) * 60 * m.Speed / 1000;
        s.AirDistance += step;
        s.Distance = f32(double(s.Distance) + step);
        const float q = f32((double(s.TripHours) - s.ProjectionPhase) / s.OutputInterval);
        if (std::fabs(double(q) - RoundHalfEven(q)) < double(0.0001f)) {
            m.Row = CLng(double(m.Row) + 1);
            RecordRow(s);
        }
        if (m.FatMass <= 0) {
            m.FatMass = 0;
            m.FatFrac = 0;
            s.FatEnergyHeight = 0;
            s.FuelEnergyHeight = 0;
            m.Row = CLng(double(m.Row) + 1);
            RecordRow(s);
            m.EndColumn = 1;
            RecordEnd(s);
        }
        if (m.HoursFlown - startHours > MaxProjectionHours) {
            d.error({"The projection to zero fuel was stopped after 10000 flight hours:",
                     "the bird uses almost no fuel with these settings"});
            break;
        }
    } while (m.FatMass > 0);
}

}  // namespace

double GroundSpeedAt(double V, double W, double T, double D) {
    const double d = D - T;
    const double r = std::fmod(d, 360.0);
    if (r == 0) return V - W;                                   // a head wind along the track
    if (std::fabs(r) == 180) return V + W;                      // a tail wind along the track
    const double z = d - 180;
    const double k = V / nav::SinD(z);
    const double e = nav::ArcSinD(W / k);
    const double y = 180 - z - e;
    return k * nav::SinD(y);
}

void StopoverFuelChange(ProgramState& s) {
    MigrationState& m = s.Mig;
    const float fuel = f32(double(m.StepEnergy) / s.Efuel);
    const float fat = f32(fuel / (double(s.Efat) / s.EwetProtein * s.ProtFracTarget / (1 - double(s.ProtFracTarget)) + 1));
    const float protein = f32(double(fuel) - fat);
    const float muscle = f32(double(protein) * m.ProteinToMuscle);
    const float airframe = f32(double(protein) - muscle);
    m.AllUpMass = f32(double(m.AllUpMass) - fuel);
    m.FatMass = f32(double(m.FatMass) - fat);
    m.MuscleMass = f32(double(m.MuscleMass) - muscle);
    m.AirframeMass = f32(double(m.AirframeMass) - airframe);
}

int32_t StopSteps(double seconds, double timeStepMinutes) { return CLng(seconds / (timeStepMinutes * 60)); }

float ProjectionPhaseFor(float tripHours, float outputInterval) {
    const int32_t interval = CLng(outputInterval);
    return interval == 0 ? 0 : static_cast<float>(CLng(tripHours) % interval);
}

std::string StopNote(const ProgramState& s) {
    if (!s.AtKnownSite) return "Stopped outside known stopover areas (Feeding rate 0)";
    return "Feeding at " + s.SiteLabel + " (Rate" + SignedNumberText(s.FeedQ) + ") " +
           FormatPattern(s.SegmentSeconds / 3600.0, "0.0") + " hours";
}

GpsOutcome GpsRun(ProgramState& s, platform::Dialogs& d, const GpsRunOptions& opt) {
    s.TrackEnded = false;
    resetTrip(s);
    s.SitesLoaded = d.askYesNo({"Do you wish to load a file of Stopover Site Coordinates?"});
    if (s.SitesLoaded) {
        auto path = d.openFile({"Get Stopover Site Coordinates", s.TrackFolder, "Stopover sites (*.txt)", ""});
        if (!path) return GpsOutcome::Cancelled;
        std::string error;
        std::vector<StopoverSite> sites;
        if (!ReadStopoverSites(*path, sites, error)) {
            d.error({error, "The GPS run was not started."});
            return GpsOutcome::Failed;
        }
        s.StopoverSites = std::move(sites);
        s.SiteCount = static_cast<int16_t>(s.StopoverSites.size());
    } else {
        // A run without a site file feeds nowhere, whatever an earlier run loaded.
        s.StopoverSites.clear();
        s.SiteCount = 0;
    }
    d.info({"Load Excel file for GPS track Processed to Air Speed"});
    auto trackPath = d.openFile({"Get input file Processed to Air Speed.xlsx", s.TrackFolder,
                                 "GPS tracks (*.xlsx *.xls *.csv)", ""});
    if (!trackPath) return GpsOutcome::Cancelled;

    std::optional<ProgressWorkbook> progress;
    try {
        TrackFile track(*trackPath);
        if (opt.progress) progress.emplace(opt.progressTemplate);
        std::filesystem::path tp(*trackPath);
        s.InputFolder = (tp.has_parent_path() ? tp.parent_path().string() : std::string(".")) + "/";
        // The dialogs and the map follow the folder of the last track chosen.
        s.TrackFolder = tp.has_parent_path() ? tp.parent_path().string() : std::string(".");
        s.FilePrefix = tp.filename().string().substr(0, 5);
        s.FirstDataRow = track.firstDataRow();
        s.InputRow = s.FirstDataRow;
        s.ProgressRow = 4;

        MigrationStart(s, d);
        MigPowerAtSpeed(s, s.Mig.Speed);
        MuscleStateInit(s);
        s.Mig.Row = 0;
        RecordState(s);
        RecordRow(s);
        if (progress) progress->writeStart(s);
        s.ProgressRow = 5;
        for (; track.hasRow(s.InputRow); ++s.InputRow, ++s.ProgressRow) {
            track.forget(s.InputRow);
            if (track.isStopRow(s.InputRow)) {
                processStop(s, track, s.InputRow, progress ? &*progress : nullptr);
                continue;
            }
            readTrackPoint(s, track, s.InputRow);
            s.PointCount += 1;
            trackPointStep(s, track, s.InputRow);
            if (progress) progress->writePoint(s, s.ProgressRow);
            s.Mig.Row = CLng(double(s.Mig.Row) + 1);
            RecordRow(s);
            noteFatRanOut(s, s.PointCount);
            s.PrevLat = s.PointLat;
            s.PrevLon = s.PointLon;
            s.HavePrevPoint = true;
        }
        s.LastRow = track.lastRowRead();
        projection(s, d);
        // The track's densities belong to its points: the setup screen, and so the next Start, keep the
        // density the run started from.
        s.AirDensity = s.StartDensity;
        s.RowsWritten = s.Mig.Row;
        if (progress) {
            s.ProgressRow += 1;
            progress->finish(s, s.ProgressRow);
            std::string error;
            if (!progress->save(s, error)) throw RunFailed(error);
        }
        if (opt.kml) {
            std::string error;
            if (!WriteTrackKml(s, opt.kmlFolder.empty() ? s.TrackFolder : opt.kmlFolder, error)) throw RunFailed(error);
        }
    } catch (const TrackError& e) {
        d.error({e.what(), "The GPS run was stopped; no map or progress file was written."});
        return GpsOutcome::Failed;
    } catch (const RunFailed& e) {
        d.error({e.what(), "The GPS run was stopped; no map or progress file was written."});
        return GpsOutcome::Failed;
    } catch (const MigrationError& e) {
        d.error({e.what(), "The GPS run was stopped; no map or progress file was written."});
        return GpsOutcome::Failed;
    } catch (const OverflowError& e) {
        d.error({"The GPS run went beyond the program's counters (" + std::string(e.what()) + ").",
                 "The GPS run was stopped; no map or progress file was written."});
        return GpsOutcome::Failed;
    }
    return GpsOutcome::Finished;
}

StartOutcome StartGpsRun(ProgramState& s, platform::Dialogs& d) {
    GpsRunOptions opt;
    opt.kml = s.MigScreen.KmlChecked;
    opt.progress = s.MigScreen.ProgressChecked;
    opt.kmlFolder = s.KmlFolder;  // empty: TrackFolder, the track's own folder
    opt.progressTemplate = s.ProgramFolder + "/XLTemplates/Progress Update.xlsx";
    switch (GpsRun(s, d, opt)) {
        case GpsOutcome::Finished: return StartOutcome::Finished;
        case GpsOutcome::Cancelled: return StartOutcome::Refused;
        default: return StartOutcome::Failed;
    }
}

}  // namespace ornivo::migrate
