// JSON text for the scene dump, indented two spaces a level.
#include "scene/json_fields.h"

#include <cmath>
#include <cstdio>

namespace tarnel {

void JsonFields::key(const char* name) {
    if (!first.empty()) {
        if (!first.back()) out << ',';
        first.back() = false;
        out << '\n' << std::string(2 * first.size(), ' ');
    }
    if (name != nullptr) {
        text(name);
        out << ": ";
    }
}

void JsonFields::open(const char* name, char bracket) {
    key(name);
    out << bracket;
    first.push_back(true);
}

void JsonFields::close(char bracket) {
    bool empty = first.empty() || first.back();
    if (!first.empty()) first.pop_back();
    if (!empty) out << '\n' << std::string(2 * first.size(), ' ');
    out << bracket;
    if (first.empty()) out << '\n';
}

void JsonFields::beginObject(const char* name) { open(name, '{'); }
void JsonFields::endObject() { close('}'); }
void JsonFields::beginArray(const char* name) { open(name, '['); }
void JsonFields::endArray() { close(']'); }

void JsonFields::number(double value) {
    if (!std::isfinite(value)) {
        out << "null";
        return;
    }
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", value);
    out << buffer;
}

void JsonFields::text(const char* value) {
    out << '"';
    for (const char* c = value; c != nullptr && *c != '\0'; ++c) {
        unsigned char ch = static_cast<unsigned char>(*c);
        if (ch == '"' || ch == '\\') {
            out << '\\' << *c;
        } else if (ch < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", ch);
            out << escaped;
        } else {
            out << *c;
        }
    }
    out << '"';
}

void JsonFields::field(const char* name, double value) {
    key(name);
    number(value);
}

void JsonFields::field(const char* name, bool value) {
    key(name);
    out << (value ? "true" : "false");
}

void JsonFields::field(const char* name, std::uint32_t value) {
    key(name);
    out << value;
}

void JsonFields::field(const char* name, const char* value) {
    key(name);
    text(value);
}

void JsonFields::field(const char* name, Vector3 value) {
    key(name);
    out << '[';
    number(value.x);
    out << ", ";
    number(value.y);
    out << ", ";
    number(value.z);
    out << ']';
}

void JsonFields::nullField(const char* name) {
    key(name);
    out << "null";
}

}  // namespace tarnel
