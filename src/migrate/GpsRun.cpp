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

void resetTrip(ProgramState& s) {
    s.Gps.TripSeconds = 0;
    s.Gps.TripHours = 0;
    s.Gps.AirDistance = 0;
    s.Migration.Distance = 0;
    s.Gps.FeedingHours = 0;
    s.Gps.PointCount = 0;
    s.Gps.TrackLat.clear();
    s.Gps.TrackLon.clear();
    s.Gps.AtKnownSite = false;
    s.Gps.HavePrevPoint = false;
    s.Gps.PointLat = s.Gps.PointLon = s.Gps.PrevLat = s.Gps.PrevLon = 0;
    s.Gps.PointMomentSec = 0;
    s.Gps.GpsAirSpeed = 0;
    s.Gps.SegmentKm = s.Gps.SegmentAirKm = 0;
    s.Gps.StopoverNote.clear();
    s.Gps.KmlFile.clear();
    s.Gps.ProgressFile.clear();
    s.Gps.Stops.clear();
    s.Gps.FatRanOut.reset();
    s.Gps.SiteLabel.clear();
    s.Gps.FlyingFraction = s.Gps.FlyingMinutes = s.Gps.RestingMinutes = 0;
}

void readTrackPoint(ProgramState& s, const TrackFile& t, int row) {
    s.Gps.PointDate = t.date(row, 1);
    s.Gps.PointTime = t.time(row, 2);
    s.Gps.PointMomentSec = momentSeconds(s.Gps.PointDate, s.Gps.PointTime);
    s.Gps.PointLat = t.number(row, 3);
    s.Gps.PointLon = t.number(row, 4);
    t.whole16(row, 5);
    t.whole16(row, 6);
    if (t.isNumber(row, 7)) s.Gps.PointAltitude = t.whole16(row, 7);
    t.number(row, 8);
    t.number(row, 9);
    t.date(row, 10);
    s.Gps.TrackAltitude = f32(t.number(row, 11));
    s.AirDensity = f32(t.number(row, 12) * 1.226);
    if (!s.Gps.HavePrevPoint) {
        // No fix before this one: the first segment's distance is the file's own.
        s.Gps.SegmentKm = t.number(row, 13, true);
    } else {
        const double k = s.Pi / 180;
        s.Gps.SegmentKm = nav::GreatCircleKm(s.Gps.PrevLat * k, s.Gps.PrevLon * k, s.Gps.PointLat * k, s.Gps.PointLon * k);
    }
    s.Gps.SegmentSeconds = t.whole32(row, 14);
    t.whole16(row, 15);
    s.Migration.Mig.ClimbRateInPower = t.number(row, 16, true);
    s.Gps.TrackDirection = t.number(row, 17);
    t.number(row, 18, true);
    s.Gps.TrackWindDir = t.number(row, 19);
    s.Gps.TrackWindSpeed = t.number(row, 20);
    t.number(row, 21);
    s.Gps.GpsAirSpeed = t.number(row, 22);
    s.Gps.TrackLat.push_back(s.Gps.PointLat);
    s.Gps.TrackLon.push_back(s.Gps.PointLon);
}

// Records the first point at which the fat has fallen below zero. The track is still followed to its end
// (the deficit tells how much the bird must have eaten where no feeding was recorded); the outputs say
// where it began, so that negative fat masses read as what they are.
void noteFatRanOut(ProgramState& s, int32_t point) {
    if (s.Gps.FatRanOut || !(s.Migration.Mig.FatMass < 0)) return;
    s.Gps.FatRanOut = FatRanOutPoint{point, std::floor(s.Gps.PointDate), s.Gps.PointTime};
}

void trackPointStep(ProgramState& s, const TrackFile& t, int row) {
    MigrationState& m = s.Migration.Mig;
    BirdParams& b = s.slot(Slot);
    const float floorSpeed = f32(double(s.Migration.VratioGPS) * m.Vmp);
    if (floorSpeed > f32(s.Gps.GpsAirSpeed)) {
        m.Speed = floorSpeed;
        s.Gps.FlyingFraction = s.Gps.GpsAirSpeed / m.Speed;
        s.Gps.FlyingMinutes = s.Gps.SegmentSeconds * s.Gps.FlyingFraction / 60;
        s.Gps.RestingMinutes = (1 - s.Gps.FlyingFraction) * s.Gps.SegmentSeconds / 60;
        UpdateBodyState(s);
        MigPowerAtSpeed(s, m.Speed);
        MuscleState(s);
        const double v = double(s.Migration.VratioGPS) * m.Vmp;
        s.Gps.GroundSpeed = GroundSpeedAt(v, s.Gps.TrackWindSpeed, s.Gps.TrackDirection, s.Gps.TrackWindDir);
        if (!(s.Gps.GroundSpeed > 0))
            throw RunFailed("GPS track " + t.name() + ", " + (t.firstDataRow() == 2 ? "line " : "row ") +
                            std::to_string(row) + ": the wind (" + FormatSig(f32(s.Gps.TrackWindSpeed), 3) +
                            " m/s from " + FormatSig(f32(s.Gps.TrackWindDir), 3) + " degrees) leaves no ground speed at the "
                            "slowest air speed flown (" + FormatSig(f32(v), 3) + " m/s): the segment cannot be flown");
        const int32_t tf = CLng(s.Gps.SegmentKm * 1000 / s.Gps.GroundSpeed);
        m.StepEnergy = f32(double(s.Flap.Pchem) * tf);
        m.FatMass = f32(double(m.FatMass) - double(m.StepEnergy) / s.Efat);
        HoldProteinCriterion(s);
        EnergyBudget(s);
        ProteinMinimum(s);
        FindStopoverSite(s, s.Gps.PointLat, s.Gps.PointLon);
        m.StepEnergy = f32(double(b.Pbmr) * (s.ExistenceRatio - s.FeedQ) * (double(s.Gps.SegmentSeconds) - tf));
        m.FatMass = f32(double(m.FatMass) - double(m.StepEnergy) / s.Efat);
        m.ElapsedSec = CLng(double(m.ElapsedSec) + tf);
        s.Gps.SegmentAirKm = double(m.Vmp) * tf * s.Migration.VratioGPS / 1000;
    } else {
        m.Speed = f32(s.Gps.GpsAirSpeed);
        s.Gps.FlyingFraction = 1;
        s.Gps.FlyingMinutes = s.Gps.SegmentSeconds / 60.0;
        s.Gps.RestingMinutes = 0;
        UpdateBodyState(s);
        MigPowerAtSpeed(s, m.Speed);
        MuscleState(s);
        m.StepEnergy = f32(double(s.Flap.Pchem) * s.Gps.SegmentSeconds);
        m.FatMass = f32(double(m.FatMass) - double(m.StepEnergy) / s.Efat);
        HoldProteinCriterion(s);
        EnergyBudget(s);
        ProteinMinimum(s);
        m.ElapsedSec = CLng(double(m.ElapsedSec) + s.Gps.SegmentSeconds);
        s.Gps.SegmentAirKm = double(s.Gps.SegmentSeconds) * s.Gps.GpsAirSpeed / 1000;
    }
    s.Gps.AirDistance += s.Gps.SegmentAirKm;
    m.HoursFlown = f32(m.ElapsedSec / 3600.0);
    s.Gps.TripSeconds = CLng(double(s.Gps.TripSeconds) + s.Gps.SegmentSeconds);
    s.Gps.TripHours = f32(s.Gps.TripSeconds / 3600.0);
    s.Migration.Distance = f32(double(s.Migration.Distance) + s.Gps.SegmentKm);
}

void stopRow(ProgramState& s) {
    MigrationState& m = s.Migration.Mig;
    m.Row = CLng(double(m.Row) + 1);
    if (!RecordRow(s)) return;  // grows the tables; the row is then overwritten as the stop row
    for (MigrationTable* t : {&s.Migration.TravelTable, &s.Migration.PowerTable, &s.Migration.FuelTable, &s.Migration.GpsTable})
        for (int c = 1; c < TableColumns; ++c) (*t)[m.Row][c] = -1;
}

void processStop(ProgramState& s, TrackFile& t, int row, ProgressWorkbook* progress) {
    MigrationState& m = s.Migration.Mig;
    const double lostMuscle = double(m.MuscleMass0) - m.MuscleMass;
    const double lostAll = (double(m.AirframeMass0) + m.MuscleMass0) - (double(m.AirframeMass) + m.MuscleMass);
    if (lostAll != 0) m.ProteinToMuscle = f32(lostMuscle / lostAll);  // no protein lost yet: keep the last share
    if (s.Gps.HavePrevPoint) FindStopoverSite(s, s.Gps.PointLat, s.Gps.PointLon);
    else FindStopoverSite(s, std::nan(""), std::nan(""));  // before the first fix: in no site
    if (!t.hasRow(row + 1)) return;           // an empty last row is no stop
    if (t.isStopRow(row + 1)) return;         // one stop, handled at its last empty row
    const int64_t start = s.Gps.PointMomentSec;
    s.Gps.PointDate = t.date(row + 1, 1);
    s.Gps.PointTime = t.time(row + 1, 2);
    s.Gps.PointMomentSec = momentSeconds(s.Gps.PointDate, s.Gps.PointTime);
    // A stop before the first fix lasts no time.
    const int64_t secs = s.Gps.HavePrevPoint ? s.Gps.PointMomentSec - start : 0;
    if (secs > 2147483647LL || secs < -2147483647LL) throw RunFailed("GPS track " + t.name() + ": a stop lasts too long");
    s.Gps.SegmentSeconds = static_cast<int32_t>(secs);
    s.Gps.TripSeconds = CLng(double(s.Gps.TripSeconds) + s.Gps.SegmentSeconds);
    s.Gps.TripHours = f32(s.Gps.TripSeconds / 3600.0);
    if (s.Gps.AtKnownSite) s.Gps.FeedingHours += s.Gps.SegmentSeconds / 3600.0;
    const float fatBefore = m.FatMass;
    const double proteinBefore = double(m.MuscleMass) + m.AirframeMass;
    const int32_t n = StopSteps(s.Gps.SegmentSeconds, s.Migration.TimeStep);
    for (int i = 0; i < n; ++i) {
        m.StepEnergy = f32(double(s.slot(Slot).Pbmr) * (s.ExistenceRatio - s.FeedQ) * s.Migration.TimeStep * 60);
        StopoverFuelChange(s);
    }
    s.Gps.StopoverNote = StopNote(s);
    if (progress) progress->writeNote(s.Gps.ProgressRow, s.Gps.StopoverNote);
    stopRow(s);
    GpsStop stop;
    stop.Row = m.Row;
    stop.StartSec = start;
    stop.EndSec = s.Gps.PointMomentSec;
    stop.Lat = s.Gps.PointLat;
    stop.Lon = s.Gps.PointLon;
    stop.Site = s.Gps.SiteLabel;
    stop.FeedQ = s.FeedQ;
    stop.Hours = s.Gps.SegmentSeconds / 3600.0;
    stop.FatChange = f32(double(m.FatMass) - fatBefore);
    stop.ProteinChange = f32(double(m.MuscleMass) + m.AirframeMass - proteinBefore);
    stop.Note = s.Gps.StopoverNote;
    s.Gps.Stops.push_back(std::move(stop));
    // The fat ran out during the stop: the fix that ends it is the first point that shows the deficit.
    noteFatRanOut(s, s.Gps.PointCount + 1);
}

void projection(ProgramState& s, platform::Dialogs& d) {
    MigrationState& m = s.Migration.Mig;
    s.Migration.ProjectedMode = true;
    s.Gps.TrackEndAir = s.Gps.AirDistance;
    s.Gps.TrackEndGround = s.Migration.Distance;
    s.Gps.TrackEndFlown = m.HoursFlown;
    s.Gps.TrackEndTrip = s.Gps.TripHours;
    m.EndColumn = 0;
    RecordEnd(s);
    s.Migration.TrackEnded = true;
    m.Row = CLng(double(m.Row) + 1);
    RecordRow(s);  // makes room for the end-of-data row, then clears it
    for (MigrationTable* t : {&s.Migration.TravelTable, &s.Migration.PowerTable, &s.Migration.FuelTable, &s.Migration.GpsTable})
        std::fill((*t)[m.Row].begin(), (*t)[m.Row].end(), 0.0f);
    s.Gps.ProjectionPhase = ProjectionPhaseFor(s.Gps.TripHours, s.Migration.OutputInterval);
    // The projection is a level cruise, as a programmed run flies.
    m.ClimbRateInPower = 0;
    const double startHours = m.HoursFlown;
    do {
        CruiseStep(s);
        m.ElapsedSec = CLng(double(m.ElapsedSec) + double(s.Migration.TimeStep) * 60);
        m.HoursFlown = f32(m.ElapsedSec / 3600.0);
        s.Gps.TripSeconds = CLng(double(s.Gps.TripSeconds) + double(s.Migration.TimeStep) * 60);
        s.Gps.TripHours = f32(s.Gps.TripSeconds / 3600.0);
        const double step = double(s.Migration.TimeStep) * 60 * m.Speed / 1000;
        s.Gps.AirDistance += step;
        s.Migration.Distance = f32(double(s.Migration.Distance) + step);
        const float q = f32((double(s.Gps.TripHours) - s.Gps.ProjectionPhase) / s.Migration.OutputInterval);
        if (std::fabs(double(q) - RoundHalfEven(q)) < double(0.0001f)) {
            m.Row = CLng(double(m.Row) + 1);
            RecordRow(s);
        }
        if (m.FatMass <= 0) {
            EmptyFatStore(s);
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
    MigrationState& m = s.Migration.Mig;
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
    if (!s.Gps.AtKnownSite) return "Stopped outside known stopover areas (Feeding rate 0)";
    return "Feeding at " + s.Gps.SiteLabel + " (Rate" + SignedNumberText(s.FeedQ) + ") " +
           FormatPattern(s.Gps.SegmentSeconds / 3600.0, "0.0") + " hours";
}

GpsOutcome GpsRun(ProgramState& s, platform::Dialogs& d, const GpsRunOptions& opt) {
    s.Migration.TrackEnded = false;
    resetTrip(s);
    s.Gps.SitesLoaded = d.askYesNo({"Do you wish to load a file of Stopover Site Coordinates?"});
    if (s.Gps.SitesLoaded) {
        auto path = d.openFile({"Get Stopover Site Coordinates", s.Gps.TrackFolder, "Stopover sites (*.txt)", ""});
        if (!path) return GpsOutcome::Cancelled;
        std::string error;
        std::vector<StopoverSite> sites;
        if (!ReadStopoverSites(*path, sites, error)) {
            d.error({error, "The GPS run was not started."});
            return GpsOutcome::Failed;
        }
        s.Gps.StopoverSites = std::move(sites);
        s.Gps.SiteCount = static_cast<int16_t>(s.Gps.StopoverSites.size());
    } else {
        // A run without a site file feeds nowhere, whatever an earlier run loaded.
        s.Gps.StopoverSites.clear();
        s.Gps.SiteCount = 0;
    }
    d.info({"Load Excel file for GPS track Processed to Air Speed"});
    auto trackPath = d.openFile({"Get input file Processed to Air Speed.xlsx", s.Gps.TrackFolder,
                                 "GPS tracks (*.xlsx *.xls *.csv)", ""});
    if (!trackPath) return GpsOutcome::Cancelled;

    std::optional<ProgressWorkbook> progress;
    try {
        TrackFile track(*trackPath);
        if (opt.progress) progress.emplace(opt.progressTemplate);
        std::filesystem::path tp(*trackPath);
        s.Gps.InputFolder = (tp.has_parent_path() ? tp.parent_path().string() : std::string(".")) + "/";
        // The dialogs and the map follow the folder of the last track chosen.
        s.Gps.TrackFolder = tp.has_parent_path() ? tp.parent_path().string() : std::string(".");
        s.Gps.FilePrefix = tp.filename().string().substr(0, 5);
        s.Gps.FirstDataRow = track.firstDataRow();
        s.Gps.InputRow = s.Gps.FirstDataRow;
        s.Gps.ProgressRow = 4;

        MigrationStart(s, d);
        MigPowerAtSpeed(s, s.Migration.Mig.Speed);
        MuscleStateInit(s);
        s.Migration.Mig.Row = 0;
        RecordState(s);
        RecordRow(s);
        if (progress) progress->writeStart(s);
        s.Gps.ProgressRow = 5;
        for (; track.hasRow(s.Gps.InputRow); ++s.Gps.InputRow, ++s.Gps.ProgressRow) {
            track.forget(s.Gps.InputRow);
            if (track.isStopRow(s.Gps.InputRow)) {
                processStop(s, track, s.Gps.InputRow, progress ? &*progress : nullptr);
                continue;
            }
            readTrackPoint(s, track, s.Gps.InputRow);
            s.Gps.PointCount += 1;
            trackPointStep(s, track, s.Gps.InputRow);
            if (progress) progress->writePoint(s, s.Gps.ProgressRow);
            s.Migration.Mig.Row = CLng(double(s.Migration.Mig.Row) + 1);
            RecordRow(s);
            noteFatRanOut(s, s.Gps.PointCount);
            s.Gps.PrevLat = s.Gps.PointLat;
            s.Gps.PrevLon = s.Gps.PointLon;
            s.Gps.HavePrevPoint = true;
        }
        s.Gps.LastRow = track.lastRowRead();
        projection(s, d);
        // The track's densities belong to its points: the setup screen, and so the next Start, keep the
        // density the run started from.
        s.AirDensity = s.Migration.StartDensity;
        s.Migration.RowsWritten = s.Migration.Mig.Row;
        if (progress) {
            s.Gps.ProgressRow += 1;
            progress->finish(s, s.Gps.ProgressRow);
            std::string error;
            if (!progress->save(s, error)) throw RunFailed(error);
        }
        if (opt.kml) {
            std::string error;
            if (!WriteTrackKml(s, opt.kmlFolder.empty() ? s.Gps.TrackFolder : opt.kmlFolder, error)) throw RunFailed(error);
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
    opt.kml = s.Migration.MigScreen.KmlChecked;
    opt.progress = s.Migration.MigScreen.ProgressChecked;
    opt.kmlFolder = s.Gps.KmlFolder;  // empty: TrackFolder, the track's own folder
    opt.progressTemplate = s.ProgramFolder + "/XLTemplates/Progress Update.xlsx";
    switch (GpsRun(s, d, opt)) {
        case GpsOutcome::Finished: return StartOutcome::Finished;
        case GpsOutcome::Cancelled: return StartOutcome::Refused;
        default: return StartOutcome::Failed;
    }
}

}  // namespace ornivo::migrate
