#include "model/mode_table.h"

namespace {

ModeRecord BuiltInRow(const char* name, const char* shortName, const char* prefix,
                      const char* suffix, int mode, double fps, double framesPerFoot,
                      ModeKind kind, FormatFlags clipFlags) {
    ModeRecord row{};
    row.szName.assign(name);
    row.szShortName.assign(shortName);
    row.szPrefix.assign(prefix);
    row.szSuffix.assign(suffix);
    row.iMenuId = kFirstModeMenuId + mode;
    row.dFps = fps;
    row.dFramesPerFoot = framesPerFoot;
    row.iKind = kind;
    row.iClipFlags = clipFlags;
    return row;
}

// User rows start absent, with plain decimal weights and bare digits on the clipboard.
constexpr FormatFlags kUserRowClipFlags = LeadNone | SepNone;

void FillModeTable() {
    ModeTable[0] = BuiltInRow("30 NDF", "NDF", "", " NDF", 0, 30, 0, KindHmsf, 0x1024);
    ModeTable[1] = BuiltInRow("30 DF", "DF", "", " DF", 1, 29.97, 0, KindHmsfDrop, 0x1084);
    ModeTable[2] = BuiltInRow("Pal", "Pal", "", " PAL", 2, 25, 0, KindHmsf, 0x1024);
    ModeTable[3] = BuiltInRow("Film", "Film", "", "", 3, 24, 0, KindHmsf, 0x1024);
    ModeTable[4] = BuiltInRow("35mm", "35mm", "", " 35mm", 4, 24, 16, KindFeetFrames, 0x0F01);
    ModeTable[5] = BuiltInRow("16mm", "16mm", "", " 16mm", 5, 24, 40, KindFeetFrames, 0x0F01);
    const char* userShortNames[kUserModeCount] = {"Usr 1", "Usr 2", "Usr 3", "Usr 4"};
    for (int i = 0; i < kUserModeCount; ++i) {
        const int mode = kFirstUserMode + i;
        ModeTable[mode] =
            BuiltInRow("", userShortNames[i], "", "", mode, 30, 1, KindHmsf, kUserRowClipFlags);
    }
    ModeTable[10] = BuiltInRow("Hexadecimal", "Hex", "0x", "h", 10, 0, 0, KindHex, 0x2001);
    ModeTable[11] = BuiltInRow("Decimal", "Dec", "", " Frms", 11, 0, 0, KindDec, 0x1A01);
    ModeTable[12] = BuiltInRow("Octal", "Oct", "0", "Q", 12, 0, 0, KindOct, 0x1201);
}

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

void FillPlaceValueTable() {
    for (int mode = 0; mode < kWeightedModeCount; ++mode)
        for (int i = 0; i < kDigitCount; ++i) PlaceValueTable[mode][i] = kBuiltInPlaceValues[mode][i];
}

struct TablesAtStartUp {
    TablesAtStartUp() { ResetModeTables(); }
};

}  // namespace

ModeRecord ModeTable[kModeCount];
std::int32_t PlaceValueTable[kWeightedModeCount][kDigitCount];

// Fills the tables before main runs, so every caller sees the built-in rows.
static TablesAtStartUp g_tablesAtStartUp;

bool IsModePresent(int mode) { return IsValidMode(mode) && !ModeTable[mode].szName.empty(); }

int ModeOfMenuCommand(int commandId) {
    for (int mode = 0; mode < kModeCount; ++mode)
        if (ModeTable[mode].iMenuId == commandId) return mode;
    return -1;
}

std::int32_t WrapModulus(int mode) {
    if (!IsValidMode(mode)) mode = 0;
    if (IsCountKind(ModeTable[mode].iKind) || mode >= kWeightedModeCount) return kCountModulus;
    return 24 * PlaceValueTable[mode][6];
}

void ResetModeTables() {
    FillModeTable();
    FillPlaceValueTable();
}
