#pragma once
// Text that came from the command line, the input or a file, put into a message of one line:
// quoted, with every control character escaped ("\n", "\x1b"), so that a report never splits
// over lines and nothing reaches the terminal raw.

#include <string>
#include <string_view>

std::string Quoted(std::string_view text, char quote = '\'');

// The same without the quotes.
std::string Escaped(std::string_view text);
