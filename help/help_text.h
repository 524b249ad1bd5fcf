#pragma once
// The built-in help: topics and context popups read from a plain text with a little markup.
//
//   .topic NAME Title   starts a topic
//   .popup NUMBER       starts the popup text of a help context number
//   .                   an empty line (a line left empty counts the same)
//   anything else       text of the topic or popup above it
//
// The reader keeps views into the text, which must outlive it: the program's text is a
// resource of the executable and stays loaded for the whole run. Everything here has a fixed
// capacity, as the program's other texts do; a text that does not fit is a fault that the
// tests of the program's own help text would show.

#include <cstddef>
#include <span>
#include <string_view>

#include "model/fixed_text.h"

// Topics that the program opens by name.
namespace help_topics {
constexpr const char* kContents = "contents";
constexpr const char* kUsingHelp = "using-help";
constexpr const char* kRoman = "roman";
constexpr const char* kClipboardFormats = "clipboard-formats";
}  // namespace help_topics

constexpr std::size_t kMaxHelpTopics = 40;
constexpr std::size_t kMaxHelpPopups = 40;
// Texts as shown, CRLF line ends included.
using TopicText = FixedText<8191>;
using PopupText = FixedText<1023>;

struct HelpTopic {
    std::string_view name;
    std::string_view title;
    std::string_view body;  // its lines as written, without the blank lines at either end
};

struct HelpPopup {
    int helpId = 0;
    std::string_view body;
};

enum class HelpParseError {
    None,
    TextBeforeFirstEntry,  // text above the first .topic or .popup
    BadTopicLine,          // .topic without a name and a title
    BadPopupLine,          // .popup without a number from 1 to 99999
    DuplicateTopic,
    DuplicatePopup,
    TooManyTopics,
    TooManyPopups,
    NoTopic,
};

struct HelpParseResult {
    HelpParseError error = HelpParseError::None;
    int line = 0;  // 1-based line of the fault, 0 when there is none or it has no line
};

// Topic numbers (indexes into HelpText::Topics()), in text order.
class TopicList {
public:
    void Add(int topic) {
        if (count_ < kMaxHelpTopics) topics_[count_++] = topic;
    }
    const int* begin() const { return topics_; }
    const int* end() const { return topics_ + count_; }
    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    bool Contains(int topic) const;

private:
    int topics_[kMaxHelpTopics] = {};
    std::size_t count_ = 0;
};

class HelpText {
public:
    // Reads the whole text; on a fault the entries before the bad line are kept. Line ends may
    // be LF or CRLF.
    HelpParseResult Parse(std::string_view text);

    // In the order of the text. The first topic is the contents.
    std::span<const HelpTopic> Topics() const { return {topics_, topicCount_}; }
    std::span<const HelpPopup> Popups() const { return {popups_, popupCount_}; }

    // -1 when there is no such topic.
    int TopicIndex(std::string_view name) const;
    // Null when the help id has no popup.
    const HelpPopup* FindPopup(int helpId) const;

    // The topics whose title or text holds every word of the query (runs of characters between
    // blanks), compared without regard to ASCII case. A query without words gives every topic;
    // otherwise the contents is left out, since it names every topic.
    TopicList Search(std::string_view query) const;

private:
    HelpTopic topics_[kMaxHelpTopics];
    std::size_t topicCount_ = 0;
    HelpPopup popups_[kMaxHelpPopups];
    std::size_t popupCount_ = 0;
};

// A topic's text for a multi-line edit control: "." lines empty, CRLF line ends, and each
// paragraph that was wrapped in the source joined into one line, so that the control wraps it
// to its own width (and a screen reader reads whole sentences). Lines that hold a run of
// blanks inside (tables, examples), short lines and list items keep their line breaks; each
// such run becomes one tab, a column gap.
TopicText TopicDisplayText(std::string_view body);

// The width in pixels of a text in the face that shows it.
class TextWidth {
public:
    virtual int operator()(std::string_view text) const = 0;

protected:
    ~TextWidth() = default;
};

constexpr std::size_t kMaxTabStops = 32;

struct ColumnLayout {
    TopicText text;
    int stops[kMaxTabStops] = {};  // ascending, in quarters of the character width
    std::size_t stopCount = 0;
};

// The tables of a topic's display text (runs of lines whose columns are cut by tabs) lined up
// for a proportional face: each column starts `gap` pixels after the widest text of the column
// before it in its table. A multi-line edit control keeps one list of tab stops for its whole
// text (in quarters of its average character width, charWidth pixels) and a tab moves to the
// first stop right of the text before it, so a gap gets as many tabs as there are stops, of its
// own table or another, up to its column.
ColumnLayout LayOutColumns(const TopicText& shown, const TextWidth& width, int charWidth, int gap);

// A popup's text: prose only, so every paragraph becomes one line; paragraphs are separated by
// an empty line (CRLF).
PopupText PopupDisplayText(std::string_view body);
