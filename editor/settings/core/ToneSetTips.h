#pragma once
// Help texts of the tone sets: their digit frequencies, tone length, group and repeat tone.
#include <string>

namespace vt {

// Frequency in Hz of digit 0..15 in tone set 0..5; 0 outside.
int ToneFrequency(int set, int digit);
// "TONE  FREQ(Hz)" and one line per digit, each ended by a carriage return.
std::string ToneTable(int set);
// Name, table, length, group tone and repeat tone, separated by carriage returns.
std::string ToneSetTip(int set);

} // namespace vt
