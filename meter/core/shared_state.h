// State shared by every window of the program: the live record store, the
// running extremes and the graph settings. One instance lives for the run.
#pragma once

#include "core/regional.h"
#include "core/units.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

namespace meter {

// A short text kept inside the record, so that filling a record allocates nothing.
template <std::size_t N>
struct FixedText {
    char data[N] = {};
    std::uint8_t len = 0;

    void assign(std::string_view s) {
        len = static_cast<std::uint8_t>(s.size() < N ? s.size() : N);
        std::memcpy(data, s.data(), len);
    }
    std::string_view view() const { return {data, len}; }
    bool empty() const { return len == 0; }
};

struct LiveRecord {
    std::int32_t no = 0;
    double velocity = 0;
    double temperature = 0;
    double flow = 0;
    double area = 0;
    Unit velocityUnit = Unit::None;
    Unit temperatureUnit = Unit::None;
    Unit flowUnit = Unit::None;
    Unit areaUnit = Unit::None;
    FixedText<10> dateText; // "DD-MM-YYYY"
    // Time of day of reception; its text, in the user's format with seconds,
    // is made on use with Regional::timeFormat.
    TimeOfDay timeText;
};

// A fixed number of record slots, numbered from 1, allocated once for the run.
template <class Record, std::int32_t Capacity>
class RecordStore {
public:
    static constexpr std::int32_t capacity = Capacity;

    RecordStore() : slots_(new Record[capacity]) {}
    Record& operator[](std::int32_t n) { return slots_[n - 1]; }
    const Record& operator[](std::int32_t n) const { return slots_[n - 1]; }

private:
    std::unique_ptr<Record[]> slots_;
};

using LiveRecordStore = RecordStore<LiveRecord, 50000>;

// One record line of a data file. The texts are UTF-8, decoded from the file's
// 8-bit code page: the 11 time columns and 3 unit columns take at most 3 bytes
// a character.
struct FileRecord {
    double value = 0;
    std::int32_t no = 0;
    FixedText<33> timeText;
    FixedText<9> unitText;
};

using FileRecordStore = RecordStore<FileRecord, 36000>;

// Stands for a velocity, temperature or flow the meter flags as invalid.
inline constexpr double invalidReading = 9999999.0;

// The graph settings every run starts with: full scale 6000, all four series
// shown, the newest screen.
inline constexpr double startGraphRange = 6000.0;
inline constexpr bool startSeriesShown = true;
inline constexpr bool startHistoryView = false;

struct SharedState {
    LiveRecordStore liveRecords;
    std::int32_t liveRecordCount = 0;

    // The records of the data file read last; only the data file reader writes them.
    FileRecordStore fileRecords;
    std::int32_t fileRecordCount = 0;

    // Running extremes, always in m/s, °C, m³/min and m².
    float maxVelocity = 0, minVelocity = 0;
    float maxTemperature = 0, minTemperature = 0;
    float maxFlow = 0, minFlow = 0;
    float maxArea = 0, minArea = 0;

    // Graph settings.
    double graphRange = startGraphRange;
    bool showVelocity = startSeriesShown;
    bool showTemperature = startSeriesShown;
    bool showFlow = startSeriesShown;
    bool showArea = startSeriesShown;
    bool historyView = startHistoryView;
};

// Gives every item its start value and clears the numbers of all slots.
void initSharedState(SharedState& s);

} // namespace meter
