#include "engine/FilterBlocks.h"

void NormaliseBlock(TRangeBlock &Block, int32_t Lower, int32_t Upper)
{
    switch (Block.Mode) {
    case rmExact:
        Block.Max = Block.Min;
        break;
    case rmAtLeast:
        Block.Max = Upper;
        break;
    case rmAtMost:
        Block.Min = Lower;
        break;
    case rmAny:
        Block.Min = Lower;
        Block.Max = Upper;
        break;
    case rmAll:
        Block.Min = Block.Max = Upper;
        break;
    default:
        break;
    }
}

std::string RangeText(const TRangeBlock &Block, const TModeWords &Words)
{
    const char *word = nullptr;
    switch (Block.Mode) {
    case rmExact:
        return std::to_string(Block.Min);
    case rmRange:
        return "od " + std::to_string(Block.Min) + " do " + std::to_string(Block.Max);
    case rmAtLeast:
        return Words.AtLeast ? Words.AtLeast + std::to_string(Block.Min) : std::string();
    case rmAtMost:
        return Words.AtMost ? Words.AtMost + std::to_string(Block.Max) : std::string();
    case rmAny:
        word = Words.Any;
        break;
    case rmAll:
        word = Words.All;
        break;
    default:
        break;
    }
    return word ? word : "";
}
