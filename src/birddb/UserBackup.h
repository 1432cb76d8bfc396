#pragma once
// The user-bird backup file: plain text, one value per line, no header. A record is 32 lines:
// "Short name", "Scientific name", "Comment", six singles ("Empty mass" ... "Fat fraction"), three
// whole-number codes ("Taxon", "Sex", "Age"), then "Crop mass" and the nineteen parameters. A short
// form of the first twelve lines is read too, and files mixing both forms.
#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "external/database/Database.h"

namespace ornivo::birddb {

// Field names of a backup record in file order.
const std::array<const char*, 3>& BackupTextFields();
const std::array<const char*, 6>& BackupNumberFields();   // after the texts
const std::array<const char*, 3>& BackupCodeFields();     // Taxon, Sex, Age
const std::array<const char*, 20>& BackupExtraFields();   // Crop mass and the nineteen parameters

struct BackupRecord {
    std::array<std::string, 3> texts;
    std::array<float, 6> numbers{};
    std::array<int16_t, 3> codes{};
    bool full = false;  // false: a 12-line record, the extra fields keep the table's defaults
    std::array<float, 20> extra{};
};

// A malformed backup file: the line (1-based) and what was wrong.
struct BackupFormatError : std::runtime_error {
    BackupFormatError(int line, const std::string& what);
    int line;
};

// A single as a backup line: decimal with a point, exponent form (1.2E-06, 3.9E+07) for very
// small or very large values, digits enough to read back the same single.
std::string BackupNumberText(float x);
// A backup line read as a number: blanks around it, ".05", "1.2E-06"; false when it is not one.
bool ReadBackupNumber(const std::string& line, double& out);

// The record set's current record, and the lines of a record.
BackupRecord ReadBackupRecord(const external::RecordSet& rs);
std::vector<std::string> BackupLines(const BackupRecord& r);
// Writes a record into a record set that is adding a new record (the short form leaves the rest).
void WriteBackupRecord(external::RecordSet& rs, const BackupRecord& r);

// Every record of a backup file's text; throws BackupFormatError at the first problem.
std::vector<BackupRecord> ParseBackup(const std::string& text);

}  // namespace ornivo::birddb
