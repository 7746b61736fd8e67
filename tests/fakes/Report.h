// Rows for docs/reliability.md. When DORVANE_REPORT_DIR is set, a test may
// append what it tried and how it ended to <dir>/<table>.tsv; otherwise this
// does nothing.
#pragma once

#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <string>

namespace fakes {

inline void ReportRow(const std::string& table, std::initializer_list<std::string> cells) {
    const char* dir = std::getenv("DORVANE_REPORT_DIR");
    if (!dir || !*dir) return;
    std::ofstream out(std::string(dir) + "/" + table + ".tsv", std::ios::app);
    bool first = true;
    for (const std::string& cell : cells) {
        out << (first ? "" : "\t") << cell;
        first = false;
    }
    out << '\n';
}

}  // namespace fakes
