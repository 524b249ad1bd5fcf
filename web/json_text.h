#pragma once
// A text as a JSON string: the engine's answers to the page, and the scenario rows that the
// browser test reads.

#include <cstdio>
#include <string>

inline void AppendJsonString(std::string& json, const char* text) {
    json += '"';
    for (const char* p = text; *p != '\0'; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            json += escaped;
        } else {
            json += static_cast<char>(c);
        }
    }
    json += '"';
}
