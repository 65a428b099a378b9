#include "engine/FilterDigitSet.h"

bool DigitChosen(const std::string &Digits, uint32_t Digit)
{
    return Digit < Digits.size() && Digits[Digit] == '1';
}

TDigitFlags DigitFlags(const std::string &Digits)
{
    TDigitFlags flags{};
    for (uint32_t digit = 0; digit < flags.size(); ++digit)
        flags[digit] = DigitChosen(Digits, digit) ? 1 : 0;
    return flags;
}

void ReadDigitSet(platform::ByteReader &Stream, std::string &Digits)
{
    Digits.resize(10, '0');
    for (char &digit : Digits) {
        uint32_t chosen = 0;
        if (Stream.get(chosen))
            digit = chosen == 1 ? '1' : '0';
    }
}

void WriteDigitSet(platform::ByteWriter &Stream, const std::string &Digits)
{
    for (uint32_t digit = 0; digit < 10; ++digit)
        Stream.put<uint32_t>(DigitChosen(Digits, digit) ? 1 : 0);
}

std::string ChosenDigitsText(const std::string &Digits, uint32_t Count)
{
    std::string text;
    for (uint32_t digit = 0; digit < Count && digit < 10; ++digit)
        if (DigitChosen(Digits, digit))
            text += static_cast<char>('0' + digit);
    return text;
}
