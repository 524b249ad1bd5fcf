#pragma once
// The engine's scenario rows: each types a script from a fresh start in a mode with some options
// and gives the display, the tape lines written, the messages and the beeps expected. The keys
// are written as lumo's arguments write them (engine/key_script.h); the engine's tests and
// lumo's play the same rows, so that the command line cannot drift from the window.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "model/mode_table.h"


constexpr const char* kBadFrames = "Invalid Frames Entry|Strict Number Check";
constexpr const char* kDivByZero = "Dividing By Zero|(none)";

struct Scenario {
    const char* name;
    int mode = ModeNdf;
    int strict = 0;
    int autoDf = 0;
    int frameConv = 0;
    const char* keys = "";
    const char* display = "";
    std::vector<std::string> tape = {};      // lines written by the keys, in order
    std::vector<std::string> messages = {};  // "text|caption"
    int beeps = 0;
    const char* indicator = nullptr;  // the last memory indicator text, when it matters
    const char* userMode = nullptr;   // a definition of user mode 6 (szCfr1), made before the start
    const char* userMode7 = nullptr;  // and of user mode 7 (szCfr2)
};

constexpr const char* kHd5994 = "59.94 DF,5994DF, DF,59.94,1,HMSD,0";
constexpr const char* kHd25 = "25 DF,25DF, DF,25,1,HMSD,0";
constexpr const char* k23976 = "23.976 fps,23.976, 23.976,23.976,1,HMSF,0";
constexpr const char* k2398 = "23.976,2398, 23.98,23.976,1,HMSF,0";

inline void PrintTo(const Scenario& s, std::ostream* os) { *os << s.name << ": " << s.keys; }

inline const Scenario kScenarios[] = {
    // One calculation, from typing to a mode switch.
    {.name = "plus writes the operand", .keys = "10000+", .display = "1:00:00", .tape = {"  1:00:00 "}},
    {.name = "switch to drop-frame converts the rate", .keys = "10000+@DF", .display = "59;28",
     .tape = {"  1:00:00 "}},
    {.name = "switch to drop-frame as frames", .frameConv = 1, .keys = "10000+@DF",
     .display = "1:00;02", .tape = {"  1:00:00 "}},
    {.name = "three lines and a result", .keys = "<Esc>10000+20000=", .display = "3:00:00",
     .tape = {"    ", "  1:00:00 ", "+ 2:00:00 ", "= 3:00:00 "}},

    // Strictly left to right, and what an operator does with and without an entry.
    {.name = "no precedence", .mode = ModeDec, .keys = "1+2*3=", .display = "9",
     .tape = {"  1 ", "+ 2 ", "* 3 ", "= 9 "}},
    {.name = "an operator shows the running result", .mode = ModeDec, .keys = "1+2*", .display = "3",
     .tape = {"  1 ", "+ 2 "}},
    {.name = "equals without entry only writes the display", .keys = "==", .display = "0",
     .tape = {"= 0 ", "= 0 "}},
    {.name = "equals without entry keeps the pending operator", .mode = ModeDec, .keys = "5+=3=",
     .display = "8", .tape = {"  5 ", "= 5 ", "+ 3 ", "= 8 "}},
    {.name = "operators in a row keep the last", .mode = ModeDec, .keys = "5+*-2=", .display = "3",
     .tape = {"  5 ", "- 2 ", "= 3 "}},
    {.name = "an operator after equals continues from the result", .mode = ModeDec, .keys = "2+3=*4=",
     .display = "20", .tape = {"  2 ", "+ 3 ", "= 5 ", "* 4 ", "= 20 "}},
    {.name = "digits after equals start anew", .mode = ModeDec, .keys = "2+3=7+1=", .display = "8",
     .tape = {"  2 ", "+ 3 ", "= 5 ", "  7 ", "+ 1 ", "= 8 "}},
    {.name = "subtraction wraps through zero", .keys = "<Esc>-1=", .display = "23:59:59:29",
     .tape = {"    ", "- 1 ", "= 23:59:59:29 "}},
    {.name = "addition wraps at 24 hours", .keys = "23595929+1=", .display = "0",
     .tape = {"  23:59:59:29 ", "+ 1 ", "= 0 "}},
    {.name = "division truncates", .mode = ModeDec, .keys = "7/2=", .display = "3",
     .tape = {"  7 ", "/ 2 ", "= 3 "}},
    {.name = "a multiplier is a timecode", .keys = "3*100=", .display = "3:00",
     .tape = {"  3 ", "* 1:00 ", "= 3:00 "}},
    {.name = "the product wraps in 32 bits first", .keys = "23595929*10000=",
     .display = "23:46:03:14", .tape = {"  23:59:59:29 ", "* 1:00:00 ", "= 23:46:03:14 "}},
    {.name = "hexadecimal arithmetic", .mode = ModeHex, .keys = "FFFFFF+2=", .display = "1",
     .tape = {"  FFFFFF ", "+ 2 ", "= 1 "}},

    // Division by zero keeps everything but the operand line.
    {.name = "divide by zero", .mode = ModeDec, .keys = "7/0=", .display = "0",
     .tape = {"  7 ", "/ 0 "}, .messages = {kDivByZero}},
    {.name = "divide by zero again", .mode = ModeDec, .keys = "7/0==", .display = "0",
     .tape = {"  7 ", "/ 0 ", "/ 0 "}, .messages = {kDivByZero, kDivByZero}},
    {.name = "divide by zero, then corrected", .mode = ModeDec, .keys = "7/0=<Bs>2=", .display = "3",
     .tape = {"  7 ", "/ 0 ", "/ 2 ", "= 3 "}, .messages = {kDivByZero}},
    {.name = "an operand that wraps to zero divides by zero", .keys = "10000/24000000=",
     .display = "24:00:00:00", .tape = {"  1:00:00 ", "/ 24:00:00:00 "}, .messages = {kDivByZero}},

    // The drop-frame gate.
    {.name = "nonexistent label, options off: taken as typed", .mode = ModeDf, .keys = "10000+",
     .display = "59;28", .tape = {"  1:00;00 "}},
    {.name = "auto-correct minus two frames", .mode = ModeDf, .autoDf = 1, .keys = "10000+",
     .display = "59;28", .tape = {"  59;28 "}},
    {.name = "auto-correct minus two frames, label 01", .mode = ModeDf, .autoDf = 1, .keys = "10001+",
     .display = "59;29", .tape = {"  59;29 "}},
    {.name = "auto-correct minus two frames with hours", .mode = ModeDf, .autoDf = 1,
     .keys = "1230001=", .display = "1:22:59;29", .tape = {"  1:22:59;29 ", "= 1:22:59;29 "}},
    {.name = "auto-correct plus two frames", .mode = ModeDf, .autoDf = 2, .keys = "10000+",
     .display = "1:00;02", .tape = {"  1:00;02 "}},
    {.name = "auto-correct on the right-hand operand", .mode = ModeDf, .autoDf = 2, .keys = "5+10000=",
     .display = "1:00;07", .tape = {"  5 ", "+ 1:00;02 ", "= 1:00;07 "}},
    {.name = "auto-correct leaves existing labels", .mode = ModeDf, .autoDf = 1, .keys = "100000+10002+",
     .display = "11:00;02", .tape = {"  10:00;00 ", "+ 1:00;02 "}},
    {.name = "auto-correct ignored outside drop-frame", .autoDf = 1, .keys = "10000+",
     .display = "1:00:00", .tape = {"  1:00:00 "}},
    {.name = "unknown auto-correct value counts as off", .mode = ModeDf, .autoDf = 7, .keys = "10000+",
     .display = "59;28", .tape = {"  1:00;00 "}},
    {.name = "strict check refuses the label", .mode = ModeDf, .strict = 1, .keys = "10000+",
     .display = "1:00;00", .messages = {kBadFrames}},
    {.name = "strict check wins over minus two", .mode = ModeDf, .strict = 1, .autoDf = 1,
     .keys = "10000+", .display = "1:00;00", .messages = {kBadFrames}},
    {.name = "strict check wins over plus two", .mode = ModeDf, .strict = 1, .autoDf = 2,
     .keys = "10000=", .display = "1:00;00", .messages = {kBadFrames}},
    {.name = "refused entry stays for correction", .mode = ModeDf, .strict = 1,
     .keys = "10000+<Bs>2+", .display = "1:00;02", .tape = {"  1:00;02 "}, .messages = {kBadFrames}},

    // 59.94 drop-frame skips four labels a minute; a drop-frame kind at 25 skips none.
    {.name = "59.94: strict check refuses a skipped label", .mode = ModeUser1, .strict = 1, .keys = "10003+",
     .display = "1:00;03", .messages = {kBadFrames}, .userMode = kHd5994},
    {.name = "59.94: minus moves to the last labels of the minute before", .mode = ModeUser1, .autoDf = 1,
     .keys = "10002+", .display = "59;58", .tape = {"  59;58 "}, .userMode = kHd5994},
    {.name = "59.94: plus moves to the first labels of the minute", .mode = ModeUser1, .autoDf = 2,
     .keys = "10000+", .display = "1:00;04", .tape = {"  1:00;04 "}, .userMode = kHd5994},
    {.name = "59.94: both off take the label as typed", .mode = ModeUser1, .keys = "10000+", .display = "59;56",
     .tape = {"  1:00;00 "}, .userMode = kHd5994},
    {.name = "59.94: from 30 NDF", .keys = "10000@5994DF", .display = "59;56", .userMode = kHd5994},
    {.name = "59.94: to 30 NDF and back", .keys = "10000@5994DF@NDF", .display = "1:00:00",
     .userMode = kHd5994},
    {.name = "25 drop-frame reads back what it shows", .mode = ModeUser1, .keys = "10000+0=", .display = "1:00;00",
     .tape = {"  1:00;00 ", "+ 0 ", "= 1:00;00 "}, .userMode = kHd25},
    {.name = "25 drop-frame: the strict check passes every label", .mode = ModeUser1, .strict = 1, .autoDf = 1,
     .keys = "10000+", .display = "1:00;00", .tape = {"  1:00;00 "}, .userMode = kHd25},
    // Timecode at an NTSC rate labels at the whole rate; conversions keep the rate as written.
    {.name = "23.976: an hour of labels is 86400 frames", .mode = ModeDec, .keys = "86400@2398",
     .display = "1:00:00:00", .userMode = k2398},
    {.name = "23.976: every second has frames 00 to 23", .mode = ModeUser1, .keys = "5923+1=", .display = "1:00:00",
     .tape = {"  59:23 ", "+ 1 ", "= 1:00:00 "}, .userMode = k2398},
    {.name = "23.976: an hour of 30 NDF runs longer", .keys = "1000000@2398", .display = "59:56:10",
     .userMode = k2398},
    {.name = "29.97 non-drop to drop-frame keeps the count", .mode = ModeUser1, .keys = "1000000@DF",
     .display = "1:00:03;18", .userMode = "29.97,2997, ,29.97,1,HMSF,0"},
    {.name = "59.94 non-drop to drop-frame keeps the count", .mode = ModeUser1, .keys = "1000000@5994DF",
     .display = "1:00:03;36", .userMode = "59.94,5994, ,59.94,1,HMSF,0", .userMode7 = kHd5994},
    {.name = "47.91 is no NTSC rate: place values as written", .mode = ModeDec, .keys = "172800@4791",
     .display = "1:00:06:36", .userMode = "47.91,4791, ,47.91,1,HMSF,0"},
    {.name = "decimal shows a converted count unwrapped", .mode = ModeUser1, .keys = "20000000+@Dec",
     .display = "19,800,000", .tape = {"  200,000-00 "}, .userMode = "Big,Big, x,24,99,FF,0"},

    // The strict check of fields.
    {.name = "strict: frames", .strict = 1, .keys = "1234+", .display = "12:34",
     .messages = {kBadFrames}},
    {.name = "strict: seconds", .strict = 1, .keys = "6000=", .display = "60:00",
     .messages = {"Invalid Seconds Entry|Strict Number Check"}},
    {.name = "strict: minutes", .strict = 1, .keys = "600000=", .display = "60:00:00",
     .messages = {"Invalid Minutes Entry|Strict Number Check"}},
    {.name = "strict: hours", .strict = 1, .keys = "24000000=", .display = "24:00:00:00",
     .messages = {"Invalid Hours Entry|Strict Number Check"}},
    {.name = "strict: the last frame of the day passes", .strict = 1, .keys = "23595929=",
     .display = "23:59:59:29", .tape = {"  23:59:59:29 ", "= 23:59:59:29 "}},
    {.name = "strict: feet frames", .mode = Mode35mm, .strict = 1, .keys = "16+<Bs><Bs>15=",
     .display = "15", .tape = {"  15 ", "= 15 "}, .messages = {kBadFrames}},

    // Entry keys.
    {.name = "the ninth digit drops the oldest", .mode = ModeDec, .keys = "123456789",
     .display = "23,456,789"},
    {.name = "the entry keeps the last eight, then wraps", .mode = ModeDec, .keys = "123456789+",
     .display = "6,679,573", .tape = {"  23,456,789 "}},
    {.name = "leading zero", .keys = "005+", .display = "5", .tape = {"  5 "}},
    {.name = "zeros collapse", .mode = ModeDec, .keys = "000<Bs>", .display = "0"},
    {.name = "backspace with no entry beeps", .mode = ModeDec, .keys = "000<Bs><Bs>", .display = "0",
     .beeps = 1},
    {.name = "backspace after equals beeps", .mode = ModeDec, .keys = "1+2=<Bs>", .display = "3",
     .tape = {"  1 ", "+ 2 ", "= 3 "}, .beeps = 1},
    {.name = "octal refuses 8 and 9", .mode = ModeOct, .keys = "1892", .display = "12", .beeps = 2},
    {.name = "octal refuses 8 on the keypad", .mode = ModeOct, .keys = "7<Click 8><Click 9>",
     .display = "7", .beeps = 2},
    {.name = "hex letters in hex", .mode = ModeHex, .keys = "1aFc", .display = "1AFC"},
    {.name = "hex letters ignored in decimal", .mode = ModeDec, .keys = "1aFc2", .display = "12"},
    {.name = "C is no clear key", .keys = "5+3C", .display = "3", .tape = {"  5 "}},
    {.name = "Esc clears and leaves a blank line", .keys = "5+3<Esc>", .display = "0",
     .tape = {"  5 ", "    "}},
    {.name = "characters without meaning", .mode = ModeDec,
     .keys = "1x#.<Chr 32><Chr 128><Chr 200><Chr 255><Chr 9><Chr 0>2", .display = "12"},
    {.name = "keypad clicks", .mode = ModeDec,
     .keys = "<Click 1><Click +><Click 2><Click =><Click C>", .display = "0",
     .tape = {"  1 ", "+ 2 ", "= 3 ", "    "}},
    {.name = "pasted digits", .mode = ModeDec, .keys = "<Paste 1,234>", .display = "1,234"},
    {.name = "a paste replaces the entry", .keys = "5<Paste 00:01:00:00 NDF>+", .display = "1:00:00",
     .tape = {"  1:00:00 "}},
    {.name = "a paste takes the digits of the mode", .mode = ModeHex, .keys = "<Paste 0x1Fh>", .display = "1F"},
    {.name = "a paste leaves out the mode's own trailing text", .mode = ModeUser1,
     .keys = "<Paste 00:01:00:00 23.976>", .display = "1:00:00", .userMode = k23976},
    {.name = "text without the mode's trailing text is read whole", .mode = ModeUser1, .keys = "<Paste 23.976>",
     .display = "2:39:76", .userMode = k23976},
    {.name = "hex letters are no decimal digits", .mode = ModeDec, .keys = "<Paste 0x1F>", .display = "1"},
    {.name = "a paste into octal beeps at 8 and 9", .mode = ModeOct, .keys = "<Paste 1892>", .display = "12",
     .beeps = 2},
    // The display keeps the typed 5, which the operator then takes as the accumulator.
    {.name = "a paste without digits only empties the entry", .keys = "5<Paste abc>+", .display = "5"},
    {.name = "a paste reads 127 characters", .mode = ModeDec,  // "1", 125 dashes, "2345"
     .keys = "<Paste 1------------------------------------------------------------------------------------"
             "-----------------------------------------2345>",
     .display = "12"},

    // Memory.
    {.name = "M+ and M-", .keys = "10000pm", .display = "1:00:00",
     .tape = {"M+ 1:00:00 ", "M= 1:00:00 ", "M- 1:00:00 ", "M= 0 "}, .indicator = " "},
    {.name = "M+ marks the memory", .keys = "10000P", .display = "1:00:00",
     .tape = {"M+ 1:00:00 ", "M= 1:00:00 "}, .indicator = "*"},
    {.name = "M- from empty wraps", .keys = "1M", .display = "1", .tape = {"M- 1 ", "M= 23:59:59:29 "},
     .indicator = "*"},
    {.name = "memory keys keep the entry", .keys = "10000p+", .display = "1:00:00",
     .tape = {"M+ 1:00:00 ", "M= 1:00:00 ", "  1:00:00 "}},
    {.name = "memory keys keep the calculation", .mode = ModeDec, .keys = "2+3p=", .display = "5",
     .tape = {"  2 ", "M+ 3 ", "M= 3 ", "+ 3 ", "= 5 "}},
    {.name = "M+ of a result", .mode = ModeDec, .keys = "2+3=p", .display = "5",
     .tape = {"  2 ", "+ 3 ", "= 5 ", "M+ 5 ", "M= 5 "}},
    {.name = "recall of an empty memory leaves no entry", .mode = ModeDec, .keys = "7+3=r+", .display = "0"
     , .tape = {"  7 ", "+ 3 ", "= 10 "}},
    {.name = "recall is an entry", .mode = ModeDec, .keys = "7p<Esc>r+1=", .display = "8",
     .tape = {"M+ 7 ", "M= 7 ", "    ", "  7 ", "+ 1 ", "= 8 "}},
    {.name = "recall in hexadecimal", .mode = ModeHex, .keys = "1fffp<Esc>R+", .display = "1FFF",
     .tape = {"M+ 1FFF ", "M= 1FFF ", "    ", "  1FFF "}},
    {.name = "recall converts to the new rate", .keys = "10000p@Pal<Esc>r=", .display = "1:00:00",
     .tape = {"M+ 1:00:00 ", "M= 1:00:00 ", "    ", "  1:00:00 ", "= 1:00:00 "}},
    {.name = "recall as frames in decimal", .keys = "10000p@Decr", .display = "1,800",
     .tape = {"M+ 1:00:00 ", "M= 1:00:00 "}},
    {.name = "the memory converts when used", .keys = "10000p@Pal<Esc>p", .display = "0",
     .tape = {"M+ 1:00:00 ", "M= 1:00:00 ", "    ", "M+ 0 ", "M= 1:00:00 "}},
    {.name = "clear memory", .keys = "5p<ClearMem>", .display = "5",
     .tape = {"M+ 5 ", "M= 5 ", "M= 0 "}, .indicator = " "},
    {.name = "clear of an empty memory", .keys = "<ClearMem>", .display = "0", .tape = {"M= 0 "},
     .indicator = " "},
    {.name = "Esc leaves the memory", .keys = "5p<Esc>", .display = "0",
     .tape = {"M+ 5 ", "M= 5 ", "    "}, .indicator = "*"},

    // Mode switching.
    {.name = "the entry converts", .keys = "10000@Pal+", .display = "1:00:00", .tape = {"  1:00:00 "}},
    {.name = "the pending operator survives", .keys = "10000+@Pal10000=", .display = "2:00:00",
     .tape = {"  1:00:00 ", "+ 1:00:00 ", "= 2:00:00 "}},
    {.name = "hexadecimal to decimal", .mode = ModeHex, .keys = "1FFF@Dec+", .display = "8,191",
     .tape = {"  8,191 "}},
    {.name = "decimal to hexadecimal", .mode = ModeDec, .keys = "255+@Hex1=", .display = "100",
     .tape = {"  255 ", "+ 1 ", "= 100 "}},
    {.name = "drop-frame and back", .keys = "10000@DF@NDF", .display = "1:00:00"},
    {.name = "zero stays an entry", .keys = "0@Pal+", .display = "0", .tape = {"  0 "}},
    {.name = "largest 35mm shown unwrapped", .mode = Mode35mm, .keys = "23999915+@NDF",
     .display = "44:26:39:29", .tape = {"  239,999-15 "}},
    {.name = "unwrapped display reads back wrapped", .mode = Mode35mm, .keys = "23999915+@NDF=",
     .display = "44:26:39:29", .tape = {"  239,999-15 ", "= 44:26:39:29 "}},
    {.name = "unwrapped accumulator wraps at the next step", .mode = Mode35mm,
     .keys = "23999915+@NDF1=", .display = "20:26:40:00",
     .tape = {"  239,999-15 ", "+ 1 ", "= 20:26:40:00 "}},
    {.name = "unwrapped entry wraps when used", .mode = Mode35mm, .keys = "23999915@NDF=",
     .display = "20:26:39:29", .tape = {"  44:26:39:29 ", "= 20:26:39:29 "}},
    {.name = "100 hours and more show wrapped", .mode = Mode16mm, .keys = "23999939@NDF",
     .display = "15:06:39:29"},
};

// The row's number and its name in letters and digits, for the test's name.
inline std::string ScenarioName(const ::testing::TestParamInfo<Scenario>& info) {
    std::string name;
    for (const char* p = info.param.name; *p != '\0'; ++p) {
        const char c = *p;
        const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (alnum) name += c;
        else if (!name.empty() && name.back() != '_') name += '_';
    }
    return std::to_string(info.index) + "_" + name;
}
