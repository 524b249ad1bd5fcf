// The tape keeps the last 150 lines, blank filler included, each with the mode it was written
// in; ClearTape fills the view with blank lines without announcing them.

#include <string>

#include "tests/engine/recording_view.h"

namespace {

using TapeTest = EngineFixture;

struct ClearCase {
    int visibleLines;
    int expectedLines;
};

TEST_F(TapeTest, ClearFillsTheViewWithBlankLinesOfModeZero) {
    const ClearCase cases[] = {{5, 5}, {0, 0}, {-3, 0}, {150, 150}, {1000, kMaxTapeLines}};
    for (const ClearCase& c : cases) {
        SCOPED_TRACE("visible lines " + std::to_string(c.visibleLines));
        StartIn(10);
        PlayKeys("1+2=");
        view.visibleLines = c.visibleLines;
        view.Forget();
        ClearTape();
        ASSERT_EQ(TapeLineCount(), c.expectedLines);
        for (int i = 0; i < c.expectedLines; ++i) {
            EXPECT_EQ(TapeLineAt(i).text, " ");
            EXPECT_EQ(TapeLineAt(i).iMode, 0);
        }
        EXPECT_TRUE(view.tape.empty()) << "ClearTape must not announce its lines";
    }
}

TEST_F(TapeTest, DropsTheOldestLineBeyond150) {
    view.visibleLines = 149;
    StartIn(11);
    PlayKeys("1+");  // the 150th line
    ASSERT_EQ(TapeLineCount(), 150);
    EXPECT_EQ(TapeLineAt(0).text, " ");

    PlayKeys("2=");  // "+ 2 " and "= 3 " push out two blank lines
    ASSERT_EQ(TapeLineCount(), 150);
    EXPECT_EQ(TapeLineAt(0).text, " ");
    EXPECT_EQ(TapeLineAt(146).text, " ");
    EXPECT_EQ(TapeLineAt(147).text, "  1 ");
    EXPECT_EQ(TapeLineAt(149).text, "= 3 ");
    EXPECT_EQ(TapeLineAt(149).iMode, 11);

    for (int i = 0; i < 200; ++i) PlayKeys("=");
    ASSERT_EQ(TapeLineCount(), 150);
    EXPECT_EQ(TapeLineAt(0).text, "= 3 ");
    EXPECT_EQ(view.tape.size(), 203u);
}

TEST_F(TapeTest, LinesCarryTheirMode) {
    StartIn(10);
    PlayKeys("1FF+<Mode 11>1=");
    ASSERT_EQ(TapeLineCount(), 3);
    EXPECT_EQ(TapeLineAt(0).iMode, 10);
    EXPECT_EQ(TapeLineAt(1).iMode, 11);
    EXPECT_EQ(TapeLineAt(2).text, "= 512 ");
}

TEST_F(TapeTest, LineKindsAndTheirLimit) {
    StartIn(0);
    const std::string longValue(127, '9');
    struct Row {
        const char* value;
        char c;
        TapeLineKind kind;
        std::string expected;
    };
    const Row rows[] = {
        {"1:00", '+', TapeLineKind::TapeOperand, "+ 1:00 "},
        {"1:00", '+', TapeLineKind::TapeMemoryTotal, "M= 1:00 "},
        {"1:00", '-', TapeLineKind::TapeMemoryPlus, "M+ 1:00 "},
        {"1:00", '+', TapeLineKind::TapeMemoryMinus, "M- 1:00 "},
        {longValue.c_str(), '+', TapeLineKind::TapeOperand, "+ " + longValue.substr(0, 125)},
    };
    for (const Row& row : rows) {
        AddTapeLine(row.value, 3, row.c, row.kind);
        EXPECT_EQ(view.tape.back(), row.expected);
        EXPECT_EQ(TapeLineAt(TapeLineCount() - 1).iMode, 3);
    }
}

}  // namespace
