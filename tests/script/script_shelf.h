// Test support for the script readers: scripts given as text, and a stand-in for the
// object-script reader that appends one labelled token per object a named script defines.
#pragma once

#include "assets/memory_file.h"
#include "script/object_script.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace tarnel::test {

inline void openText(MemoryFile& file, const char* memberName, const std::string& text) {
    file.openBytes(memberName, std::vector<std::uint8_t>(text.begin(), text.end()));
}

// Each script the shelf knows defines a number of objects; the tokens standing for them are
// labelled "script#n" and are never dereferenced as scene objects.
class ScriptShelf {
public:
    std::map<std::string, int> objectCounts;
    std::vector<std::string> scriptsRead;  // member names, in the order they were read

    ObjectScriptLoader loader() {
        return [this](ObjectList& target, const char* memberName) {
            scriptsRead.emplace_back(memberName);
            int count = objectCounts.count(memberName) ? objectCounts[memberName] : 0;
            for (int i = 0; i < count; ++i) {
                labels.push_back(std::string(memberName) + "#" + std::to_string(i));
                target.push_back(reinterpret_cast<SceneObject*>(&labels.back()));
            }
        };
    }

    static std::vector<std::string> labelsOf(const ObjectList& list) {
        std::vector<std::string> result;
        for (SceneObject* token : list) result.push_back(*reinterpret_cast<const std::string*>(token));
        return result;
    }

private:
    std::deque<std::string> labels;  // a deque keeps every label at its address
};

}  // namespace tarnel::test
