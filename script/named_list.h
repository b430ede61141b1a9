// Lookup by name in the owning lists of worlds and environments: the first record, in list
// order, whose name field equals the name exactly (letter case significant).
#pragma once

#include <cstring>
#include <list>
#include <memory>

namespace tarnel {

template <class Record>
Record* findNamed(const std::list<std::unique_ptr<Record>>& records, const char* name) {
    if (name == nullptr) return nullptr;
    for (const auto& record : records) {
        if (std::strcmp(record->name, name) == 0) return record.get();
    }
    return nullptr;
}

}  // namespace tarnel
