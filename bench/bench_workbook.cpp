// The workbook export of a full data file store (36000 records) against the
// floor: the same cells written directly with libxlsxwriter in its
// constant-memory mode, into the same folder.
#include "file_records.h"
#include "floor_ratio.h"
#include "ok_boxes.h"
#include "output/workbook_export.h"
#include "platform/common_dialog.h"
#include "scratch_files.h"

#include <xlsxwriter.h>

#include <QFile>

#include <cstdio>
#include <memory>
#include <string>

#include <sys/stat.h>

namespace {

long long fileSize(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? static_cast<long long>(st.st_size) : 0;
}

void BM_WorkbookExport(benchmark::State& state) {
    const std::string path = benchPath("export.xls");
    meter::CommonDialog dialog([&](const meter::CommonDialog::Request&) { return QFile::decodeName(path.c_str()); });
    OkBoxes boxes;
    const meter::ApplicationFactory objects = meter::automationObjects();
    for (auto _ : state) {
        meter::exportToExcelCommand(fullFileStore(), dialog, boxes, objects);
        if (boxes.shown > 0) state.SkipWithError("export failed");
    }
    state.counters["bytes"] = static_cast<double>(fileSize(path));
    std::remove(path.c_str());
}

// The same cells, straight into libxlsxwriter.
void BM_WorkbookFloor(benchmark::State& state) {
    const std::string path = benchPath("floor.xlsx");
    const meter::SharedState& s = fullFileStore();
    for (auto _ : state) {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        lxw_workbook* book = workbook_new_opt(path.c_str(), &options);
        lxw_worksheet* sheet = workbook_add_worksheet(book, "Sheet1");
        worksheet_write_string(sheet, 0, 0, "NO.", nullptr);
        worksheet_write_string(sheet, 0, 1, "TIME", nullptr);
        worksheet_write_string(sheet, 0, 2, "DATA", nullptr);
        worksheet_write_string(sheet, 0, 3, "dBA\\dBC", nullptr);
        std::string text;
        for (std::int32_t i = 1; i <= s.fileRecordCount; ++i) {
            const meter::FileRecord& r = s.fileRecords[i];
            const auto row = static_cast<lxw_row_t>(i);
            worksheet_write_number(sheet, row, 0, r.no, nullptr);
            text.assign(r.timeText.view());
            worksheet_write_string(sheet, row, 1, text.c_str(), nullptr);
            worksheet_write_number(sheet, row, 2, r.value, nullptr);
            text.assign(r.unitText.view());
            worksheet_write_string(sheet, row, 3, text.c_str(), nullptr);
        }
        if (workbook_close(book) != LXW_NO_ERROR) state.SkipWithError("write failed");
    }
    state.counters["bytes"] = static_cast<double>(fileSize(path));
    std::remove(path.c_str());
}

BENCHMARK(BM_WorkbookExport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WorkbookFloor)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return runWithFloorRatios(argc, argv, {{"BM_WorkbookExport", "BM_WorkbookFloor", 1.2}});
}
