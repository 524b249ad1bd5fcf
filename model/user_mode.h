#pragma once
// User-defined modes: the definitions szCfr1 to szCfr4 of the settings file.

struct ModeTable;

constexpr int kMaxCommaFields = 7;

struct CommaFields {
    int count = 0;
    char* field[kMaxCommaFields] = {};
};

// Cuts text at commas in place into at most 7 non-empty fields; a run of commas is one cut and
// commas at either end make no field.
CommaFields SplitCommaFields(char* text);

// The leading decimal number of the field (after spaces); 0 or no number gives the default.
double ReadNumberField(const char* field, double defaultValue);

// The leading signed decimal integer of the field after white space; none gives 0.
int ReadIntegerField(const char* field);

// The signed decimal integer at the very start of the text; none gives 0.
int ReadSignedDecimal(const char* text);

// Applies one definition (at most 127 characters) to user row 6-9 of the table. True when this definition
// named the row and made it usable; false when it was ignored, refused or left the row without
// a name.
bool ParseUserMode(ModeTable& modes, int mode, const char* text);
