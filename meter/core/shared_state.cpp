#include "shared_state.h"

namespace meter {

void initSharedState(SharedState& s) {
    s.maxVelocity = -90000;
    s.minVelocity = 90000;
    s.maxTemperature = -9000;
    s.minTemperature = 9000;
    s.maxFlow = -90000;
    s.minFlow = 900000;
    s.maxArea = -900000;
    s.minArea = 900000;

    s.liveRecordCount = 0;
    s.fileRecordCount = 0;
    s.graphRange = startGraphRange;
    s.showVelocity = s.showTemperature = s.showFlow = s.showArea = startSeriesShown;
    s.historyView = startHistoryView;

    for (std::int32_t n = 1; n <= LiveRecordStore::capacity; ++n) {
        LiveRecord& r = s.liveRecords[n];
        r.no = 0;
        r.velocity = r.temperature = r.flow = r.area = 0;
    }
}

} // namespace meter
