#pragma once
// The strict entry check: whether a typed label is one that the mode writes.

struct ModeTable;

// The field that an entry's refusal names.
enum class EntryField { None = -1, Frames, Seconds, Minutes, Hours };

// None when the entry's digits are a label the mode writes for a count (of the day, for the
// time kinds; feet are not limited) and always for the plain counts, so that exactly the labels
// the calculator can show pass. Otherwise the first field, in the order frames, seconds,
// minutes, hours, that lies outside its range; Frames when every field is in range but the
// label still does not exist at the mode's rate (a skipped drop-frame label, a frame the place
// values do not give that second or foot).
EntryField FirstBadEntryField(const ModeTable& modes, const char* text, int mode);
