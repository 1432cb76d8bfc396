// The .xlsx reader on arbitrary bytes: true with a workbook, or false with a reason; never a crash.
#include "FuzzFile.h"
#include "external/spreadsheet/WorkbookFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = ornivo::fuzz::ScratchFile(data, size, ".xlsx");
    ornivo::sheet::Workbook wb;
    std::string error;
    if (!ornivo::sheet::ReadXlsx(path, wb, error) && error.empty()) ornivo::fuzz::Finding("refusal without a reason");
    return 0;
}
