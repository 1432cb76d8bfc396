#include "birddb/PresetBirds.h"

#include "birddb/BirdFiles.h"
#include "birddb/EnterFromRecord.h"
#include "state/ControlNames.h"

namespace ornivo::birddb {

bool PresetBirdsScreen::load(ScreenUpdate* update) {
    db_ = OpenPresetBirds(s_, d_);
    if (!db_) return false;
    try {
        rs_ = db_->openRecordSet("SELECT * FROM [Preset Birds] ORDER BY [Scientific name]");
    } catch (const external::DatabaseError& e) {
        ShowDatabaseError(d_, e);
        close();
        return false;
    }
    by_ = ListBy::ShortName;
    ScreenUpdate u = fill();
    u.setChecked(ctl::optShortName, true);
    u.setEnabled(ctl::cmdExit, false);
    if (update) *update = u;
    return true;
}

ScreenUpdate PresetBirdsScreen::fill() {
    ScreenUpdate u;
    list_ = BuildList(*rs_, by_);
    entries_ = BuildDistinctList(*rs_, by_);
    chosen_ = false;  // the record set now stands past its last record
    u.show(ctl::txtRecordCount, std::to_string(rs_->recordCount()));
    return u;
}

ScreenUpdate PresetBirdsScreen::listBy(ListBy by) {
    if (!rs_) return {};
    by_ = by;
    ScreenUpdate u = fill();
    u.setChecked(by == ListBy::ShortName ? ctl::optShortName : ctl::optSciName, true);
    // No record is current until an entry is clicked, so entering is not possible meanwhile.
    u.setEnabled(ctl::cmdExit, false);
    return u;
}

ScreenUpdate PresetBirdsScreen::choose(int index) {
    ScreenUpdate u;
    if (!rs_ || index < 0 || index >= static_cast<int>(list_.size())) return u;
    rs_->moveTo(index);  // entry i is record i: each entry, duplicates too, stands for its own record
    if (rs_->eof()) return u;
    chosen_ = true;
    u.show(ctl::txtShortName, rs_->text("Short name"));
    u.show(ctl::txtScientificName, rs_->text("Scientific name"));
    u.show(ctl::txtComment, rs_->text("Comment"));
    u.setEnabled(ctl::cmdExit, true);
    return u;
}

ScreenUpdate PresetBirdsScreen::enterBird() {
    if (!rs_ || !chosen_ || rs_->eof()) return {};
    ScreenUpdate u = EnterCommonFields(s_, *rs_, 3);
    close();
    return u;
}

void PresetBirdsScreen::cancel() { close(); }

void PresetBirdsScreen::close() {
    rs_.reset();
    db_.reset();
    chosen_ = false;
}

}  // namespace ornivo::birddb
