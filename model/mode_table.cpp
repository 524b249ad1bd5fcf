#include "model/mode_table.h"

namespace {

ModeRecord BuiltInRow(const char* name, const char* shortName, const char* prefix, const char* suffix,
                      double fps, double framesPerFoot, ModeKind kind, FormatFlags clipFlags) {
    ModeRecord row{};
    row.szName.assign(name);
    row.szShortName.assign(shortName);
    row.szPrefix.assign(prefix);
    row.szSuffix.assign(suffix);
    row.dFps = fps;
    row.dFramesPerFoot = framesPerFoot;
    row.iKind = kind;
    row.iClipFlags = clipFlags;
    return row;
}

// User rows start absent, with plain decimal weights and bare digits on the clipboard.
constexpr FormatFlags kUserRowClipFlags = LeadNone | SepNone;
constexpr FormatFlags kTimecodeClipFlags = LeadZeros | SepColons | Trailing;
constexpr FormatFlags kFeetClipFlags = LeadNone | SepHyphen | Commas | PrefixOx | LeadingZero;

// The 30 DF row counts a minute as 1798 frames (labels 00 and 01 dropped), ten minutes as
// 17982 (the tenth minute keeps them) and an hour as 107892: SMPTE ST 12-1 drop-frame counting.
constexpr std::int32_t kBuiltInPlaceValues[kWeightedModeCount][kDigitCount] = {
    {1, 10, 30, 300, 1800, 18000, 108000, 1080000},           // 30 NDF
    {1, 10, 30, 300, 1798, 17982, 107892, 1078920},           // 30 DF
    {1, 10, 25, 250, 1500, 15000, 90000, 900000},             // Pal
    {1, 10, 24, 240, 1440, 14400, 86400, 864000},             // Film
    {1, 10, 16, 160, 1600, 16000, 160000, 1600000},           // 35mm
    {1, 10, 40, 400, 4000, 40000, 400000, 4000000},           // 16mm
    {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000},     // user rows
    {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000},
    {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000},
    {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000},
};

}  // namespace

ModeTable::ModeTable() {
    rows[ModeNdf] = BuiltInRow("30 NDF", "NDF", "", " NDF", 30, 0, KindHmsf, kTimecodeClipFlags);
    rows[ModeDf] = BuiltInRow("30 DF", "DF", "", " DF", 29.97, 0, KindHmsfDrop, LeadZeros | SepSemicolon | Trailing);
    rows[ModePal] = BuiltInRow("Pal", "Pal", "", " PAL", 25, 0, KindHmsf, kTimecodeClipFlags);
    rows[ModeFilm] = BuiltInRow("Film", "Film", "", "", 24, 0, KindHmsf, kTimecodeClipFlags);
    rows[Mode35mm] = BuiltInRow("35mm", "35mm", "", " 35mm", 24, 16, KindFeetFrames, kFeetClipFlags);
    rows[Mode16mm] = BuiltInRow("16mm", "16mm", "", " 16mm", 24, 40, KindFeetFrames, kFeetClipFlags);
    constexpr const char* kUserShortNames[kUserModeCount] = {"Usr 1", "Usr 2", "Usr 3", "Usr 4"};
    for (int i = 0; i < kUserModeCount; ++i)
        rows[kFirstUserMode + i] = BuiltInRow("", kUserShortNames[i], "", "", 30, 1, KindHmsf, kUserRowClipFlags);
    rows[ModeHex] = BuiltInRow("Hexadecimal", "Hex", "0x", "h", 0, 0, KindHex, LeadNone | UpperCase);
    rows[ModeDec] = BuiltInRow("Decimal", "Dec", "", " Frms", 0, 0, KindDec, LeadNone | Commas | LeadingZero | Trailing);
    rows[ModeOct] = BuiltInRow("Octal", "Oct", "0", "Q", 0, 0, KindOct, LeadNone | Commas | Trailing);
    for (int mode = 0; mode < kWeightedModeCount; ++mode)
        for (int i = 0; i < kDigitCount; ++i) placeValues[mode][i] = kBuiltInPlaceValues[mode][i];
}

bool IsModePresent(const ModeTable& modes, int mode) { return IsValidMode(mode) && !modes.rows[mode].szName.empty(); }

std::int32_t WrapModulus(const ModeTable& modes, int mode) {
    if (!IsValidMode(mode)) mode = 0;
    if (!HasPlaceValues(modes, mode)) return kCountModulus;
    return 24 * modes.placeValues[mode][6];
}
