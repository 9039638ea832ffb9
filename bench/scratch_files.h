// Where the benchmarks write their files: in /tmp, under names of this process.
#pragma once

#include <string>
#include <string_view>

#include <unistd.h>

inline std::string benchPath(std::string_view name) {
    return "/tmp/meter_bench_" + std::to_string(::getpid()) + "_" + std::string(name);
}
