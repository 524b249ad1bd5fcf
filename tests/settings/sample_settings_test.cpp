// The sample settings file of the release zip, read from the source tree: every user mode it
// defines is taken, and a value copied in the mode's clipboard format pastes back to itself, so
// no trailing text brings digits of its own. Native only: the path is the build machine's.

#include <gtest/gtest.h>

#include "format/formatter.h"
#include "model/digit_string.h"
#include "model/mode_table.h"
#include "settings/ini_file.h"
#include "settings/options.h"

namespace {

TEST(SampleSettings, EveryUserModeIsTakenAndItsCopiesPasteBack) {
    ModeTable modes;
    Options options;
    IniFileStore sample(LUMO_SAMPLE_SETTINGS_FILE);
    ReadSettings(sample, modes, options);
    for (int mode = kFirstUserMode; mode < kFirstUserMode + kUserModeCount; ++mode) {
        SCOPED_TRACE(testing::Message() << "szCfr" << mode - kFirstUserMode + 1);
        EXPECT_TRUE(IsModePresent(modes, mode));
        const std::int32_t last = WrapModulus(modes, mode) - 1;  // every digit position in use
        const TextBuffer copy = FormatCount(modes, last, mode, modes.rows[mode].iClipFlags);
        EXPECT_EQ(TextToFrames(modes, copy.c_str(), mode), last) << copy.c_str();
    }
}

}  // namespace
