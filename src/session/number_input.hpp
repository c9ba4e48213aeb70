#pragma once

#include <istream>

// Formatted input of the two numbers the dialogue reads, as the prompts promise: blanks and
// line ends are skipped, the number is taken as far as it goes and the rest stays for the next
// read. A line that starts with no number is dropped whole. Both return false once input has
// ended.
//
// The numbers are scanned here rather than by operator>>, so that every standard library gives
// the same verdicts (they disagree on numbers too large for their type) and so that a number
// of any length takes time in proportion to its length and a fixed amount of memory.
bool readNumber(std::istream& in, float& erg);
bool readNumber(std::istream& in, int& ok);
