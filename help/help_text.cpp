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
// inside double quotes are quoted text ("HMSF   30.00 F/S"), not a column gap, and blanks at the
// end of a line start no column. Hands each column to `visit`, the indent with the first;
// answers the number of gaps.
template <class Visit>
std::size_t SplitColumns(std::string_view line, Visit visit) {
    std::size_t gaps = 0;
    std::size_t start = 0;
    bool quoted = false;
    for (std::size_t i = Indent(line); i + 1 < line.size(); ++i) {
        if (line[i] == '"') quoted = !quoted;
        if (quoted || line[i] != ' ' || line[i + 1] != ' ') continue;
        const std::size_t next = std::min(line.find_first_not_of(' ', i), line.size());
        if (next == line.size()) break;
        visit(Slice(line, start, i - start));
        ++gaps;
        start = next;
        i = next - 1;
    }
    visit(Slice(line, start));
    return gaps;
}

bool IsPreformatted(std::string_view line) {
    return SplitColumns(line, [](std::string_view) {}) > 0;
}

// A table row with one tab in each of its gaps, so that the window can line the columns up in a
// proportional face.
void AppendColumns(TopicText& text, std::string_view line) {
    bool first = true;
    SplitColumns(line, [&](std::string_view column) {
        if (!first) text.append('\t');
        Append(text, column);
        first = false;
    });
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
    bool tableRow = false;               // it has columns
    std::size_t indent = 0;
};

// A line indented deeper than the table row above it goes on in the row's second column: its
// first column is empty.
bool ContinuesTableRow(const OpenLine& open, std::string_view line) {
    return open.tableRow && !line.empty() && !IsPreformatted(line) && Indent(line) > open.indent;
}

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
            if (ContinuesTableRow(open, line)) {
                Append(text, Slice(line, 0, open.indent));
                text.append('\t');
                Append(text, Slice(line, Indent(line)));
            } else {
                AppendColumns(text, line);
                open.tableRow = IsPreformatted(line);
                open.indent = Indent(line);
            }
            open.continuationIndent = Indent(line) + ListMarkerLength(line);
        }
        first = false;
        open.joinable = !line.empty() && !IsPreformatted(line) && !open.tableRow &&
                        line.size() >= kWrappedLineLength;
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

namespace {

constexpr std::size_t kMaxColumns = 8;
constexpr std::string_view kCrLf = "\r\n";

// The lines of a display text, and where a table (a run of lines with tabs) ends.
std::string_view LineAt(std::string_view text, std::size_t& at) {
    const std::size_t end = std::min(text.find(kCrLf, at), text.size());
    const std::string_view line = Slice(text, at, end - at);
    at = end + kCrLf.size();
    return line;
}

bool IsTableRow(std::string_view line) { return line.find('\t') != std::string_view::npos; }

// The i-th column of a table row; empty past its last.
std::string_view ColumnOf(std::string_view row, std::size_t i) {
    std::size_t start = 0;
    for (; i > 0; --i) {
        start = row.find('\t', start);
        if (start == std::string_view::npos) return {};
        ++start;
    }
    return Slice(row, start, row.find('\t', start) - start);
}

std::size_t ColumnCount(std::string_view row) {
    return std::min<std::size_t>(static_cast<std::size_t>(std::count(row.begin(), row.end(), '\t')) + 1, kMaxColumns);
}

// Tab stops in the control's units, a quarter of its character width each, and back in pixels
// as the control reads them.
struct TabUnits {
    int charWidth;
    int FromPixels(int pixels) const { return (4 * pixels + charWidth - 1) / charWidth; }
    int ToPixels(int units) const { return units * charWidth / 4; }
};

// Where each column of the table that starts at `at` begins, in pixels as the control places
// them: a gap after the widest text of the column before it.
struct TableColumns {
    int start[kMaxColumns] = {};
    std::size_t count = 1;
};

TableColumns MeasureTable(std::string_view text, std::size_t at, const TextWidth& width, const TabUnits& units,
                          int gap) {
    TableColumns table;
    for (std::size_t column = 1; column < kMaxColumns; ++column) {
        int widest = -1;
        for (std::size_t next = at; next < text.size();) {
            const std::string_view row = LineAt(text, next);
            if (!IsTableRow(row)) break;
            if (ColumnCount(row) <= column) continue;
            widest = std::max(widest, table.start[column - 1] + width(ColumnOf(row, column - 1)));
        }
        if (widest < 0) break;
        table.start[column] = units.ToPixels(units.FromPixels(widest + gap));
        table.count = column + 1;
    }
    return table;
}

void AddStop(ColumnLayout& layout, int stop) {
    int* end = layout.stops + layout.stopCount;
    int* at = std::lower_bound(layout.stops, end, stop);
    if ((at != end && *at == stop) || layout.stopCount == kMaxTabStops) return;
    std::copy_backward(at, end, end + 1);
    *at = stop;
    ++layout.stopCount;
}

// Calls visit(line, table) for every line, with the columns of the table it belongs to (null for
// a line outside tables).
template <class Visit>
void ForEachLine(std::string_view text, const TextWidth& width, const TabUnits& units, int gap, Visit visit) {
    TableColumns table;
    bool inTable = false;
    for (std::size_t at = 0; at <= text.size();) {
        const std::size_t lineStart = at;
        const std::string_view line = LineAt(text, at);
        if (!IsTableRow(line)) {
            inTable = false;
        } else if (!inTable) {
            table = MeasureTable(text, lineStart, width, units, gap);
            inTable = true;
        }
        visit(line, inTable ? &table : nullptr);
    }
}

}  // namespace

ColumnLayout LayOutColumns(const TopicText& shown, const TextWidth& width, int charWidth, int gap) {
    ColumnLayout layout;
    const std::string_view text(shown.c_str(), shown.size());
    if (charWidth <= 0) {
        layout.text = shown;
        return layout;
    }
    const TabUnits units{charWidth};
    ForEachLine(text, width, units, gap, [&](std::string_view, const TableColumns* table) {
        if (table == nullptr) return;
        for (std::size_t i = 1; i < table->count; ++i) AddStop(layout, units.FromPixels(table->start[i]));
    });
    // A tab moves to the first stop right of the text before it: a gap gets one tab for each
    // stop that lies between the end of its column's text and the start of the next column.
    bool first = true;
    ForEachLine(text, width, units, gap, [&](std::string_view line, const TableColumns* table) {
        if (!first) Append(layout.text, kCrLf);
        first = false;
        if (table == nullptr) {
            Append(layout.text, line);
            return;
        }
        const std::size_t count = ColumnCount(line);
        for (std::size_t i = 0; i < count; ++i) {
            const std::string_view column = ColumnOf(line, i);
            Append(layout.text, column);
            if (i + 1 == count) break;
            const int end = table->start[i] + width(column);
            for (std::size_t s = 0; s < layout.stopCount; ++s) {
                const int stop = units.ToPixels(layout.stops[s]);
                if (stop > end && stop <= table->start[i + 1]) layout.text.append('\t');
            }
        }
    });
    return layout;
}
