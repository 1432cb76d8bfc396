#pragma once
// The user bird screen (frmGetUserBird): the user's own birds in the table "User Birds" of their
// own copy of Birds.db. Lists, shows, enters, adds (from the last bird), edits and deletes birds,
// and writes the table to a backup text file or adds the records of such a file.
//
// Three modes: browsing, adding (saveLast() until save() or cancel()) and editing (startEdit()
// until finishEdit()). Every call returns what the screen shows and enables: texts by control
// name, visible labels, enabled buttons, and for text boxes "enabled" means "accepts typing"
// (read-only otherwise). The logic keeps the boxes' texts itself (boxText()), so the screen only
// passes on what the user typed (field()) and the spinners' values (spin()).
//
// Every add, edit and delete is a committed transaction of the user's database file; a failure is
// shown naming the file and nothing typed is lost. Leaving by "Return to Enter Bird Screen" puts
// back the state values that showing and typing changed.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "birddb/BirdList.h"
#include "external/database/Database.h"
#include "platform/Dialogs.h"
#include "state/ProgramState.h"
#include "state/ScreenUpdate.h"

namespace ornivo::birddb {

class UserBirdsScreen {
public:
    enum class Mode { Browsing, Adding, Editing };

    UserBirdsScreen(ProgramState& s, platform::Dialogs& d) : s_(s), d_(d) {}

    // Load: opens the user's database (made from the shipped file on first use) and shows the first
    // bird. False, after a message naming the file, when it cannot be used: the screen closes.
    bool load(ScreenUpdate* update = nullptr);
    // optShortName / optSciName.
    ScreenUpdate listBy(ListBy by);
    // Mouse release over a list entry: its record (the first with that name) becomes current.
    ScreenUpdate choose(int index);
    // Leaving a box: txtShortName, txtScientificName, txtComment, txtMass, txtSpan, txtArea, txtRho,
    // txtMuscFrac, txtFatFrac, txtTaxon, txtSex, txtAge, txtCropMass and the nineteen parameter boxes
    // (txtCprof ... txtG). A box that does not accept typing now keeps its text.
    ScreenUpdate field(const std::string& control, const std::string& text);
    // A spinner turned: UpDownTaxon (1 to 2), UpDownSex (1 to 4), UpDownAge (1 to 3).
    ScreenUpdate spin(const std::string& control, int value);

    // "Enter bird into program" (cmdExit): the current record into slot 0 with its parameters;
    // returns the Enter Bird screen's update and closes.
    ScreenUpdate enterBird();
    // "Return to Enter Bird Screen" (cmdReturn): closes.
    void returnToEnterBird();
    ScreenUpdate saveLast();    // cmdSaveLast "Save last bird as User Bird"
    ScreenUpdate save();        // cmdAdd "Save"
    ScreenUpdate cancel();      // cmdCancel
    ScreenUpdate startEdit();   // cmdStartEdit
    ScreenUpdate finishEdit();  // cmdStopEdit
    ScreenUpdate deleteBird();  // cmdDelete
    ScreenUpdate backup();      // cmdBackup: asks for the file through the save dialog
    ScreenUpdate restore();     // cmdRestore: asks for the file through the open dialog

    const std::vector<std::string>& list() const { return list_; }
    int highlighted() const { return highlight_; }
    Mode mode() const { return mode_; }
    int recordCount() const { return rs_ ? rs_->recordCount() : 0; }
    bool isOpen() const { return db_ != nullptr; }
    std::string boxText(const std::string& box) const;
    bool enabled(const std::string& control) const;  // the latest enabled state the logic gave
    // The records the last restore added (0 when it failed or added none).
    int lastRestoreCount() const { return restored_; }
    std::string lastBackupFile() const { return backupFile_; }

private:
    ScreenUpdate rebuild();
    ScreenUpdate showCurrent();
    ScreenUpdate highlight(int index);
    void setBox(ScreenUpdate& u, const std::string& box, const std::string& text);
    void setCode(ScreenUpdate& u, int which, int16_t code);
    void enable(ScreenUpdate& u, const std::string& control, bool on);
    void boxesEditable(ScreenUpdate& u);
    bool boxEditable(const std::string& box) const;
    void writeBoxes();
    void close();
    std::string backupFolder() const;

    ProgramState& s_;
    platform::Dialogs& d_;
    std::unique_ptr<external::Database> db_;
    std::unique_ptr<external::RecordSet> rs_;
    std::vector<std::string> list_;
    ListBy by_ = ListBy::ShortName;
    int highlight_ = -1;
    Mode mode_ = Mode::Browsing;
    bool paramsFree_ = true;  // parameter boxes accept typing until the first Save, Cancel or Finish
    std::map<std::string, std::string> boxes_;
    std::map<std::string, bool> enabled_;
    int restored_ = 0;
    std::string backupFile_;

    // The state values that showing records and typing change, put back by Return.
    struct Saved {
        int16_t TaxonGroup = 0, Sex = 0, Age = 0;
        std::vector<float> params;
    } saved_;
};

// The instruction screen frmSaveUserBird: its lines ("" stands for an empty line).
std::vector<std::string> SaveUserBirdInstructions();
// Code names shown beside the code boxes (index 0 and codes outside the range: "").
std::string TaxonName(int code);
std::string SexName(int code);
std::string AgeName(int code);

}  // namespace ornivo::birddb
