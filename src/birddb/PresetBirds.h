#pragma once
// The preset bird screen (frmGetPreset): lists the read-only table "Preset Birds", shows the chosen
// record and enters it as the current bird on the Enter Bird screen.
//
// The screen holds its database open from load() until enterBird() or cancel(). Each call returns
// what the screen shows (texts by control name, enabled states); the list itself is list().
#include <memory>
#include <string>
#include <vector>

#include "birddb/BirdList.h"
#include "external/database/Database.h"
#include "platform/Dialogs.h"
#include "state/ProgramState.h"
#include "state/ScreenUpdate.h"

namespace ornivo::birddb {

class PresetBirdsScreen {
public:
    PresetBirdsScreen(ProgramState& s, platform::Dialogs& d) : s_(s), d_(d) {}

    // Load: opens Data/Birds.db and fills the list by short names. False, after a message naming the
    // file, when the database cannot be used: the screen then closes and nothing has changed.
    bool load(ScreenUpdate* update = nullptr);
    // optShortName / optSciName: rebuilds the list; the text boxes keep the last chosen bird and no
    // record is current until an entry is clicked.
    ScreenUpdate listBy(ListBy by);
    // A list entry chosen (clicked or highlighted with the keys; by its index in list()): its own record.
    // Entries that read the same carry the mass that tells them apart.
    ScreenUpdate choose(int index);
    // "Enter bird into program" (cmdExit): the chosen record into slot 0; returns the update of the
    // Enter Bird screen. Without a chosen record nothing happens (empty update, the screen stays open).
    ScreenUpdate enterBird();
    // "Return to Enter Bird Screen" (cmdCancel): closes; no state value changes.
    void cancel();

    // The names as listed (one per record, in record-set order), and the entries the screen shows:
    // the same, with the mass added to names that read alike.
    const std::vector<std::string>& list() const { return list_; }
    const std::vector<std::string>& entries() const { return entries_; }
    ListBy listedBy() const { return by_; }
    int recordCount() const { return rs_ ? rs_->recordCount() : 0; }
    bool isOpen() const { return db_ != nullptr; }
    bool hasChoice() const { return chosen_; }

private:
    ScreenUpdate fill();
    void close();
    ProgramState& s_;
    platform::Dialogs& d_;
    std::unique_ptr<external::Database> db_;
    std::unique_ptr<external::RecordSet> rs_;
    std::vector<std::string> list_, entries_;
    ListBy by_ = ListBy::ShortName;
    bool chosen_ = false;
};

}  // namespace ornivo::birddb
