#pragma once
// lumo modes: the table of the modes a run knows.

#include <string>

struct ModeTable;

// One line per present mode: short name, long name, kind, rate and the count at which its
// results wrap, under a heading line.
std::string ModeListing(const ModeTable& modes);
