// A data file store filled to its 36000 records, for the benchmarks of the
// commands that read it.
#pragma once

#include "core/shared_state.h"
#include "record_fills.h"

#include <cstdint>
#include <memory>

inline meter::SharedState& fullFileStore() {
    static std::unique_ptr<meter::SharedState> s = [] {
        auto st = std::make_unique<meter::SharedState>();
        meter::initSharedState(*st);
        // Sound levels with one decimal.
        for (std::int32_t n = 1; n <= meter::FileRecordStore::capacity; ++n)
            testsupport::setFileRecord(*st, n,
                                       {n, testsupport::timeTextAt(n), 30 + (n % 900) / 10.0, n % 2 ? "dBC" : "dBA"});
        st->fileRecordCount = meter::FileRecordStore::capacity;
        return st;
    }();
    return *s;
}
