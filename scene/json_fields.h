// A small JSON writer for the scene dump: objects and arrays nested by begin/end, fields
// written as name and value. Non-finite numbers are written as null, so the output always
// parses; names and texts are escaped.
#pragma once

#include "camera/vector3.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace tarnel {

class JsonFields {
public:
    explicit JsonFields(std::ostream& out) : out(out) {}

    void beginObject(const char* name = nullptr);
    void endObject();
    void beginArray(const char* name = nullptr);
    void endArray();

    void field(const char* name, double value);
    void field(const char* name, float value) { field(name, static_cast<double>(value)); }
    void field(const char* name, bool value);
    void field(const char* name, std::uint32_t value);
    void field(const char* name, const char* text);
    void field(const char* name, Vector3 value);
    void nullField(const char* name);

private:
    void open(const char* name, char bracket);
    void close(char bracket);
    void key(const char* name);
    void number(double value);
    void text(const char* value);

    std::ostream& out;
    std::vector<bool> first;  // per open level: no member written yet
};

}  // namespace tarnel
