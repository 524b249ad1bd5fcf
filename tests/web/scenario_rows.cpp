// Prints the engine's scenario rows as JSON, so that the browser test plays the very rows that
// the engine's and lumo's tests play.

#include <cstdio>
#include <string>
#include <vector>

#include "tests/engine/engine_scenarios.h"

namespace {

std::string Json(const char* text) {
    std::string json = "\"";
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
    return json + "\"";
}

std::string Json(const std::vector<std::string>& texts) {
    std::string json = "[";
    for (std::size_t i = 0; i < texts.size(); ++i) json += (i > 0 ? "," : "") + Json(texts[i].c_str());
    return json + "]";
}

std::string Json(const char* text, bool present) { return present ? Json(text) : "null"; }

}  // namespace

int main() {
    std::string json = "[\n";
    bool first = true;
    for (const Scenario& s : kScenarios) {
        json += first ? "" : ",\n";
        first = false;
        json += "{\"name\":" + Json(s.name) + ",\"mode\":" + std::to_string(s.mode) +
                ",\"strict\":" + std::to_string(s.strict) + ",\"autoDf\":" + std::to_string(s.autoDf) +
                ",\"frameConv\":" + std::to_string(s.frameConv) + ",\"keys\":" + Json(s.keys) +
                ",\"display\":" + Json(s.display) + ",\"tape\":" + Json(s.tape) +
                ",\"messages\":" + Json(s.messages) + ",\"beeps\":" + std::to_string(s.beeps) +
                ",\"indicator\":" + Json(s.indicator, s.indicator != nullptr) +
                ",\"userMode\":" + Json(s.userMode, s.userMode != nullptr) + "}";
    }
    json += "\n]\n";
    std::fputs(json.c_str(), stdout);
    return 0;
}
