#include "regional.h"

#include <cstdio>

namespace meter {

std::string dateText(const LocalDateTime& t) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d-%02d-%04d", t.day % 100, t.month % 100, t.year % 10000);
    return buf;
}

std::string timeText(const LocalDateTime& t, const Regional& r) {
    const std::string& p = r.timePattern;
    const bool twelve = p.find("AP") != std::string::npos || p.find("ap") != std::string::npos;
    std::string out;
    auto num = [&out](int v, bool two) {
        char buf[8];
        std::snprintf(buf, sizeof buf, two ? "%02d" : "%d", v % 100);
        out += buf;
    };
    for (std::size_t i = 0; i < p.size();) {
        const char c = p[i];
        std::size_t run = 1;
        while (i + run < p.size() && p[i + run] == c) ++run;
        const bool two = run >= 2;
        if (c == 'H' || c == 'h') {
            int h = t.hour;
            if (twelve) h = h % 12 == 0 ? 12 : h % 12;
            num(h, two);
        } else if (c == 'm') {
            num(t.minute, two);
        } else if (c == 's') {
            num(t.second, two);
        } else if ((c == 'A' || c == 'a') && i + 1 < p.size() && (p[i + 1] == 'P' || p[i + 1] == 'p')) {
            out += t.hour < 12 ? (c == 'A' ? "AM" : "am") : (c == 'A' ? "PM" : "pm");
            i += 2;
            continue;
        } else {
            out.append(run, c);
        }
        i += run;
    }
    return out;
}

std::string datatotime(unsigned char data) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02u", static_cast<unsigned>(data));
    return buf;
}

} // namespace meter
