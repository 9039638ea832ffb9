// A data file store filled to its 36000 records, for the benchmarks of the
// commands that read it.
#pragma once

#include "core/shared_state.h"

#include <cstdint>
#include <cstdio>
#include <memory>

inline meter::SharedState& fullFileStore() {
    static std::unique_ptr<meter::SharedState> s = [] {
        auto st = std::make_unique<meter::SharedState>();
        meter::initSharedState(*st);
        for (std::int32_t n = 1; n <= meter::FileRecordStore::capacity; ++n) {
            meter::FileRecord& r = st->fileRecords[n];
            r.no = n;
            char t[16];
            std::snprintf(t, sizeof t, "%02d:%02d:%02d", (n / 3600) % 24, (n / 60) % 60, n % 60);
            r.timeText.assign(t);
            r.value = 30 + (n % 900) / 10.0; // a sound level with one decimal
            r.unitText.assign(n % 2 ? "dBC" : "dBA");
        }
        st->fileRecordCount = meter::FileRecordStore::capacity;
        return st;
    }();
    return *s;
}
