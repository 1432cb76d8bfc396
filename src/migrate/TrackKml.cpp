#include "migrate/TrackKml.h"

#include <filesystem>
#include <fstream>

#include "migrate/LongDate.h"
#include "state/numtext.h"

namespace ornivo::migrate {
namespace {

class Lines {
public:
    void add(int indent, const std::string& text) { out_ += std::string(indent, ' ') + text + "\r\n"; }
    void blank() { out_ += "\r\n"; }
    const std::string& text() const { return out_; }

private:
    std::string out_;
};

const char* const kIconHost = "http://maps.google.com";

// The icon of a placemark style. The address line's indent differs between the two styles; the files
// have always been written so, and readers of the file ignore it.
void iconStyle(Lines& k, int hrefIndent, const std::string& icon) {
    k.add(6, "<IconStyle>");
    k.add(8, "<scale>0.6</scale>");
    k.add(8, "<Icon>");
    k.add(10, "<href>");
    k.add(hrefIndent, std::string(kIconHost) + "/mapfiles/kml/shapes/" + icon);
    k.add(10, "</href>");
    k.add(8, "</Icon>");
    k.add(6, "</IconStyle>");
}

void lineStyle(Lines& k, const std::string& color, const std::string& width) {
    k.add(6, "<LineStyle>");
    k.add(8, "<color>" + color + "</color>");
    k.add(8, "<width>" + width + "</width>");
    k.add(6, "</LineStyle>");
}

void polyStyle(Lines& k, const std::string& element) {
    k.add(6, "<PolyStyle>");
    k.add(8, element);
    k.add(6, "</PolyStyle>");
}

}  // namespace

std::string KmlCoordinatePair(double lon, double lat) {
    std::string la = SignedNumberText(lat);
    if (!la.empty() && la[0] == ' ') la.erase(0, 1);  // a KML tuple holds no space
    return SignedNumberText(lon) + "," + la;
}

std::string TrackKmlName(const ProgramState& s) { return s.Gps.FilePrefix + " Track to " + LongDate(s.Gps.PointDate) + ".kml"; }

std::string TrackKmlText(const ProgramState& s) {
    const std::string q = "\"";
    Lines k;
    k.add(0, "<?xml version=" + q + "1.0" + q + " encoding=" + q + "UTF-8" + q + "?>");
    k.add(0, "<kml xmlns=" + q + "http://www.opengis.net/kml/2.2" + q + ">");
    k.add(2, "<Document>");
    k.add(4, "<name>" + s.Gps.FilePrefix + " Track</name>");
    k.add(4, "<description>GPS track</description>");
    k.blank();
    k.add(4, "<StyleMap id=" + q + "msn_placemark_circle" + q + ">");
    k.add(6, "<Pair>");
    k.add(8, "<key>normal</key>");
    k.add(8, "<styleUrl>#sn_placemark_circle</styleUrl>");
    k.add(6, "</Pair>");
    k.add(6, "<Pair>");
    k.add(8, "<key>highlight</key>");
    k.add(8, "<styleUrl>#sh_placemark_circle_highlight</styleUrl>");
    k.add(6, "</Pair>");
    k.add(4, "</StyleMap>");
    k.blank();
    k.add(4, "<Style id=" + q + "sn_placemark_circle" + q + ">");
    iconStyle(k, 3, "placemark_circle.png");
    lineStyle(k, "ff00ff00", "3");
    polyStyle(k, "<fill>0</fill>");
    k.add(4, "</Style>");
    k.blank();
    k.add(4, "<Style id=" + q + "sh_placemark_circle_highlight" + q + ">");
    iconStyle(k, 0, "placemark_circle_highlight.png");
    k.add(4, "</Style>");
    k.add(4, "<Style id=" + q + "yellowLineGreenPoly" + q + ">");
    lineStyle(k, "7f00ffff", "4");
    polyStyle(k, "<color>7f00ff00</color>");
    k.add(4, "</Style>");
    if (s.Gps.SitesLoaded) {
        for (int n = 1; n <= s.Gps.SiteCount && n <= static_cast<int>(s.Gps.StopoverSites.size()); ++n) {
            const StopoverSite& site = s.Gps.StopoverSites[n - 1];
            k.add(6, "<Placemark>");
            k.add(8, "<name>Stopover Area" + SignedNumberText(n) + "</name>");
            k.add(8, "<styleUrl>#msn_placemark_circle</styleUrl>");
            k.add(8, "<Polygon>");
            k.add(10, "<tessellate>0</tessellate>");
            k.add(10, "<outerBoundaryIs>");
            k.add(12, "<LinearRing>");
            k.add(14, "<coordinates>");
            for (int c : {0, 1, 2, 3, 0}) k.add(13, KmlCoordinatePair(site.SiteCorners[c][1], site.SiteCorners[c][0]));
            k.add(14, "</coordinates>");
            k.add(12, "</LinearRing>");
            k.add(10, "</outerBoundaryIs>");
            k.add(8, "</Polygon>");
            k.add(6, "</Placemark>");
            k.blank();
        }
    }
    const int n = std::min<int>(s.Gps.PointCount, static_cast<int>(std::min(s.Gps.TrackLat.size(), s.Gps.TrackLon.size())));
    for (int i = 0; i < n; ++i)
        k.add(0, "<Placemark><styleUrl>#msn_placemark_circle</styleUrl><Point><coordinates>" +
                     KmlCoordinatePair(s.Gps.TrackLon[i], s.Gps.TrackLat[i]) + "</coordinates></Point></Placemark>");
    k.add(4, "<Placemark>");
    k.add(6, "<name>Absolute Extruded</name>");
    k.add(6, "<description>Transparent green wall with yellow outlines</description>");
    k.add(6, "<styleUrl>#yellowLineGreenPoly</styleUrl>");
    k.add(6, "<LineString>");
    k.add(8, "<extrude>1</extrude>");
    k.add(8, "<tessellate>1</tessellate>");
    k.add(8, "<altitudeMode>absolute</altitudeMode>");
    k.add(8, "<coordinates>");
    for (int i = 0; i < n; ++i) k.add(7, KmlCoordinatePair(s.Gps.TrackLon[i], s.Gps.TrackLat[i]));
    k.add(8, "</coordinates>");
    k.add(6, "</LineString>");
    k.add(4, "</Placemark>");
    k.add(2, "</Document>");
    k.add(0, "</kml>");
    return k.text();
}

bool WriteTrackKml(ProgramState& s, const std::string& folder, std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(folder, ec);
    const fs::path target = fs::path(folder) / TrackKmlName(s);
    const fs::path tmp = target.string() + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) {
            error = "The KML file " + target.string() + " cannot be created";
            return false;
        }
        out << TrackKmlText(s);
        out.flush();
        if (!out) {
            error = "The KML file " + target.string() + " could not be written";
            fs::remove(tmp, ec);
            return false;
        }
    }
    fs::rename(tmp, target, ec);
    if (ec) {
        error = "The KML file " + target.string() + " could not be written: " + ec.message();
        fs::remove(tmp, ec);
        return false;
    }
    s.Gps.KmlFile = target.string();
    return true;
}

}  // namespace ornivo::migrate
