#include "engine/UAllGuars.h"

#include "core/ProgramLocale.h"
#include "core/UComb.h"
#include "engine/UGame.h"
#include "engine/UGameMan.h"
#include "engine/USysGeneral.h"

#include <algorithm>
#include <array>
#include <memory>

namespace {

// The words of one kind of number in the Polish forms for 1, for 2-4 and for 5 and more, and the short code.
struct TNumberWords {
    std::array<const char *, 3> Forms;
    const char *Short;
};

constexpr TNumberWords AnyVariableWords{{"dowolna zmienna", "dowolne zmienne", "dowolnych zmiennych"}, "DZ"};
constexpr TNumberWords AnyNumberWords{{"dowolna liczba", "dowolne liczby", "dowolnych liczb"}, "D"};
constexpr TNumberWords FixedWords{{"stała", "stałe", "stałych"}, "S"};
constexpr TNumberWords OrdinaryWords{{"normalna", "normalne", "normalnych"}, "N"};
constexpr TNumberWords PlainWords{{"liczba", "liczby", "liczb"}, nullptr}; // short: the long form
constexpr TNumberWords VariableWords{{"zmienna", "zmienne", "zmiennych"}, "Z"};

// 0 for one, 1 for 2-4 (also 22-24, 32-34, ... but not 12-14), 2 for the rest.
size_t polishForm(int Count)
{
    if (Count == 1)
        return 0;
    const int units = Count % 10, tens = Count % 100;
    return units >= 2 && units <= 4 && (tens < 12 || tens > 14) ? 1 : 2;
}

// Past the last state whose digit sum stays within Limit, in odometer order (last digit fastest): false.
bool nextStateWithin(TDynByteArr &Digits, const TAGParams &Groups, int &Sum, int Limit)
{
    for (size_t i = Digits.size(); i-- > 0;) {
        if (Digits[i] < Groups[i].Count && Sum < Limit) {
            ++Digits[i];
            ++Sum;
            return true;
        }
        Sum -= Digits[i];
        Digits[i] = 0;
    }
    return false;
}

} // namespace

TAllGuars::TAllGuars(const TGameData *Game, int K, int32_t Mode)
    : Game(Game), K(uint8_t(K)), Mode(Mode), FullBet(K >= Game->Info.MinK)
{
    const auto byKey = [](const TOneOfAllGuars *Key, const TOneOfAllGuars *Item, int Param) {
        return Param * ((Key->Key > Item->Key) - (Key->Key < Item->Key));
    };
    List1.Compare = byKey;
    List2.Compare = byKey;
}

void TAllGuars::Build()
{
    List1.Clear();
    List2.Clear();
    if (std::any_of(Categories.begin(), Categories.end(),
                    [](const TAGParam &Group) { return Group.Weight == 0.0 || Group.Weight > 1.0; }))
        Generate(List2, Categories);
    if (Categories.size() != 1) {
        TAGParam merged{-2.0, 0, {}};
        for (const TAGParam &group : Categories)
            merged.Numbers.insert(merged.Numbers.end(), group.Numbers.begin(),
                                  group.Numbers.begin() + group.Count);
        std::sort(merged.Numbers.begin(), merged.Numbers.end());
        merged.Count = uint8_t(merged.Numbers.size());
        Categories = {std::move(merged)};
    }
    Generate(List1, Categories);
}

std::string TAllGuars::Describe(int Count, double Weight, bool Short) const
{
    const TNumberWords &words = Weight == -1.0   ? AnyVariableWords
                                : Weight == -2.0 ? AnyNumberWords
                                : Weight == 0.0  ? FixedWords
                                : Weight == 1.0  ? (Mode == skVar ? OrdinaryWords : PlainWords)
                                                 : VariableWords;
    std::string text = std::to_string(Count) + ' ';
    text += Short && words.Short ? words.Short : words.Forms[polishForm(Count)];
    if (&words == &VariableWords)
        text += " (" + FormatFloat("0.0", Weight) + ')';
    return text;
}

void TAllGuars::Generate(TGeneralList<TOneOfAllGuars> &List, const TAGParams &Groups)
{
    const int drawn = Game->Info.Drawn;
    const int fewest = FullBet ? MinWinHits(Game->Info, K) : 1;
    const bool beyondFirst = &List == &List2;
    // States whose sum exceeds the numbers drawn are never visited: their count grows exponentially
    // with the categories. The states come in ascending order of their digits.
    std::vector<std::unique_ptr<TOneOfAllGuars>> found;
    TDynByteArr digits(Groups.size(), 0);
    int sum = 0;
    do {
        if (sum >= fewest && !(beyondFirst && sum == digits.front()))
            found.emplace_back(makeVariant(Groups, digits, sum));
    } while (nextStateWithin(digits, Groups, sum, drawn));
    for (auto variant = found.rbegin(); variant != found.rend(); ++variant)
        List.AddItem(variant->release(), true);
}

TOneOfAllGuars *TAllGuars::makeVariant(const TAGParams &Groups, const TDynByteArr &Digits, int Sum) const
{
    auto variant = std::make_unique<TOneOfAllGuars>();
    variant->Total = uint8_t(Sum);
    variant->Key = Digits;
    for (size_t i = 0; i < Groups.size(); ++i) {
        const uint8_t hits = Digits[i];
        if (hits == 0)
            continue;
        const TAGParam &group = Groups[i];
        TBlock block;
        block.Size = group.Count;
        block.Hits = hits;
        block.Numbers.assign(group.Numbers.begin(), group.Numbers.begin() + group.Count);
        block.Subset.resize(hits);
        NextComb(block.Subset, group.Count, hits, true);
        block.Fixed = hits == group.Count ? 1 : 0;
        block.Counter = 1;
        block.Total = Newton[group.Count][hits];
        variant->Parts.push_back(std::move(block));
        const std::string text = ' ' + Describe(hits, group.Weight, false);
        variant->LongText += text;
        variant->CaptionText += text;
    }
    return variant.release();
}
