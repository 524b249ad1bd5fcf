#include "dialogs/help_text.h"

#include <algorithm>
#include <cstddef>

#include "model/chars.h"

namespace {

constexpr std::string_view kTopicMark = ".topic";
constexpr std::string_view kPopupMark = ".popup";
constexpr std::string_view kEmptyLineMark = ".";
constexpr int kMaxHelpId = 99999;
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kBlanks = " \t";

// The help text is written wrapped at about 96 columns. A line this long was wrapped by its
// author and goes on in the next line; a shorter one ends where its author meant it to (the
// last line of a paragraph, a line of a list of titles).
constexpr std::size_t kWrappedLineLength = 72;

// Splits a text into lines at LF; each line loses a CR in front of its LF.
class LineReader {
public:
    explicit LineReader(std::string_view text) : rest_(text) {}

    bool Next(std::string_view& line) {
        if (rest_.empty()) return false;
        const std::size_t end = rest_.find('\n');
        line = rest_.substr(0, end);
        rest_ = end == std::string_view::npos ? std::string_view{} : rest_.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ++number_;
        return true;
    }

    int Number() const { return number_; }

private:
    std::string_view rest_;
    int number_ = 0;
};

bool IsBlank(std::string_view line) { return line.find_first_not_of(" \t\r") == std::string_view::npos; }

bool StartsWithMark(std::string_view line, std::string_view mark) {
    return line.substr(0, mark.size()) == mark && (line.size() == mark.size() || line[mark.size()] == ' ');
}

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// Drops the blank lines at both ends of a body.
std::string_view TrimBlankLines(std::string_view body) {
    LineReader lines(body);
    std::string_view line;
    std::size_t begin = body.size();
    std::size_t end = 0;
    while (lines.Next(line)) {
        if (IsBlank(line)) continue;
        const std::size_t offset = static_cast<std::size_t>(line.data() - body.data());
        begin = std::min(begin, offset);
        end = offset + line.size();
    }
    return begin < end ? body.substr(begin, end - begin) : std::string_view{};
}

bool ParseTopicLine(std::string_view line, HelpTopic& topic) {
    const std::string_view rest = TrimBlanks(line.substr(kTopicMark.size()));
    const std::size_t space = rest.find(' ');
    if (space == std::string_view::npos) return false;
    topic.name = rest.substr(0, space);
    topic.title = TrimBlanks(rest.substr(space + 1));
    return !topic.title.empty();
}

bool ParsePopupLine(std::string_view line, HelpPopup& popup) {
    const std::string_view number = TrimBlanks(line.substr(kPopupMark.size()));
    if (number.empty() || number.size() > 5) return false;
    int value = 0;
    for (char c : number) {
        if (!IsDecimalDigit(c)) return false;
        value = value * 10 + (c - '0');
    }
    popup.helpId = value;
    return value >= 1 && value <= kMaxHelpId;
}

bool EqualsNoCase(char a, char b) { return ToLowerAscii(a) == ToLowerAscii(b); }

bool ContainsNoCase(std::string_view text, std::string_view word) {
    return std::search(text.begin(), text.end(), word.begin(), word.end(), EqualsNoCase) != text.end();
}

std::vector<std::string_view> Words(std::string_view query) {
    std::vector<std::string_view> words;
    std::size_t start = query.find_first_not_of(kBlanks);
    while (start != std::string_view::npos) {
        const std::size_t end = query.find_first_of(kBlanks, start);
        words.push_back(query.substr(start, end - start));
        start = query.find_first_not_of(kBlanks, end);
    }
    return words;
}

// ---- Joining wrapped lines ----

std::size_t Indent(std::string_view line) { return std::min(line.find_first_not_of(' '), line.size()); }

// A table row or an example: a run of blanks after the text has begun lines up columns. Blanks
// inside double quotes are quoted text ("HMSF   30.00 F/S"), not a column gap.
bool IsPreformatted(std::string_view line) {
    bool quoted = false;
    for (std::size_t i = Indent(line); i + 1 < line.size(); ++i) {
        if (line[i] == '"') quoted = !quoted;
        if (!quoted && line[i] == ' ' && line[i + 1] == ' ') return true;
    }
    return false;
}

// "- " or "12. " in front of a list item; 0 when the line starts none.
std::size_t ListMarkerLength(std::string_view line) {
    const std::string_view text = line.substr(Indent(line));
    if (text.substr(0, 2) == "- ") return 2;
    std::size_t digits = 0;
    while (digits < text.size() && IsDecimalDigit(text[digits])) ++digits;
    return digits > 0 && text.substr(digits, 2) == ". " ? digits + 2 : 0;
}

// One output line of a topic and the indent at which a wrapped continuation of it stands.
struct OpenLine {
    std::string text;
    std::size_t continuationIndent = 0;
    bool joinable = false;  // false: whatever follows starts a line of its own
};

bool Continues(const OpenLine& open, std::string_view line) {
    return open.joinable && !line.empty() && !IsPreformatted(line) && ListMarkerLength(line) == 0 &&
           Indent(line) == open.continuationIndent;
}

std::string_view DisplayLine(std::string_view line) { return line == kEmptyLineMark ? std::string_view{} : line; }

}  // namespace

HelpParseResult HelpText::Parse(std::string_view text) {
    topics_.clear();
    popups_.clear();
    enum class Entry { None, Topic, Popup } entry = Entry::None;
    const char* bodyBegin = nullptr;
    const char* bodyEnd = nullptr;
    // The body of the entry being read ends where the next one starts.
    auto finishEntry = [&] {
        const std::string_view body = TrimBlankLines(
            bodyBegin == nullptr ? std::string_view{} : std::string_view(bodyBegin, static_cast<std::size_t>(bodyEnd - bodyBegin)));
        if (entry == Entry::Topic) topics_.back().body = body;
        if (entry == Entry::Popup) popups_.back().body = body;
        bodyBegin = bodyEnd = nullptr;
    };

    LineReader lines(text);
    std::string_view line;
    while (lines.Next(line)) {
        const int number = lines.Number();
        if (StartsWithMark(line, kTopicMark)) {
            finishEntry();
            HelpTopic topic;
            if (!ParseTopicLine(line, topic)) return {HelpParseError::BadTopicLine, number};
            if (TopicIndex(topic.name) != -1) return {HelpParseError::DuplicateTopic, number};
            topics_.push_back(topic);
            entry = Entry::Topic;
        } else if (StartsWithMark(line, kPopupMark)) {
            finishEntry();
            HelpPopup popup;
            if (!ParsePopupLine(line, popup)) return {HelpParseError::BadPopupLine, number};
            if (FindPopup(popup.helpId) != nullptr) return {HelpParseError::DuplicatePopup, number};
            popups_.push_back(popup);
            entry = Entry::Popup;
        } else if (entry == Entry::None) {
            if (!IsBlank(line)) return {HelpParseError::TextBeforeFirstEntry, number};
        } else {
            if (bodyBegin == nullptr) bodyBegin = line.data();
            bodyEnd = line.data() + line.size();
        }
    }
    finishEntry();
    if (topics_.empty()) return {HelpParseError::NoTopic, 0};
    return {};
}

int HelpText::TopicIndex(std::string_view name) const {
    for (std::size_t i = 0; i < topics_.size(); ++i) {
        if (topics_[i].name == name) return static_cast<int>(i);
    }
    return -1;
}

const HelpPopup* HelpText::FindPopup(int helpId) const {
    for (const HelpPopup& popup : popups_) {
        if (popup.helpId == helpId) return &popup;
    }
    return nullptr;
}

std::vector<int> HelpText::Search(std::string_view query) const {
    const std::vector<std::string_view> words = Words(query);
    std::vector<int> found;
    for (std::size_t i = words.empty() ? 0 : 1; i < topics_.size(); ++i) {
        const HelpTopic& topic = topics_[i];
        const bool all = std::all_of(words.begin(), words.end(), [&](std::string_view word) {
            return ContainsNoCase(topic.title, word) || ContainsNoCase(topic.body, word);
        });
        if (all) found.push_back(static_cast<int>(i));
    }
    return found;
}

std::string TopicDisplayText(std::string_view body) {
    std::vector<OpenLine> output;
    LineReader lines(body);
    std::string_view raw;
    while (lines.Next(raw)) {
        const std::string_view line = DisplayLine(raw);
        if (!output.empty() && Continues(output.back(), line)) {
            output.back().text += ' ';
            output.back().text += line.substr(Indent(line));
        } else {
            output.push_back({std::string(line), Indent(line) + ListMarkerLength(line), false});
        }
        output.back().joinable = !line.empty() && !IsPreformatted(line) && line.size() >= kWrappedLineLength;
    }
    std::string text;
    for (const OpenLine& out : output) {
        if (&out != &output.front()) text += kLineEnd;
        text += out.text;
    }
    return text;
}

std::string PopupDisplayText(std::string_view body) {
    std::string text;
    bool paragraphOpen = false;
    bool gap = false;
    LineReader lines(body);
    std::string_view raw;
    while (lines.Next(raw)) {
        const std::string_view line = TrimBlanks(DisplayLine(raw));
        if (line.empty()) {
            gap = paragraphOpen;
            continue;
        }
        if (gap) {
            text += kLineEnd;
            text += kLineEnd;
        } else if (paragraphOpen) {
            text += ' ';
        }
        text += line;
        paragraphOpen = true;
        gap = false;
    }
    return text;
}
