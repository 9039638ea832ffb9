// QStrings in test failures as their text in quotes; found by argument-dependent
// look-up, so in QString's own (the global) namespace.
#pragma once

#include <QString>

#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
