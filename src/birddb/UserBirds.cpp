#include "birddb/UserBirds.h"

#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "birddb/BirdFiles.h"
#include "birddb/EnterFromRecord.h"
#include "birddb/UserBackup.h"
#include "platform/Folders.h"
#include "state/ControlNames.h"
#include "state/numtext.h"

namespace ornivo::birddb {
namespace fs = std::filesystem;
using external::DatabaseError;

namespace {

const char* const kSource = "SELECT * FROM [User Birds] ORDER BY [Scientific name]";

struct Box {
    const char* box;
    const char* field;
    int digits;  // 0: text
};
// The record boxes of the twelve common fields but the codes, and the crop mass.
const Box kRecordBoxes[] = {
    {ctl::txtShortName, "Short name", 0},   {ctl::txtScientificName, "Scientific name", 0},
    {ctl::txtComment, "Comment", 0},        {ctl::txtMass, "Empty mass", 3},
    {ctl::txtSpan, "Wing span", 3},         {ctl::txtArea, "Wing area", 3},
    {ctl::txtRho, "Air density", 4},        {ctl::txtMuscFrac, "Muscle fraction", 3},
    {ctl::txtFatFrac, "Fat fraction", 3},
};
const char* const kCropBox = ctl::txtCropMass;

struct Code {
    const char* box;
    const char* nameBox;
    const char* spinner;
    const char* field;
    int16_t max;
    const char* refusal;
};
const Code kCodes[] = {
    {ctl::txtTaxon, ctl::txtTaxName, "UpDownTaxon", "Taxon", 2,
     "The Group code must be 1 (Passerine) or 2 (Non-Passerine)"},
    {ctl::txtSex, ctl::txtSexName, "UpDownSex", "Sex", 4, "The Sex code must be a whole number from 1 to 4"},
    {ctl::txtAge, ctl::txtAgeName, "UpDownAge", "Age", 3, "The Age code must be a whole number from 1 to 3"},
};

const char* const kButtons[] = {ctl::cmdExit,   ctl::cmdReturn,  ctl::cmdDelete,    ctl::cmdSaveLast,
                                ctl::cmdAdd,    ctl::cmdCancel,  ctl::cmdStartEdit, ctl::cmdStopEdit,
                                ctl::cmdBackup, ctl::cmdRestore, ctl::cmdShowDefs,  ctl::lstGetBird};

int16_t& codeState(ProgramState& s, int which) { return which == 0 ? s.TaxonGroup : which == 1 ? s.Sex : s.Age; }

// A typed code: a whole number in its range, or nothing.
std::optional<int16_t> typedCode(const std::string& text, int16_t max) {
    if (!HasLeadingNumber(text)) return std::nullopt;
    double v = LeadingNumber(text);
    if (!(v >= 0.5 && v < max + 0.5)) return std::nullopt;
    return CInt(v);
}

bool blank(const std::string& t) { return t.find_first_not_of(" \t") == std::string::npos; }

std::string longDate() {
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    char buf[64];
    std::strftime(buf, sizeof buf, "%A, %d %B %Y", &tm);
    std::string t = buf;
    std::size_t comma = t.find(", 0");  // "Wednesday, 09 ..." -> "Wednesday, 9 ..."
    if (comma != std::string::npos) t.erase(comma + 2, 1);
    return t;
}

std::string countText(int n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::string TaxonName(int c) { return c == 1 ? "Passerine" : c == 2 ? "Non-Passerine" : ""; }
std::string SexName(int c) {
    static const char* n[] = {"", "Male and female", "Male", "Female", "Unknown"};
    return c >= 1 && c <= 4 ? n[c] : "";
}
std::string AgeName(int c) {
    static const char* n[] = {"", "Adult", "Immature", "Unknown"};
    return c >= 1 && c <= 3 ? n[c] : "";
}

static std::string codeName(int which, int code) {
    return which == 0 ? TaxonName(code) : which == 1 ? SexName(code) : AgeName(code);
}

std::vector<std::string> SaveUserBirdInstructions() {
    return {"How to save a new User Bird",
            "",
            "1 Enter the bird's details on the Enter Bird screen",
            "",
            "2 Run the new bird through through one of the three calculations - ",
            "   Power Curve, Glide Polar or Migration - to make sure that it works",
            "",
            "3 In the Summary screen, click Return to Setup, then click Get New Bird",
            "   to get back to the Enter Bird screen",
            "",
            "4 Click User Birds, then click Save Last Bird as User Bird",
            "",
            "5 Edit details as necessary, then click Save. Make sure the new bird",
            "   has a unique Short Name - used in Excel output file names"};
}

// ---------------------------------------------------------------- helpers

std::string UserBirdsScreen::boxText(const std::string& box) const {
    auto it = boxes_.find(box);
    return it == boxes_.end() ? std::string() : it->second;
}

bool UserBirdsScreen::enabled(const std::string& control) const {
    auto it = enabled_.find(control);
    return it != enabled_.end() && it->second;
}

void UserBirdsScreen::setBox(ScreenUpdate& u, const std::string& box, const std::string& text) {
    boxes_[box] = text;
    u.show(box, text);
}

void UserBirdsScreen::setCode(ScreenUpdate& u, int which, int16_t code) {
    setBox(u, kCodes[which].box, std::to_string(code));
    setBox(u, kCodes[which].nameBox, codeName(which, code));
}

void UserBirdsScreen::enable(ScreenUpdate& u, const std::string& control, bool on) {
    enabled_[control] = on;
    u.setEnabled(control, on);
}

bool UserBirdsScreen::boxEditable(const std::string& box) const {
    for (const Code& c : kCodes)
        if (box == c.box) return true;  // the code boxes always accept typing
    const bool changing = mode_ != Mode::Browsing;
    if (box == kCropBox) return paramsFree_ || changing;
    for (const UserParameter& p : UserParameters())
        if (box == p.box) return paramsFree_ || changing;
    for (const Box& b : kRecordBoxes)
        if (box == b.box) return changing;
    return false;
}

void UserBirdsScreen::boxesEditable(ScreenUpdate& u) {
    for (const Box& b : kRecordBoxes) enable(u, b.box, boxEditable(b.box));
    enable(u, kCropBox, boxEditable(kCropBox));
    for (const UserParameter& p : UserParameters()) enable(u, p.box, boxEditable(p.box));
    for (const Code& c : kCodes) {
        enable(u, c.box, true);
        enable(u, c.spinner, mode_ != Mode::Browsing);
    }
}

void UserBirdsScreen::close() {
    if (rs_ && rs_->editing()) rs_->cancelUpdate();
    rs_.reset();
    db_.reset();
}

std::string UserBirdsScreen::backupFolder() const {
    const std::string root = s_.OutDrive.empty() ? platform::HomeFolder() : s_.OutDrive;
    return (fs::path(root) / "OrnivoBackups").string();
}

// ---------------------------------------------------------------- load, list, show

bool UserBirdsScreen::load(ScreenUpdate* update) {
    db_ = OpenUserBirds(s_, d_);
    if (!db_) return false;
    try {
        rs_ = db_->openRecordSet(kSource);
    } catch (const DatabaseError& e) {
        ShowDatabaseError(d_, e);
        close();
        return false;
    }
    saved_.TaxonGroup = s_.TaxonGroup;
    saved_.Sex = s_.Sex;
    saved_.Age = s_.Age;
    saved_.params.clear();
    for (const UserParameter& p : UserParameters()) saved_.params.push_back(ParameterValue(s_, p));
    mode_ = Mode::Browsing;
    paramsFree_ = true;
    by_ = ListBy::ShortName;
    ScreenUpdate u;
    u.setChecked(ctl::optShortName, true);
    u.append(rebuild());
    for (const char* b : kButtons) enable(u, b, true);
    enable(u, ctl::cmdDelete, rs_->recordCount() >= 2);
    enable(u, ctl::cmdSaveLast, s_.LastBirdValid);
    enable(u, ctl::cmdAdd, false);
    enable(u, ctl::cmdCancel, false);
    enable(u, ctl::cmdStopEdit, false);
    u.show(ctl::lblAddNew, "Fill in any empty boxes\nSet Group, Sex and Age\nThen click Save");
    u.setVisible(ctl::lblAddNew, false);
    u.setVisible(ctl::lblDoneBackup, false);
    u.setVisible(ctl::lblDoneRestore, false);
    u.setVisible(ctl::txtBackupLoc, false);
    boxesEditable(u);
    if (update) *update = u;
    return true;
}

ScreenUpdate UserBirdsScreen::rebuild() {
    ScreenUpdate u;
    list_ = BuildList(*rs_, by_);
    u.append(highlight(0));
    u.show(ctl::txtRecordCount, std::to_string(rs_->recordCount()));
    return u;
}

ScreenUpdate UserBirdsScreen::highlight(int index) {
    ScreenUpdate u;
    if (index < 0 || index >= static_cast<int>(list_.size())) return u;
    highlight_ = index;
    if (FindEntry(*rs_, by_, list_[index])) u.append(showCurrent());
    return u;
}

ScreenUpdate UserBirdsScreen::showCurrent() {
    ScreenUpdate u;
    if (!rs_ || rs_->eof()) return u;
    for (const Box& b : kRecordBoxes)
        setBox(u, b.box, b.digits == 0 ? rs_->text(b.field) : FormatSig(rs_->single(b.field), b.digits));
    setBox(u, kCropBox, FormatSig(rs_->single("Crop mass"), 3));
    for (const UserParameter& p : UserParameters()) setBox(u, p.box, FormatSig(rs_->single(p.field), 3));
    for (int i = 0; i < 3; ++i) {
        const int16_t code = CodeOf(*rs_, kCodes[i].field);
        setCode(u, i, code);
        codeState(s_, i) = code;
    }
    return u;
}

ScreenUpdate UserBirdsScreen::listBy(ListBy by) {
    if (!rs_ || mode_ != Mode::Browsing) return {};
    by_ = by;
    ScreenUpdate u;
    u.setChecked(by == ListBy::ShortName ? ctl::optShortName : ctl::optSciName, true);
    u.append(rebuild());
    return u;
}

ScreenUpdate UserBirdsScreen::choose(int index) {
    if (!rs_ || mode_ != Mode::Browsing || !enabled(ctl::lstGetBird)) return {};
    ScreenUpdate u = highlight(index);
    enable(u, ctl::cmdExit, true);
    return u;
}

// ---------------------------------------------------------------- typing

ScreenUpdate UserBirdsScreen::field(const std::string& control, const std::string& text) {
    ScreenUpdate u;
    if (!rs_ || !boxEditable(control)) return u;
    for (int i = 0; i < 3; ++i) {
        if (control != kCodes[i].box) continue;
        auto code = typedCode(text, kCodes[i].max);
        if (!code) {
            d_.error({kCodes[i].refusal});
            u.refused = true;
            u.focus = control;
            u.show(control, boxText(control));  // the box keeps its last valid code
            return u;
        }
        codeState(s_, i) = *code;
        setCode(u, i, *code);
        return u;
    }
    boxes_[control] = text;
    for (const UserParameter& p : UserParameters())
        if (control == p.box) ParameterValue(s_, p) = static_cast<float>(LeadingNumber(text));
    return u;
}

ScreenUpdate UserBirdsScreen::spin(const std::string& control, int value) {
    ScreenUpdate u;
    for (int i = 0; i < 3; ++i) {
        if (control != kCodes[i].spinner) continue;
        if (!enabled(control) || value < 1 || value > kCodes[i].max) return u;
        codeState(s_, i) = static_cast<int16_t>(value);
        setCode(u, i, static_cast<int16_t>(value));
    }
    return u;
}

void UserBirdsScreen::writeBoxes() {
    for (const Box& b : kRecordBoxes) {
        const std::string& t = boxes_[b.box];
        if (b.digits == 0) rs_->set(b.field, t);
        else rs_->set(b.field, double(static_cast<float>(LeadingNumber(t))));
    }
    rs_->set("Crop mass", double(static_cast<float>(LeadingNumber(boxes_[kCropBox]))));
    for (const UserParameter& p : UserParameters())
        rs_->set(p.field, double(static_cast<float>(LeadingNumber(boxes_[p.box]))));
    for (const Code& c : kCodes) {
        double v = LeadingNumber(boxes_[c.box]);
        rs_->set(c.field, int64_t(v > -32768.5 && v < 32767.5 ? CInt(v) : 0));
    }
}

// ---------------------------------------------------------------- enter, return

ScreenUpdate UserBirdsScreen::enterBird() {
    if (!rs_ || mode_ != Mode::Browsing || rs_->eof()) return {};
    ScreenUpdate u = EnterUserRecord(s_, *rs_);
    close();
    return u;
}

void UserBirdsScreen::returnToEnterBird() {
    if (rs_) {
        s_.TaxonGroup = saved_.TaxonGroup;
        s_.Sex = saved_.Sex;
        s_.Age = saved_.Age;
        for (std::size_t i = 0; i < saved_.params.size(); ++i) ParameterValue(s_, UserParameters()[i]) = saved_.params[i];
    }
    close();
}

// ---------------------------------------------------------------- adding

ScreenUpdate UserBirdsScreen::saveLast() {
    ScreenUpdate u;
    if (!rs_ || mode_ != Mode::Browsing || !s_.LastBirdValid) return u;
    const LastBirdRecord& L = s_.LastBird;
    highlight_ = static_cast<int>(list_.size()) - 1;  // the current record does not change
    mode_ = Mode::Adding;
    setBox(u, ctl::txtShortName, L.ShortName);
    setBox(u, ctl::txtScientificName, L.SpName);
    setBox(u, ctl::txtComment, "");
    setBox(u, ctl::txtMass, FormatSig(L.EmptyMass, 3));
    setBox(u, kCropBox, FormatSig(L.CropMass, 3));
    setBox(u, ctl::txtSpan, FormatSig(L.Span, 3));
    setBox(u, ctl::txtArea, FormatSig(L.WingArea, 3));
    setBox(u, ctl::txtMuscFrac, FormatSig(L.MuscleFrac, 3));
    setBox(u, ctl::txtFatFrac, FormatSig(L.FatFrac, 3));
    setBox(u, ctl::txtRho, FormatSig(L.AirDensity, 4));
    const float params[] = {L.Cprof, L.PbmrFactor, L.FreqFactor, L.FrontalAreaFactor, L.Cdb, L.Cdw, L.Kflap,
                            L.Kglide, L.Kmito, L.Resp, L.Eta, L.Efat, L.Eprotein, L.ProtHydr, L.ProtFracTarget,
                            L.ClMax, L.PlanformSlope, L.Bstop, L.Gravity0};
    for (std::size_t i = 0; i < UserParameters().size(); ++i) setBox(u, UserParameters()[i].box, FormatSig(params[i], 3));
    const float codes[] = {L.TaxonGroup, L.Sex, L.Age};
    for (int i = 0; i < 3; ++i) {
        const double c = codes[i];
        setCode(u, i, c > -32768.5 && c < 32767.5 ? CInt(c) : 0);
    }
    enable(u, ctl::lstGetBird, false);
    u.setVisible(ctl::lblAddNew, true);
    for (const char* b : {ctl::cmdDelete, ctl::cmdExit, ctl::cmdSaveLast, ctl::cmdReturn, ctl::cmdBackup,
                          ctl::cmdRestore, ctl::cmdStartEdit, ctl::cmdStopEdit})
        enable(u, b, false);
    for (const char* b : {ctl::cmdAdd, ctl::cmdCancel, ctl::cmdShowDefs}) enable(u, b, true);
    boxesEditable(u);
    return u;
}

ScreenUpdate UserBirdsScreen::save() {
    ScreenUpdate u;
    if (!rs_ || mode_ != Mode::Adding) return u;
    if (blank(boxText(ctl::txtShortName))) {
        d_.error({"Please supply Short Name"});
        u.refused = true;
        u.focus = ctl::txtShortName;
        return u;
    }
    if (blank(boxText(ctl::txtComment))) {
        d_.error({"Please supply Comment"});
        u.refused = true;
        u.focus = ctl::txtComment;
        return u;
    }
    try {
        rs_->addNew();
        writeBoxes();
        rs_->update();
    } catch (const DatabaseError& e) {
        rs_->cancelUpdate();
        ShowDatabaseError(d_, e);  // still adding: the typed bird stays in the boxes
        u.refused = true;
        return u;
    }
    mode_ = Mode::Browsing;
    paramsFree_ = false;
    u.append(rebuild());
    for (const char* b : {ctl::cmdDelete, ctl::cmdReturn, ctl::cmdSaveLast, ctl::cmdExit, ctl::cmdBackup,
                          ctl::cmdRestore, ctl::cmdStartEdit, ctl::lstGetBird})
        enable(u, b, true);
    enable(u, ctl::cmdSaveLast, s_.LastBirdValid);
    enable(u, ctl::cmdAdd, false);
    enable(u, ctl::cmdCancel, false);
    u.setVisible(ctl::lblAddNew, false);
    boxesEditable(u);
    return u;
}

ScreenUpdate UserBirdsScreen::cancel() {
    ScreenUpdate u;
    if (!rs_ || mode_ != Mode::Adding) return u;
    mode_ = Mode::Browsing;
    paramsFree_ = false;
    u.setVisible(ctl::lblAddNew, false);
    for (const char* b : {ctl::cmdDelete, ctl::cmdReturn, ctl::cmdExit, ctl::lstGetBird}) enable(u, b, true);
    enable(u, ctl::cmdAdd, false);
    enable(u, ctl::cmdCancel, false);
    // The boxes keep the typed values until an entry is clicked; the highlighted last entry's record
    // is made current, so that "Enter bird into program" enters the bird the list shows.
    highlight_ = static_cast<int>(list_.size()) - 1;
    if (highlight_ >= 0) FindEntry(*rs_, by_, list_[highlight_]);
    boxesEditable(u);
    return u;
}

// ---------------------------------------------------------------- editing

ScreenUpdate UserBirdsScreen::startEdit() {
    ScreenUpdate u;
    if (!rs_ || mode_ != Mode::Browsing || rs_->eof() || !enabled(ctl::cmdStartEdit)) return u;
    rs_->edit();
    mode_ = Mode::Editing;
    for (const char* b : {ctl::cmdExit, ctl::cmdSaveLast, ctl::cmdDelete, ctl::cmdStartEdit, ctl::cmdBackup,
                          ctl::cmdRestore, ctl::cmdAdd, ctl::cmdCancel, ctl::cmdReturn, ctl::lstGetBird})
        enable(u, b, false);
    enable(u, ctl::cmdStopEdit, true);
    enable(u, ctl::cmdShowDefs, true);
    boxesEditable(u);
    return u;
}

ScreenUpdate UserBirdsScreen::finishEdit() {
    ScreenUpdate u;
    if (!rs_ || mode_ != Mode::Editing) return u;
    try {
        if (!rs_->editing()) rs_->edit();
        writeBoxes();
        rs_->update();
    } catch (const DatabaseError& e) {
        ShowDatabaseError(d_, e);  // still editing: nothing typed is lost, Finish can be tried again
        u.refused = true;
        return u;
    }
    mode_ = Mode::Browsing;
    paramsFree_ = false;
    // The list shows the names as stored now; the edited record stays current and highlighted.
    const int at = rs_->position();
    list_ = BuildList(*rs_, by_);
    rs_->moveTo(at);
    highlight_ = at;
    enable(u, ctl::cmdDelete, rs_->recordCount() > 1);
    for (const char* b : {ctl::cmdExit, ctl::cmdStartEdit, ctl::cmdShowDefs, ctl::cmdBackup, ctl::cmdRestore,
                          ctl::cmdReturn, ctl::lstGetBird})
        enable(u, b, true);
    for (const char* b : {ctl::cmdSaveLast, ctl::cmdStopEdit, ctl::cmdAdd, ctl::cmdCancel}) enable(u, b, false);
    boxesEditable(u);
    return u;
}

// ---------------------------------------------------------------- delete

ScreenUpdate UserBirdsScreen::deleteBird() {
    ScreenUpdate u;
    if (!rs_ || mode_ != Mode::Browsing) return u;
    if (rs_->recordCount() < 2) {
        enable(u, ctl::cmdDelete, false);
        d_.error({"Can't delete the last record", "Database must contain at least one record!"});
        u.refused = true;
        return u;
    }
    if (rs_->eof()) return u;
    try {
        rs_->remove();
    } catch (const DatabaseError& e) {
        ShowDatabaseError(d_, e);
        u.refused = true;
        return u;
    }
    u.append(rebuild());
    // The last entry is highlighted, and its record made current and shown, so that the list, the
    // boxes and the record the buttons act on agree.
    u.append(highlight(static_cast<int>(list_.size()) - 1));
    u.show(ctl::txtRecordCount, std::to_string(rs_->recordCount()));
    enable(u, ctl::cmdDelete, rs_->recordCount() >= 2);
    return u;
}

// ---------------------------------------------------------------- backup and restore

ScreenUpdate UserBirdsScreen::backup() {
    ScreenUpdate u;
    backupFile_.clear();
    if (!rs_ || mode_ != Mode::Browsing) return u;
    if (rs_->recordCount() == 1) {
        rs_->moveFirst();
        if (rs_->text("Scientific name") == "Calidris alba") {
            d_.error({"The only entry in your User Birds database is the Sanderling",
                      "that came with the program. You don't need to back this up.",
                      "Use Backup to preserve data that you have entered."});
            u.refused = true;
            return u;
        }
    }
    const std::string folder = backupFolder();
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        d_.error({"Cannot create the backup folder " + folder, ec.message()});
        u.refused = true;
        return u;
    }
    auto chosen = d_.saveFile({"Save User Birds", folder + "/", "*.txt", "UserBirds Backup " + longDate() + ".txt"});
    if (!chosen || chosen->empty()) return u;  // cancelled: nothing written, nothing to report
    const std::string path = *chosen;

    std::ostringstream text;
    const int at = rs_->eof() ? -1 : rs_->position();
    for (rs_->moveFirst(); !rs_->eof(); rs_->moveNext())
        for (const std::string& line : BackupLines(ReadBackupRecord(*rs_))) text << line << "\r\n";
    if (at >= 0) rs_->moveTo(at);

    // Written under a temporary name and renamed, so a failure never leaves half a file under the
    // chosen name (nor destroys an older backup there).
    const std::string temp = path + ".part";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << text.str();
        out.flush();
        if (!out) {
            out.close();
            fs::remove(temp, ec);
            d_.error({"Cannot write the backup file " + path, "Nothing was backed up."});
            u.refused = true;
            return u;
        }
    }
    fs::rename(temp, path, ec);
    if (ec) {
        std::error_code ignore;
        fs::remove(temp, ignore);
        d_.error({"Cannot write the backup file " + path, ec.message() + ". Nothing was backed up."});
        u.refused = true;
        return u;
    }
    backupFile_ = fs::absolute(path, ec).string();
    u.setVisible(ctl::lblDoneBackup, true);
    u.setVisible(ctl::txtBackupLoc, true);
    u.show(ctl::txtBackupLoc, backupFile_);
    return u;
}

ScreenUpdate UserBirdsScreen::restore() {
    ScreenUpdate u;
    restored_ = 0;
    if (!rs_ || mode_ != Mode::Browsing) return u;
    auto chosen = d_.openFile({"Restore User Birds", backupFolder() + "/", "*.txt", ""});
    if (!chosen || chosen->empty()) return u;  // cancelled
    const std::string path = *chosen;
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    if (in) ss << in.rdbuf();
    if (!in || in.bad()) {
        d_.error({"Cannot read the backup file " + path, "No records were restored."});
        u.refused = true;
        return u;
    }
    std::vector<BackupRecord> records;
    try {
        records = ParseBackup(ss.str());
    } catch (const BackupFormatError& e) {
        d_.error({"The file " + path + " is not a User Birds backup:", "line " + std::to_string(e.line) + ": " +
                      std::string(e.what()).substr(std::string(e.what()).find(": ") + 2),
                  "No records were restored."});
        u.refused = true;
        return u;
    }
    // All records of the file in one transaction: either every one is added or none.
    try {
        external::Database::Batch batch(*db_);
        for (const BackupRecord& r : records) {
            rs_->addNew();
            WriteBackupRecord(*rs_, r);
            rs_->update();
        }
        batch.commit();
    } catch (const DatabaseError& e) {
        if (rs_->editing()) rs_->cancelUpdate();
        std::vector<std::string> lines = e.lines();
        lines.push_back("No records were restored.");
        d_.error(lines);
        // The record set saw records that were rolled back: read the table again.
        try {
            rs_ = db_->openRecordSet(kSource);
        } catch (const DatabaseError& e2) {
            ShowDatabaseError(d_, e2);
        }
        u.append(rebuild());
        u.refused = true;
        return u;
    }
    restored_ = static_cast<int>(records.size());
    u.append(rebuild());
    rs_->moveLast();
    highlight_ = static_cast<int>(list_.size()) - 1;
    u.append(showCurrent());
    enable(u, ctl::cmdDelete, rs_->recordCount() >= 2);
    u.setVisible(ctl::lblDoneRestore, true);
    d_.info({"Data restored: " + countText(restored_, "record", "records") + " added from", path});
    return u;
}

}  // namespace ornivo::birddb
