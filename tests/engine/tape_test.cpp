// The tape keeps the last 150 lines, blank filler included, each with the mode it was written
// in; ClearTape fills the view with blank lines and has it show the tape again. What the view is
// told is the tape: a view that follows TapeAdded and TapeCleared shows these lines.

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
        calc.ClearTape();
        ASSERT_EQ(static_cast<int>(view.shownTape.size()), c.expectedLines);
        for (int i = 0; i < c.expectedLines; ++i) {
            EXPECT_EQ(view.shownTape[i].text, " ");
            EXPECT_EQ(view.shownTape[i].iMode, 0);
        }
        EXPECT_TRUE(view.tape.empty()) << "ClearTape must not announce its lines one by one";
        EXPECT_EQ(view.events, std::vector<std::string>{"tape cleared"});
    }
}

TEST_F(TapeTest, DropsTheOldestLineBeyond150) {
    view.visibleLines = 149;
    StartIn(11);
    PlayKeys("1+");  // the 150th line
    ASSERT_EQ(static_cast<int>(view.shownTape.size()), 150);
    EXPECT_EQ(view.shownTape[0].text, " ");

    PlayKeys("2=");  // "+ 2 " and "= 3 " push out two blank lines
    ASSERT_EQ(static_cast<int>(view.shownTape.size()), 150);
    EXPECT_EQ(view.shownTape[0].text, " ");
    EXPECT_EQ(view.shownTape[146].text, " ");
    EXPECT_EQ(view.shownTape[147].text, "  1 ");
    EXPECT_EQ(view.shownTape[149].text, "= 3 ");
    EXPECT_EQ(view.shownTape[149].iMode, 11);

    for (int i = 0; i < 200; ++i) PlayKeys("=");
    ASSERT_EQ(static_cast<int>(view.shownTape.size()), 150);
    EXPECT_EQ(view.shownTape[0].text, "= 3 ");
    EXPECT_EQ(view.tape.size(), 203u);
}

TEST_F(TapeTest, LinesCarryTheirMode) {
    StartIn(10);
    PlayKeys("1FF+@Dec1=");
    ASSERT_EQ(static_cast<int>(view.shownTape.size()), 3);
    EXPECT_EQ(view.shownTape[0].iMode, 10);
    EXPECT_EQ(view.shownTape[1].iMode, 11);
    EXPECT_EQ(view.shownTape[2].text, "= 512 ");
}

TEST(TapeLines, LineKindsAndTheirLimit) {
    Tape tape;
    const std::string longValue(127, '9');
    tape.AddOperandLine('+', "1:00", 3);
    EXPECT_EQ(tape.Newest().text, "+ 1:00 ");
    const struct {
        MemoryLine kind;
        const char* expected;
    } memoryLines[] = {{MemoryLine::Total, "M= 1:00 "}, {MemoryLine::Plus, "M+ 1:00 "}, {MemoryLine::Minus, "M- 1:00 "}};
    for (const auto& line : memoryLines) {
        tape.AddMemoryLine(line.kind, "1:00", 3);
        EXPECT_EQ(tape.Newest().text, line.expected);
    }
    tape.AddOperandLine('+', longValue.c_str(), 3);
    EXPECT_EQ(std::string(tape.Newest().text.c_str()), "+ " + longValue.substr(0, 125));
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(tape.At(tape.Count() - i).iMode, 3);
}

}  // namespace
