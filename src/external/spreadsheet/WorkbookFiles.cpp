#include "external/spreadsheet/WorkbookFiles.h"

#include <cctype>

namespace ornivo::sheet {

namespace {

std::string LowerExtension(const std::string& path) {
    std::size_t dot = path.find_last_of('.');
    std::size_t slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = path.substr(dot);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

}  // namespace

bool OpenWorkbook(const std::string& path, Workbook& out, std::string& error) {
    std::string ext = LowerExtension(path);
    if (ext == ".xlsx" || ext == ".xlsm" || ext == ".xltx") return ReadXlsx(path, out, error);
    if (ext == ".xls") return ReadXls(path, out, error);
    if (ext == ".csv") return ReadCsv(path, out, error);
    error = "Cannot open " + path + ": not an .xlsx, .xls or .csv file";
    return false;
}

bool NewFromTemplate(const std::string& templatePath, Workbook& out, std::string& error) {
    Workbook wb;
    if (!OpenWorkbook(templatePath, wb, error)) return false;
    wb.setPath({});
    out = std::move(wb);
    return true;
}

}  // namespace ornivo::sheet
