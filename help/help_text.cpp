#include "help/help_text.h"

#include <algorithm>

#include "model/chars.h"

// string_view's substr throws for a start beyond the end; the views here are cut with Slice,
// which cannot, so that no exception machinery comes into the program.

namespace {

constexpr std::string_view kTopicMark = ".topic";
constexpr std::string_view kPopupMark = ".popup";
constexpr std::string_view kEmptyLineMark = ".";
constexpr int kMaxHelpId = 99999;
constexpr std::size_t kMaxHelpIdDigits = 5;
constexpr const char* kLineEnd = "\r\n";
constexpr std::string_view kBlanks = " \t";

// The help text is written wrapped at about 96 columns. A line this long was wrapped by its
// author and goes on in the next line; a shorter one ends where its author meant it to (the
// last line of a paragraph, a line of a list of titles).
constexpr std::size_t kWrappedLineLength = 72;

// The part of text from `from` on, at most `count` characters; empty when `from` is past the end.
std::string_view Slice(std::string_view text, std::size_t from, std::size_t count = std::string_view::npos) {
    if (from >= text.size()) return {};
    return {text.data() + from, std::min(count, text.size() - from)};
}

// Splits a text into lines at LF; each line loses a CR in front of its LF.
class LineReader {
public:
    explicit LineReader(std::string_view text) : rest_(text) {}

    bool Next(std::string_view& line) {
        if (rest_.empty()) return false;
        const std::size_t end = rest_.find('\n');
        line = Slice(rest_, 0, end);
        rest_ = end == std::string_view::npos ? std::string_view{} : Slice(rest_, end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        ++number_;
        return true;
    }

    int Number() const { return number_; }

private:
    std::string_view rest_;
    int number_ = 0;
};

template <std::size_t Capacity>
void Append(FixedText<Capacity>& text, std::string_view part) {
    for (char c : part) text.append(c);
}

bool IsBlank(std::string_view line) { return line.find_first_not_of(" \t\r") == std::string_view::npos; }

bool StartsWithMark(std::string_view line, std::string_view mark) {
    return line.starts_with(mark) && (line.size() == mark.size() || line[mark.size()] == ' ');
}

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return Slice(text, first, text.find_last_not_of(kBlanks) - first + 1);
}

// Drops the blank lines at both ends of a body.
std::string_view TrimBlankLines(std::string_view body) {
    LineReader lines(body);
    std::string_view line;
    std::size_t begin = body.size();
    std::size_t end = 0;
    while (lines.Next(line)) {
        if (IsBlank(line)) continue;
        const auto offset = static_cast<std::size_t>(line.data() - body.data());
        begin = std::min(begin, offset);
        end = offset + line.size();
    }
    return begin < end ? Slice(body, begin, end - begin) : std::string_view{};
}

bool ParseTopicLine(std::string_view line, HelpTopic& topic) {
    const std::string_view rest = TrimBlanks(Slice(line, kTopicMark.size()));
    const std::size_t space = rest.find(' ');
    if (space == std::string_view::npos) return false;
    topic.name = Slice(rest, 0, space);
    topic.title = TrimBlanks(Slice(rest, space + 1));
    return !topic.title.empty();
}

bool ParsePopupLine(std::string_view line, HelpPopup& popup) {
    const std::string_view number = TrimBlanks(Slice(line, kPopupMark.size()));
    if (number.empty() || number.size() > kMaxHelpIdDigits) return false;
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

// The next run of non-blanks of `rest`, which moves past it; empty when none is left.
std::string_view NextWord(std::string_view& rest) {
    const std::size_t start = rest.find_first_not_of(kBlanks);
    if (start == std::string_view::npos) {
        rest = {};
        return {};
    }
    const std::size_t end = rest.find_first_of(kBlanks, start);
    const std::string_view word = Slice(rest, start, end - start);
    rest = end == std::string_view::npos ? std::string_view{} : Slice(rest, end);
    return word;
}

bool HoldsEveryWord(const HelpTopic& topic, std::string_view query) {
    for (std::string_view word = NextWord(query); !word.empty(); word = NextWord(query)) {
        if (!ContainsNoCase(topic.title, word) && !ContainsNoCase(topic.body, word)) return false;
    }
    return true;
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
    const std::string_view text = Slice(line, Indent(line));
    if (text.starts_with("- ")) return 2;
    std::size_t digits = 0;
    while (digits < text.size() && IsDecimalDigit(text[digits])) ++digits;
    return digits > 0 && Slice(text, digits).starts_with(". ") ? digits + 2 : 0;
}

// The output line being written, as far as the next source line needs to know it.
struct OpenLine {
    std::size_t continuationIndent = 0;  // where a wrapped continuation of it stands
    bool joinable = false;               // false: whatever follows starts a line of its own
};

bool Continues(const OpenLine& open, std::string_view line) {
    return open.joinable && !line.empty() && !IsPreformatted(line) && ListMarkerLength(line) == 0 &&
           Indent(line) == open.continuationIndent;
}

std::string_view DisplayLine(std::string_view line) { return line == kEmptyLineMark ? std::string_view{} : line; }

}  // namespace

bool TopicList::Contains(int topic) const { return std::find(begin(), end(), topic) != end(); }

HelpParseResult HelpText::Parse(std::string_view text) {
    topicCount_ = 0;
    popupCount_ = 0;
    std::string_view* body = nullptr;  // of the entry being read
    const char* bodyBegin = nullptr;
    const char* bodyEnd = nullptr;
    // The body of the entry being read ends where the next one starts.
    auto finishEntry = [&] {
        if (body != nullptr && bodyBegin != nullptr) {
            *body = TrimBlankLines(std::string_view(bodyBegin, static_cast<std::size_t>(bodyEnd - bodyBegin)));
        }
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
            if (topicCount_ == kMaxHelpTopics) return {HelpParseError::TooManyTopics, number};
            topics_[topicCount_] = topic;
            body = &topics_[topicCount_++].body;
        } else if (StartsWithMark(line, kPopupMark)) {
            finishEntry();
            HelpPopup popup;
            if (!ParsePopupLine(line, popup)) return {HelpParseError::BadPopupLine, number};
            if (FindPopup(popup.helpId) != nullptr) return {HelpParseError::DuplicatePopup, number};
            if (popupCount_ == kMaxHelpPopups) return {HelpParseError::TooManyPopups, number};
            popups_[popupCount_] = popup;
            body = &popups_[popupCount_++].body;
        } else if (body == nullptr) {
            if (!IsBlank(line)) return {HelpParseError::TextBeforeFirstEntry, number};
        } else {
            if (bodyBegin == nullptr) bodyBegin = line.data();
            bodyEnd = line.data() + line.size();
        }
    }
    finishEntry();
    if (topicCount_ == 0) return {HelpParseError::NoTopic, 0};
    return {};
}

int HelpText::TopicIndex(std::string_view name) const {
    for (std::size_t i = 0; i < topicCount_; ++i) {
        if (topics_[i].name == name) return static_cast<int>(i);
    }
    return -1;
}

const HelpPopup* HelpText::FindPopup(int helpId) const {
    for (std::size_t i = 0; i < popupCount_; ++i) {
        if (popups_[i].helpId == helpId) return &popups_[i];
    }
    return nullptr;
}

TopicList HelpText::Search(std::string_view query) const {
    std::string_view words = query;
    const bool anyWord = !NextWord(words).empty();
    TopicList found;
    for (std::size_t i = anyWord ? 1 : 0; i < topicCount_; ++i) {
        if (HoldsEveryWord(topics_[i], query)) found.Add(static_cast<int>(i));
    }
    return found;
}

TopicText TopicDisplayText(std::string_view body) {
    TopicText text;
    OpenLine open;
    LineReader lines(body);
    std::string_view raw;
    bool first = true;
    while (lines.Next(raw)) {
        const std::string_view line = DisplayLine(raw);
        if (!first && Continues(open, line)) {
            text.append(' ');
            Append(text, Slice(line, Indent(line)));
        } else {
            if (!first) text.append(kLineEnd);
            Append(text, line);
            open.continuationIndent = Indent(line) + ListMarkerLength(line);
        }
        first = false;
        open.joinable = !line.empty() && !IsPreformatted(line) && line.size() >= kWrappedLineLength;
    }
    return text;
}

PopupText PopupDisplayText(std::string_view body) {
    PopupText text;
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
            text.append(kLineEnd);
            text.append(kLineEnd);
        } else if (paragraphOpen) {
            text.append(' ');
        }
        Append(text, line);
        paragraphOpen = true;
        gap = false;
    }
    return text;
}
