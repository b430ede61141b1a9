#include "assets/list_summary.h"

#include <vector>

namespace tarnel {

namespace {

struct Entry {
    bool known = false;
    ListSummary summary;
};

// Indexed by list name: names are small and dense, and a lookup in the frame allocates nothing.
std::vector<Entry>& entries() {
    static std::vector<Entry> table;
    return table;
}

}  // namespace

void recordListSummary(std::uint32_t list, const ListSummary& summary) {
    std::vector<Entry>& table = entries();
    if (list >= table.size()) table.resize(list + 1);
    table[list] = Entry{true, summary};
}

const ListSummary* listSummary(std::uint32_t list) {
    const std::vector<Entry>& table = entries();
    if (list >= table.size() || !table[list].known) return nullptr;
    return &table[list].summary;
}

void forgetListSummaries() { entries().clear(); }

}  // namespace tarnel
