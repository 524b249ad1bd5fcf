#pragma once
// The built-in help: topics and context popups read from a plain text with a little markup.
//
//   .topic NAME Title   starts a topic
//   .popup NUMBER       starts the popup text of a help context number
//   .                   an empty line (a line left empty counts the same)
//   anything else       text of the topic or popup above it
//
// The parser keeps views into the text, which must outlive it: the program's text is a
// resource of the executable and stays loaded for the whole run.

#include <string>
#include <string_view>
#include <vector>

// Topics that the program opens by name.
namespace help_topics {
constexpr const char* kContents = "contents";
constexpr const char* kUsingHelp = "using-help";
constexpr const char* kRoman = "roman";
constexpr const char* kClipboardFormats = "clipboard-formats";
}  // namespace help_topics

struct HelpTopic {
    std::string_view name;
    std::string_view title;
    std::string_view body;  // its lines as written, without the empty lines at either end
};

struct HelpPopup {
    int helpId = 0;
    std::string_view body;
};

enum class HelpParseError {
    None,
    TextBeforeFirstEntry,  // body text above the first .topic or .popup
    BadTopicLine,          // .topic without a name and a title
    BadPopupLine,          // .popup without a number from 1 to 99999
    DuplicateTopic,
    DuplicatePopup,
    NoTopic,
};

struct HelpParseResult {
    HelpParseError error = HelpParseError::None;
    int line = 0;  // 1-based line of the error, 0 when there is none
};

class HelpText {
public:
    // Reads the whole text; on an error the entries before the bad line are kept. Line ends
    // may be LF or CRLF.
    HelpParseResult Parse(std::string_view text);

    // In the order of the text. The first topic is the contents.
    const std::vector<HelpTopic>& Topics() const { return topics_; }
    const std::vector<HelpPopup>& Popups() const { return popups_; }

    // -1 when there is no such topic.
    int TopicIndex(std::string_view name) const;
    // Null when the help id has no popup.
    const HelpPopup* FindPopup(int helpId) const;

    // The topics whose title or text holds every word of the query (runs of characters between
    // blanks), compared without regard to ASCII case, in text order. A query without words
    // gives every topic; otherwise the contents is left out, since it names every topic.
    std::vector<int> Search(std::string_view query) const;

private:
    std::vector<HelpTopic> topics_;
    std::vector<HelpPopup> popups_;
};

// A topic's text for a multi-line edit control: "." lines empty, CRLF line ends, and each
// paragraph that was wrapped in the source joined into one line, so that the control wraps it
// to its own width (and a screen reader reads whole sentences). Lines that hold a run of
// blanks inside (tables, examples), short lines and list items keep their line breaks.
std::string TopicDisplayText(std::string_view body);

// A popup's text: prose only, so every paragraph becomes one line; paragraphs are separated by
// an empty line (CRLF).
std::string PopupDisplayText(std::string_view body);
