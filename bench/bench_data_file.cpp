// Reading a data file of 36000 records (a full file store) against the floor:
// reading the same file into memory and splitting it into lines.
#include "data_file_text.h"
#include "file_bytes.h"
#include "floor_ratio.h"
#include "output/data_file_read.h"
#include "record_fills.h"
#include "scratch_files.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A data file as a logger writes it: title lines, the separator, a heading,
// then one record a line in the fixed columns.
class BenchFile {
public:
    BenchFile() : path_(benchPath("data.txt")) {
        std::string bytes = testsupport::dataFileHead();
        for (int n = 1; n <= meter::FileRecordStore::capacity; ++n)
            bytes += testsupport::dataFileLine(std::to_string(n), testsupport::timeTextAt(n),
                                               std::to_string(30 + n % 70) + "." + std::to_string(n % 10),
                                               n % 2 ? "dBA" : "dBC");
        testsupport::writeFile(path_, bytes);
        size_ = bytes.size();
    }
    ~BenchFile() { std::remove(path_.c_str()); }
    const std::string& path() const { return path_; }
    std::size_t size() const { return size_; }

private:
    std::string path_;
    std::size_t size_ = 0;
};

const BenchFile& benchFile() {
    static const BenchFile file;
    return file;
}

void BM_ReadDataFile(benchmark::State& state) {
    const BenchFile& file = benchFile();
    auto records = std::make_unique<meter::FileRecordStore>();
    for (auto _ : state) {
        const meter::DataFileResult r = meter::readDataFileAt(file.path(), '.', *records);
        if (r.count != meter::FileRecordStore::capacity) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(r);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
    state.counters["bytes_per_record"] = sizeof(meter::FileRecord);
    state.counters["store_bytes"] = static_cast<double>(sizeof(meter::FileRecord)) * meter::FileRecordStore::capacity;
}

// The floor: the whole file into memory in one read, then its lines (ended by
// CR, an LF after a CR skipped) as views.
void BM_Floor(benchmark::State& state) {
    const BenchFile& file = benchFile();
    std::string bytes;
    std::vector<std::string_view> lines;
    for (auto _ : state) {
        const int fd = ::open(file.path().c_str(), O_RDONLY | O_CLOEXEC);
        struct stat st {};
        ::fstat(fd, &st);
        bytes.resize(static_cast<std::size_t>(st.st_size));
        std::size_t got = 0;
        while (got < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
            if (n <= 0) break;
            got += static_cast<std::size_t>(n);
        }
        ::close(fd);
        lines.clear();
        const char* p = bytes.data();
        const char* end = p + got;
        while (p < end) {
            const auto* cr = static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(end - p)));
            const char* lineEnd = cr ? cr : end;
            lines.emplace_back(p, static_cast<std::size_t>(lineEnd - p));
            p = cr ? cr + 1 : end;
            if (p < end && *p == '\n') ++p;
        }
        benchmark::DoNotOptimize(lines.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
}

} // namespace

BENCHMARK(BM_ReadDataFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Floor)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) { return runWithFloorRatios(argc, argv, {{"BM_ReadDataFile", "BM_Floor", 5}}); }
