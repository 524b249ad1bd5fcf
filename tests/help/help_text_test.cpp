#include "help/help_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<std::string> TopicNames(const HelpText& help, const TopicList& indexes) {
    std::vector<std::string> names;
    for (int i : indexes) names.emplace_back(help.Topics()[static_cast<std::size_t>(i)].name);
    return names;
}

TEST(HelpTextParse, TopicsAndPopupsInTextOrder) {
    const std::string text =
        ".topic contents Contents\n"
        "See the topics.\n"
        "\n"
        ".topic first-one The first  topic \r\n"
        "\r\n"
        "Line one.\r\n"
        ".\r\n"
        "Line three.\r\n"
        "\r\n"
        ".popup 3004\n"
        "Popup text.\n"
        ".topic empty An empty topic\n"
        ".popup 17\n";
    HelpText help;
    const HelpParseResult result = help.Parse(text);
    ASSERT_EQ(result.error, HelpParseError::None) << "line " << result.line;

    struct TopicRow {
        const char* name;
        const char* title;
        const char* body;
    };
    const TopicRow kTopics[] = {
        {"contents", "Contents", "See the topics."},
        {"first-one", "The first  topic", "Line one.\r\n.\r\nLine three."},
        {"empty", "An empty topic", ""},
    };
    ASSERT_EQ(help.Topics().size(), std::size(kTopics));
    for (std::size_t i = 0; i < std::size(kTopics); ++i) {
        const HelpTopic& topic = help.Topics()[i];
        EXPECT_EQ(topic.name, kTopics[i].name) << "topic " << i;
        EXPECT_EQ(topic.title, kTopics[i].title) << "topic " << i;
        EXPECT_EQ(topic.body, kTopics[i].body) << "topic " << i;
        EXPECT_EQ(help.TopicIndex(kTopics[i].name), static_cast<int>(i));
    }
    EXPECT_EQ(help.TopicIndex("missing"), -1);
    EXPECT_EQ(help.TopicIndex("first"), -1) << "names match whole";

    ASSERT_EQ(help.Popups().size(), 2u);
    ASSERT_NE(help.FindPopup(3004), nullptr);
    EXPECT_EQ(help.FindPopup(3004)->body, "Popup text.");
    ASSERT_NE(help.FindPopup(17), nullptr);
    EXPECT_EQ(help.FindPopup(17)->body, "");
    EXPECT_EQ(help.FindPopup(3005), nullptr);
}

TEST(HelpTextParse, FaultsNameTheirLine) {
    struct Row {
        const char* label;
        const char* text;
        HelpParseError error;
        int line;
    };
    const Row kRows[] = {
        {"text before the first topic", "\nstray\n.topic a A\n", HelpParseError::TextBeforeFirstEntry, 2},
        {"topic without title", ".topic a A\n.topic b\n", HelpParseError::BadTopicLine, 2},
        {"topic without anything", ".topic\n", HelpParseError::BadTopicLine, 1},
        {"popup without number", ".topic a A\n.popup\n", HelpParseError::BadPopupLine, 2},
        {"popup number with a letter", ".topic a A\n.popup 30x4\n", HelpParseError::BadPopupLine, 2},
        {"popup number 0", ".topic a A\n.popup 0\n", HelpParseError::BadPopupLine, 2},
        {"popup number too long", ".topic a A\n.popup 123456\n", HelpParseError::BadPopupLine, 2},
        {"topic twice", ".topic a A\n.topic b B\n.topic a C\n", HelpParseError::DuplicateTopic, 3},
        {"popup twice", ".topic a A\n.popup 5\nx\n.popup 5\n", HelpParseError::DuplicatePopup, 4},
        {"only popups", ".popup 5\nx\n", HelpParseError::NoTopic, 0},
        {"empty text", "", HelpParseError::NoTopic, 0},
    };
    for (const Row& row : kRows) {
        HelpText help;
        const HelpParseResult result = help.Parse(row.text);
        EXPECT_EQ(result.error, row.error) << row.label;
        EXPECT_EQ(result.line, row.line) << row.label;
    }
}

// The contents and then entries of one kind until one more than fits.
TEST(HelpTextParse, CapacityIsAFault) {
    struct Row {
        const char* mark;
        std::size_t fitting;  // entries of this kind besides the contents that still fit
        HelpParseError error;
    };
    const Row kRows[] = {{".topic t%zu T\n", kMaxHelpTopics - 1, HelpParseError::TooManyTopics},
                         {".popup %zu\n", kMaxHelpPopups, HelpParseError::TooManyPopups}};
    for (const Row& row : kRows) {
        std::string text = ".topic contents Contents\n";
        for (std::size_t i = 1; i <= row.fitting + 1; ++i) {
            char line[32];
            std::snprintf(line, sizeof line, row.mark, i);
            text += line;
        }
        HelpText help;
        const HelpParseResult result = help.Parse(text);
        EXPECT_EQ(result.error, row.error) << row.mark;
        EXPECT_EQ(result.line, static_cast<int>(row.fitting) + 2) << row.mark;
        EXPECT_EQ(help.Topics().size() + help.Popups().size(), row.fitting + 1) << "what came before is kept";
    }
}

TEST(HelpTextParse, DotLinesThatAreNoMarkupAreText) {
    HelpText help;
    ASSERT_EQ(help.Parse(".topic a A\n.topics are words\n.INI files\n.popupx\n").error, HelpParseError::None);
    ASSERT_EQ(help.Topics().size(), 1u);
    EXPECT_EQ(help.Topics()[0].body, ".topics are words\n.INI files\n.popupx");
}

TEST(HelpTextSearch, EveryWordSomewhereInTitleOrTextWithoutRegardToCase) {
    const std::string text =
        ".topic contents Contents\n"
        "Drop-frame timecode; Frame rates; Clipboard\n"
        ".topic drop Drop-frame timecode\n"
        "Labels ;00 and ;01 are skipped.\n"
        ".topic rates Frame rates\n"
        "Switching the mode converts at the new RATE.\n"
        ".topic clip Clipboard\n"
        "Copy writes the display; the drop-frame label keeps its semicolon.\n";
    HelpText help;
    ASSERT_EQ(help.Parse(text).error, HelpParseError::None);

    struct Row {
        const char* query;
        std::vector<std::string> topics;
    };
    const Row kRows[] = {
        {"", {"contents", "drop", "rates", "clip"}},
        {" \t ", {"contents", "drop", "rates", "clip"}},
        {"drop", {"drop", "clip"}},
        {"DROP frame", {"drop", "clip"}},
        {"drop skipped", {"drop"}},
        {"frame rate", {"rates"}},
        {"  rate   MODE ", {"rates"}},
        {"semi", {"clip"}},
        {";00", {"drop"}},
        {"contents", {}},
        {"drop zebra", {}},
    };
    for (const Row& row : kRows) {
        EXPECT_EQ(TopicNames(help, help.Search(row.query)), row.topics) << "query \"" << row.query << "\"";
    }
}

TEST(HelpDisplayText, WrappedParagraphsJoinTablesAndListsKeepTheirLines) {
    const std::string wrapped(80, 'w');  // as long as a line wrapped by the author
    struct Row {
        const char* label;
        std::string body;
        std::string shown;
    };
    const Row kRows[] = {
        {"a wrapped paragraph becomes one line", wrapped + "\nrest of it.\n\nNext paragraph.",
         wrapped + " rest of it.\r\n\r\nNext paragraph."},
        {"a short line ends where it was meant to", "Topics:\n  First\n  Second", "Topics:\r\n  First\r\n  Second"},
        {"a table row keeps its line, a tab in each gap", "  " + wrapped + "  col\n  next",
         "  " + wrapped + "\tcol\r\n  next"},
        {"a line of columns is never joined to", wrapped + "\n  5      shows 5   1  \n",
         wrapped + "\r\n  5\tshows 5\t1  "},
        {"a deeper line under a table row goes on in its second column",
         "  key    " + wrapped + "\n         more\n  next   row", "  key\t" + wrapped + "\r\n  \tmore\r\n  next\trow"},
        {"blanks in quotes are no columns", wrapped + "\nreads \"HMSF   30.00 F/S\" here.",
         wrapped + " reads \"HMSF   30.00 F/S\" here."},
        {"a list item's continuation joins it", "- " + wrapped + "\n  more.\n- Second.",
         "- " + wrapped + " more.\r\n- Second."},
        {"a numbered item's continuation joins it", "12. " + wrapped + "\n    more.", "12. " + wrapped + " more."},
        {"a new item never joins the one before", "- " + wrapped + "\n- Second.", "- " + wrapped + "\r\n- Second."},
        {"another indent starts a line", wrapped + "\n  indented.", wrapped + "\r\n  indented."},
        {"an indented paragraph joins at its indent", "  " + wrapped + "\n  more.", "  " + wrapped + " more."},
        {"a dot line is an empty line", "One.\n.\nTwo.", "One.\r\n\r\nTwo."},
        {"a dot line ends a paragraph", wrapped + "\n.\nTwo.", wrapped + "\r\n\r\nTwo."},
        {"CRLF in the source", wrapped + "\r\nrest.\r\n", wrapped + " rest."},
    };
    for (const Row& row : kRows) {
        EXPECT_STREQ(TopicDisplayText(row.body).c_str(), row.shown.c_str()) << row.label;
    }
}

// Every character 10 pixels wide; the control's character width 8, so its stops fall on even pixels.
struct TenPixelsACharacter final : TextWidth {
    int operator()(std::string_view text) const override { return 10 * static_cast<int>(text.size()); }
};

TEST(HelpDisplayText, TableColumnsStartAGapAfterTheirWidestTextAndTabsReachThem) {
    const TenPixelsACharacter width;
    // First table: column 2 at 30 + 10 = 40 pixels. Second: columns at 20 and 40, and 20 is a
    // stop too, so the first table's short row needs a second tab to get past it.
    const ColumnLayout layout = LayOutColumns("a\tbb\r\nccc\td\r\nprose\r\nx\ty\tz", width, 8, 10);
    EXPECT_STREQ(layout.text.c_str(), "a\t\tbb\r\nccc\td\r\nprose\r\nx\ty\tz");
    ASSERT_EQ(layout.stopCount, 2u);
    EXPECT_EQ(layout.stops[0], 10);  // 20 pixels in quarters of 8
    EXPECT_EQ(layout.stops[1], 20);
    // A stop between pixels rounds up to the control's next unit: 30 + 5 pixels is 17.5 units.
    const ColumnLayout odd = LayOutColumns("  a\tb", TenPixelsACharacter{}, 8, 5);
    ASSERT_EQ(odd.stopCount, 1u);
    EXPECT_EQ(odd.stops[0], 18);
}

TEST(HelpDisplayText, PopupParagraphsBecomeOneLineEach) {
    struct Row {
        const char* body;
        const char* shown;
    };
    const Row kRows[] = {
        {"One line.", "One line."},
        {"Wrapped\nonce, and\n  again.", "Wrapped once, and again."},
        {"First.\n\nSecond\npart.", "First.\r\n\r\nSecond part."},
        {"First.\n.\n\nSecond.", "First.\r\n\r\nSecond."},
        {"Windows\r\nline ends.", "Windows line ends."},
        {"", ""},
    };
    for (const Row& row : kRows) {
        EXPECT_STREQ(PopupDisplayText(row.body).c_str(), row.shown) << "body \"" << row.body << "\"";
    }
}

}  // namespace
