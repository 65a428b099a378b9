#pragma once
// A set of the digits 0..9 as the filters keep it: a text of ten "0" and "1" characters, character i + 1
// standing for digit i; in a stream ten u32, 1 for a chosen digit.

#include "platform/ByteStream.h"

#include <array>
#include <cstdint>
#include <string>

using TDigitFlags = std::array<uint8_t, 10>;

bool DigitChosen(const std::string &Digits, uint32_t Digit);
// Flag i is 1 when digit i is chosen.
TDigitFlags DigitFlags(const std::string &Digits);
// Each u32 read sets its character to "1" when it equals 1, else "0"; digits the data does not reach
// keep their characters.
void ReadDigitSet(platform::ByteReader &Stream, std::string &Digits);
void WriteDigitSet(platform::ByteWriter &Stream, const std::string &Digits);
// The chosen digits among 0..Count - 1, ascending, without separators.
std::string ChosenDigitsText(const std::string &Digits, uint32_t Count);
