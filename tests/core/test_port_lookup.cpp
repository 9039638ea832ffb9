#include "core/port_lookup.h"

#include <gtest/gtest.h>

using namespace meter;

TEST(PortLookup, ChoosesTheBridgesPort) {
    using V = SerialDeviceMap::Value;
    struct Case {
        std::vector<V> values;
        PortLookupError error;
        int port;
    };
    const Case cases[] = {
        {{}, PortLookupError::NoBridge, 3},
        {{{"\\Device\\Serial0", "COM1"}}, PortLookupError::NoBridge, 3},
        {{{"\\Device\\slabser0", "COM7"}}, PortLookupError::None, 7},
        {{{"\\Device\\slabser0", "COM7"}, {"\\Device\\silabser0", "COM4"}}, PortLookupError::None, 4},
        {{{"\\Device\\silabser0", "COM16"}}, PortLookupError::None, 16},
        {{{"\\Device\\silabser0", "COM17"}}, PortLookupError::None, 3},
        {{{"\\Device\\silabser0", "com4"}}, PortLookupError::None, 3},
        {{{"\\Device\\silabser0", "COM4 "}}, PortLookupError::None, 3},
        {{{"\\Device\\silabser0", "COM01"}}, PortLookupError::None, 3},
        // 99 characters fit the buffer; 100 don't, and the other name is tried.
        {{{"\\Device\\silabser0", std::string(99, 'x')}}, PortLookupError::None, 3},
        {{{"\\Device\\silabser0", std::string(100, 'x')}, {"\\Device\\slabser0", "COM2"}}, PortLookupError::None, 2},
    };
    for (const Case& c : cases) {
        const PortLookup r = lookUpPort(SerialDeviceMap{c.values});
        EXPECT_EQ(r.error, c.error);
        EXPECT_EQ(r.commPort, c.port);
    }
    EXPECT_EQ(lookUpPort(std::nullopt).error, PortLookupError::KeyNotOpened);
}

TEST(PortLookup, ConnectionDialogChoiceIsExact) {
    struct Case {
        const char* text;
        int port;
    };
    const Case cases[] = {
        {"com1", 1}, {"com2", 2},  {"com3", 3},  {"com4", 4}, {"com5", 5}, {"other", 3}, {"", 3},    {"COM2", 3},
        {"Com2", 3}, {" com2", 3}, {"com2 ", 3}, {"com6", 3}, {"com0", 3}, {"com02", 3}, {"com", 3}, {"com16", 3},
    };
    for (const Case& c : cases) EXPECT_EQ(portNumberFromChoice(c.text), c.port) << '"' << c.text << '"';
}
