#pragma once
// Bird databases made for a test from a few CSV rows, in a temporary program folder, with the
// per-user data folder pointed into the same temporary folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "external/database/CsvImport.h"
#include "platform/Folders.h"
#include "platform/ScriptedDialogs.h"
#include "state/ProgramState.h"
#include "support/TempDir.h"

namespace ornivo::test {

inline const char* kPresetHeader =
    "Scientific name,Short name,Comment,Empty mass,Wing span,Wing area,Air density,Muscle fraction,"
    "Fat fraction,Taxon,Sex,Age\n";
inline const char* kUserHeader =
    "Scientific name,Short name,Comment,Empty mass,Wing span,Wing area,Air density,Muscle fraction,"
    "Fat fraction,Taxon,Sex,Age,Crop mass,Cprof,BMR factor,Freq factor,Sb factor,Body Cd,Wing Cd,Kflap,"
    "Kglide,Kmito,Resp,Eta,Efat,Eprot,ProtHydr,ProtFracTarget,ClMax,Delta,Bstop,Gravity\n";
inline const char* kWingsHeader =
    "Class,Order,Family,Genus,Species,Sex,Age,Condition,Mass,Wing Span,Wing Area,Depressor muscle mass,"
    "Elevator muscle mass,Locality,Remarks,Source,Date text,Country\n";
inline const char* kSanderling =
    "Calidris alba,Sanderling,Delivered,0.05,0.35,0.016,1.225,0.19,0,2,1,3,0,8.4,1,1,1,0.1,0.014,1.2,1.1,"
    "1.2e-06,1.1,0.23,3.9e+07,1.83e+07,2.2,0.05,1.8,1,5,9.81\n";

inline std::string SchemaText(const std::string& name) {
    return ReadFile(std::string(ORNIVO_SOURCE_DIR) + "/data/birds/" + name);
}

struct BirdDbFolder {
    TempDir dir;
    ProgramState s;
    platform::ScriptedDialogs d;

    explicit BirdDbFolder(const std::string& presetRows = "", const std::string& userRows = kSanderling,
                          const std::string& wingsRows = "") {
        namespace fs = std::filesystem;
        fs::create_directories(dir.path() / "program" / "Data");
        const std::string preset = dir.write("preset.csv", kPresetHeader + presetRows);
        const std::string user = dir.write("user.csv", kUserHeader + userRows);
        const std::string wings = dir.write("wings.csv", kWingsHeader + wingsRows);
        external::BuildDatabase(programData("Birds.db"), SchemaText("birds_schema.sql"),
                                {{"Preset Birds", preset}, {"User Birds", user}});
        external::BuildDatabase(programData("Wings.db"), SchemaText("wings_schema.sql"), {{"Table1", wings}});
        s.ProgramFolder = (dir.path() / "program").string();
        s.OutDrive = (dir.path() / "out").string();
        platform::SetUserDataFolder((dir.path() / "user").string());
    }
    ~BirdDbFolder() { platform::SetUserDataFolder(""); }

    std::string programData(const std::string& name) const { return (dir.path() / "program" / "Data" / name).string(); }
    std::string userDb() const { return (dir.path() / "user" / "Birds.db").string(); }
    // The error and information messages shown so far, each as its lines.
    std::vector<std::vector<std::string>> messages() const { return d.messages(); }
};

}  // namespace ornivo::test
