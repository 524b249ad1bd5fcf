// Writes the page's help.html from the window's help text, read by the window's own reader, so
// that the page and the window show the same topics in the same words.
//
//   help_page HELP-TEXT OUTPUT-HTML VERSION
//
// Each topic becomes a section with its title as heading. A block of lines that are all indented
// (tables, examples) stays preformatted; "- " lines become a list; an indented line that is a
// topic's title links to it; every other line is a paragraph.

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "help/help_text.h"

namespace {

std::string Escaped(std::string_view text) {
    std::string html;
    for (const char c : text) {
        switch (c) {
            case '&': html += "&amp;"; break;
            case '<': html += "&lt;"; break;
            case '>': html += "&gt;"; break;
            case '"': html += "&quot;"; break;
            default: html += c;
        }
    }
    return html;
}

std::string_view TrimmedLeft(std::string_view line) {
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    return line;
}

bool IsIndented(std::string_view line) { return !line.empty() && line.front() == ' '; }

// The topic display text's lines, cut into blocks at empty lines.
std::vector<std::vector<std::string>> Blocks(std::string_view text) {
    std::vector<std::vector<std::string>> blocks(1);
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        if (line.empty()) {
            if (!blocks.back().empty()) blocks.emplace_back();
        } else {
            blocks.back().emplace_back(line);
        }
        start = end + 2;
    }
    if (blocks.back().empty()) blocks.pop_back();
    return blocks;
}

class HelpWriter {
public:
    explicit HelpWriter(const HelpText& help) : help_(help) {}

    std::string Page(const std::string& version) {
        html_ = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                "<meta name=\"color-scheme\" content=\"light dark\">\n"
                "<title>Lumo II Help</title>\n<link rel=\"stylesheet\" href=\"lumo.css\">\n</head>\n"
                "<body class=\"help\">\n<header>\n<h1>Lumo II " + Escaped(version) + " Help</h1>\n"
                "<p><a href=\"index.html\">Back to the calculator</a></p>\n</header>\n<main>\n";
        for (const HelpTopic& topic : help_.Topics()) Topic(topic);
        html_ += "</main>\n</body>\n</html>\n";
        return html_;
    }

private:
    const HelpText& help_;
    std::string html_;

    void Topic(const HelpTopic& topic) {
        const std::string name = Escaped(topic.name);
        html_ += "<section id=\"" + name + "\" aria-labelledby=\"" + name + "-title\">\n";
        html_ += "<h2 id=\"" + name + "-title\">" + Escaped(topic.title) + "</h2>\n";
        for (const std::vector<std::string>& block : Blocks(TopicDisplayText(topic.body).c_str())) Block(block);
        html_ += "</section>\n";
    }

    // The name of the topic titled exactly so, or empty.
    std::string_view TopicTitled(std::string_view title) const {
        for (const HelpTopic& topic : help_.Topics())
            if (topic.title == title) return topic.name;
        return {};
    }

    void Block(const std::vector<std::string>& lines) {
        bool allIndented = true;
        bool anyTitle = false;
        for (const std::string& line : lines) {
            allIndented = allIndented && IsIndented(line);
            anyTitle = anyTitle || (IsIndented(line) && !TopicTitled(TrimmedLeft(line)).empty());
        }
        if (allIndented && !anyTitle) {
            html_ += "<pre>";
            for (std::size_t i = 0; i < lines.size(); ++i) html_ += (i > 0 ? "\n" : "") + Escaped(lines[i]);
            html_ += "</pre>\n";
            return;
        }
        const char* openList = nullptr;
        for (const std::string& line : lines) {
            const std::string_view text = TrimmedLeft(line);
            const std::string_view link = IsIndented(line) ? TopicTitled(text) : std::string_view{};
            const bool item = text.starts_with("- ");
            const char* list = !link.empty() ? "<ul class=\"topics\">" : item ? "<ul>" : nullptr;
            if (openList != list) {
                if (openList != nullptr) html_ += "</ul>\n";
                if (list != nullptr) html_ += std::string(list) + "\n";
                openList = list;
            }
            if (!link.empty())
                html_ += "<li><a href=\"#" + Escaped(link) + "\">" + Escaped(text) + "</a></li>\n";
            else if (item)
                html_ += "<li>" + Escaped(text.substr(2)) + "</li>\n";
            else
                html_ += std::string(IsIndented(line) ? "<p class=\"indent\">" : "<p>") + Escaped(text) + "</p>\n";
        }
        if (openList != nullptr) html_ += "</ul>\n";
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: help_page HELP-TEXT OUTPUT-HTML VERSION\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::stringstream source;
    source << in.rdbuf();
    const std::string text = source.str();
    HelpText help;
    const HelpParseResult parsed = help.Parse(text);
    if (!in || parsed.error != HelpParseError::None) {
        std::fprintf(stderr, "help_page: cannot read %s (line %d)\n", argv[1], parsed.line);
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary);
    out << HelpWriter(help).Page(argv[3]);
    return out ? 0 : 1;
}
