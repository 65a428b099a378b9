// Runs the filter case folders under filtercases/: each holds input.txt, a script of commands on one
// filter, and expected.txt, the lines the commands must print. Every folder found on disk is a case.
//
// Commands (blank lines and lines starting with # are skipped in both files):
//   game H K [pool numbers]  a game of 1..H drawing K; the pool is 1..H unless listed
//   kind C                   a new filter of kind C with its defaults
//   set FIELD VALUES         sets a field of the edited parameters, unclamped: and 0|1, count/scope/value/size
//                            MODE MIN MAX, position P, digitkind D, digits 0101010101, exclusive E
//   load HEX                 reads a record (AndMode first) from the bytes
//   add                      adds the edited parameters as a condition
// and those that print "<command> => <result>":
//   name, describe (quoted), params, cond I, save (hex grouped by field), bounds, maxcount FROM TO,
//   test NUMBERS (pass or fail).

#include "engine/FilterKinds.h"
#include "engine/UFltCount.h"
#include "engine/UFltGroup.h"
#include "engine/UFltValue.h"
#include "engine/UGameMan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path CasesDir = KORVANTILE_FILTER_CASES;

// The lines of a file without blank lines, comments and trailing carriage returns.
std::vector<std::string> ReadLines(const fs::path &Path)
{
    std::vector<std::string> lines;
    std::ifstream in(Path);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> Words(const std::string &Line)
{
    std::istringstream in(Line);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

int32_t ToInt(const std::string &Text)
{
    int32_t value = 0;
    const auto [end, error] = std::from_chars(Text.data(), Text.data() + Text.size(), value);
    if (error != std::errc() || end != Text.data() + Text.size())
        throw std::runtime_error("not a number: " + Text);
    return value;
}

TDynByteArr HexBytes(const std::vector<std::string> &Words, size_t From)
{
    std::string digits;
    for (size_t i = From; i < Words.size(); ++i)
        digits += Words[i];
    if (digits.size() % 2 != 0)
        throw std::runtime_error("odd number of hex digits");
    TDynByteArr bytes;
    for (size_t i = 0; i < digits.size(); i += 2) {
        uint8_t byte = 0;
        const auto [end, error] = std::from_chars(digits.data() + i, digits.data() + i + 2, byte, 16);
        if (error != std::errc() || end != digits.data() + i + 2)
            throw std::runtime_error("not hex: " + digits.substr(i, 2));
        bytes.push_back(byte);
    }
    return bytes;
}

// Field sizes of each kind's stored record, AndMode first.
std::vector<size_t> RecordLayout(uint32_t Kind)
{
    const std::vector<size_t> block{1, 4, 4};
    std::vector<size_t> layout{1};
    auto add = [&layout](const std::vector<size_t> &Fields) { layout.insert(layout.end(), Fields.begin(), Fields.end()); };
    const std::vector<size_t> tenDigits(10, 4);
    switch (Kind) {
    case fltPar: case fltNPar: case fltFirst: case fltInt: case fltDiffs:
        add(block);
        add(block);
        break;
    case fltDigit:
        add({1});
        add(block);
        add(tenDigits);
        break;
    case fltSum: case fltSDigit1: case fltSDigit2: case fltSDigit12: case fltDist:
        add(block);
        break;
    case fltDiffPos: case fltNumPos:
        add(block);
        add({4});
        break;
    case fltSucc: case fltDiffsConf:
        add(block);
        add(block);
        add({1});
        break;
    case fltGDigit1: case fltGDigit2:
        add(block);
        add(block);
        add(tenDigits);
        add({1});
        break;
    default:
        break;
    }
    return layout;
}

// Bytes as hex, a space between the fields of the layout; bytes past it follow after " +".
std::string GroupedHex(const TDynByteArr &Bytes, const std::vector<size_t> &Layout)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    size_t pos = 0;
    auto hex = [&](size_t Count) {
        for (size_t i = 0; i < Count && pos < Bytes.size(); ++i, ++pos) {
            text += digits[Bytes[pos] >> 4];
            text += digits[Bytes[pos] & 15];
        }
    };
    for (const size_t size : Layout) {
        if (pos >= Bytes.size())
            break;
        if (!text.empty())
            text += ' ';
        hex(size);
    }
    if (pos < Bytes.size()) {
        text += " +";
        while (pos < Bytes.size()) {
            text += ' ';
            hex(1);
        }
    }
    return text;
}

// The fields of a condition record by name, in the record's order.
using TFieldRef = std::variant<TRangeBlock *, uint8_t *, int32_t *, std::string *, TDigitFlags *>;
using TFields = std::vector<std::pair<std::string, TFieldRef>>;

TFields Fields(TCountCond &C)
{
    return {{"count", &C.Count}, {"scope", &C.Scope}};
}
TFields Fields(TDigitCountCond &C)
{
    return {{"digitkind", &C.DigitKind}, {"count", &C.Count}, {"digits", &C.Digits}, {"flags", &C.Flags}};
}
TFields Fields(TRangeBlock &C)
{
    return {{"value", &C}};
}
TFields Fields(TPositionCond &C)
{
    return {{"position", &C.Position}, {"value", &C.Value}};
}
TFields Fields(TGroupCond &C)
{
    return {{"count", &C.Count}, {"size", &C.Size}, {"exclusive", &C.Exclusive}};
}
TFields Fields(TDigitGroupCond &C)
{
    return {{"count", &C.Count}, {"size", &C.Size}, {"digits", &C.Digits}, {"flags", &C.Flags},
            {"exclusive", &C.Exclusive}};
}

// Index -1: the edited parameters; otherwise that condition.
template <typename TCond>
bool FieldsOf(TFilter &Filter, int Index, TFields &Out)
{
    auto *filter = dynamic_cast<TCondFilter<TCond> *>(&Filter);
    if (!filter)
        return false;
    Out = Fields(Index < 0 ? filter->Params : filter->Conds.at(static_cast<size_t>(Index)));
    return true;
}

TFields FieldsOf(TFilter &Filter, int Index)
{
    TFields fields;
    if (!FieldsOf<TCountCond>(Filter, Index, fields) && !FieldsOf<TDigitCountCond>(Filter, Index, fields) &&
        !FieldsOf<TRangeBlock>(Filter, Index, fields) && !FieldsOf<TPositionCond>(Filter, Index, fields) &&
        !FieldsOf<TGroupCond>(Filter, Index, fields) && !FieldsOf<TDigitGroupCond>(Filter, Index, fields))
        throw std::runtime_error("unknown condition record");
    return fields;
}

std::string FieldText(const TFieldRef &Field)
{
    struct {
        std::string operator()(TRangeBlock *B) const
        {
            return std::to_string(B->Mode) + " " + std::to_string(B->Min) + " " + std::to_string(B->Max);
        }
        std::string operator()(uint8_t *V) const { return std::to_string(*V); }
        std::string operator()(int32_t *V) const { return std::to_string(*V); }
        std::string operator()(std::string *V) const { return *V; }
        std::string operator()(TDigitFlags *V) const
        {
            std::string text;
            for (const uint8_t flag : *V)
                text += std::to_string(flag);
            return text;
        }
    } visit;
    return std::visit(visit, Field);
}

std::string FieldsText(const TFields &Fields)
{
    std::string text;
    for (const auto &[name, field] : Fields)
        text += (text.empty() ? "" : ", ") + name + " " + FieldText(field);
    return text;
}

void SetField(TFilter &Filter, const std::vector<std::string> &W)
{
    if (W.size() < 3)
        throw std::runtime_error("set needs a field and a value");
    if (W[1] == "and") {
        Filter.AndMode = ToInt(W[2]) != 0;
        return;
    }
    for (auto &[name, field] : FieldsOf(Filter, -1)) {
        if (name != W[1])
            continue;
        if (auto *block = std::get_if<TRangeBlock *>(&field)) {
            if (W.size() != 5)
                throw std::runtime_error("a block needs mode, min and max");
            **block = TRangeBlock{static_cast<uint8_t>(ToInt(W[2])), ToInt(W[3]), ToInt(W[4])};
        } else if (auto *byte = std::get_if<uint8_t *>(&field)) {
            **byte = static_cast<uint8_t>(ToInt(W[2]));
        } else if (auto *number = std::get_if<int32_t *>(&field)) {
            **number = ToInt(W[2]);
        } else if (auto *text = std::get_if<std::string *>(&field)) {
            **text = W[2];
        } else {
            throw std::runtime_error("field cannot be set: " + W[1]);
        }
        return;
    }
    throw std::runtime_error("no field " + W[1]);
}

std::string Bounds(const TFilter &Filter)
{
    auto pair = [](const char *A, int32_t X, const char *B, int32_t Y) {
        return std::string(A) + " " + std::to_string(X) + ", " + B + " " + std::to_string(Y);
    };
    if (auto *f = dynamic_cast<const TFltValueRange *>(&Filter))
        return pair("lowest", f->Lowest, "highest", f->Highest);
    if (auto *f = dynamic_cast<const TFltDiffPos *>(&Filter))
        return pair("positions", f->MaxPosition(), "maxdiff", f->MaxDiff());
    if (auto *f = dynamic_cast<const TFltNumPos *>(&Filter))
        return pair("positions", f->MaxPosition(), "maxnumber", f->MaxNumber());
    if (auto *f = dynamic_cast<const TFltDiffsConf *>(&Filter))
        return pair("groups", f->MaxGroupCount(), "sizes", f->MaxGroupSize()) + ", usable " +
               std::to_string(f->IsUsable());
    if (auto *f = dynamic_cast<const TFltGroupCount *>(&Filter))
        return pair("groups", f->MaxGroupCount(), "sizes", f->MaxGroupSize());
    if (auto *f = dynamic_cast<const TFltGDigit *>(&Filter))
        return pair("groups", f->MaxGroupCount(), "sizes", f->MaxGroupSize());
    if (auto *f = dynamic_cast<const TFltDigit *>(&Filter))
        return "count " + std::to_string(f->MaxCount());
    if (auto *f = dynamic_cast<const TFltDiffs *>(&Filter))
        return pair("count", f->MaxCount(), "maxdiff", f->MaxDiff());
    throw std::runtime_error("no bounds for this kind");
}

// Runs a script and answers the lines it prints.
class Script {
public:
    std::vector<std::string> Run(const std::vector<std::string> &Lines)
    {
        for (const std::string &line : Lines)
            Step(line);
        return Output;
    }

private:
    TFilter &Current()
    {
        if (!Filter)
            throw std::runtime_error("no filter yet");
        return *Filter;
    }

    void Print(const std::string &Line, const std::string &Result) { Output.push_back(Line + " => " + Result); }

    void Step(const std::string &Line)
    {
        const std::vector<std::string> w = Words(Line);
        const std::string &command = w.at(0);
        if (command == "game") {
            Game.Info.MaxNumber = static_cast<uint8_t>(ToInt(w.at(1)));
            Game.Info.Drawn = static_cast<uint8_t>(ToInt(w.at(2)));
            Pool.clear();
            for (size_t i = 3; i < w.size(); ++i)
                Pool.push_back(static_cast<uint8_t>(ToInt(w[i])));
        } else if (command == "kind") {
            const uint32_t n = Pool.empty() ? Game.Info.MaxNumber : static_cast<uint32_t>(Pool.size());
            Filter = CreateFilter(static_cast<uint32_t>(ToInt(w.at(1))), &Game, n, Game.Info.Drawn, Pool);
            if (!Filter)
                throw std::runtime_error("no filter of kind " + w.at(1));
        } else if (command == "set") {
            SetField(Current(), w);
        } else if (command == "load") {
            const TDynByteArr bytes = HexBytes(w, 1);
            platform::ByteReader reader(bytes);
            Current().LoadFromStream(reader);
        } else if (command == "add") {
            Current().AddCondition();
        } else if (command == "name") {
            Print(Line, Current().GetName());
        } else if (command == "describe") {
            Print(Line, "\"" + Current().GetDescription() + "\"");
        } else if (command == "params") {
            Print(Line, "and " + std::to_string(Current().AndMode) + ", " + FieldsText(FieldsOf(Current(), -1)));
        } else if (command == "cond") {
            Print(Line, FieldsText(FieldsOf(Current(), ToInt(w.at(1)))));
        } else if (command == "save") {
            platform::ByteWriter writer;
            Current().SaveToStream(writer);
            Print(Line, GroupedHex(writer.bytes(), RecordLayout(Current().Kind)));
        } else if (command == "bounds") {
            Print(Line, Bounds(Current()));
        } else if (command == "maxcount") {
            auto &filter = dynamic_cast<TFltScopeCount &>(Current());
            Print(Line, std::to_string(filter.MaxCountInRange(ToInt(w.at(1)), ToInt(w.at(2)))));
        } else if (command == "test") {
            TDynByteArr comb;
            for (size_t i = 1; i < w.size(); ++i)
                comb.push_back(static_cast<uint8_t>(ToInt(w[i])));
            if (comb.size() != Current().K)
                throw std::runtime_error("the combination needs K numbers");
            Print(Line, Current().Test(comb.data()) ? "pass" : "fail");
        } else {
            throw std::runtime_error("unknown command " + command);
        }
    }

    TGameData Game;
    TDynByteArr Pool;
    std::unique_ptr<TFilter> Filter;
    std::vector<std::string> Output;
};

std::vector<std::string> CaseNames()
{
    std::vector<std::string> names;
    if (fs::is_directory(CasesDir))
        for (const auto &entry : fs::directory_iterator(CasesDir))
            if (entry.is_directory())
                names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class FilterCases : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override { RegisterFilterKinds(); }
};

TEST_P(FilterCases, PrintTheExpectedLines)
{
    const fs::path dir = CasesDir / GetParam();
    ASSERT_TRUE(fs::exists(dir / "input.txt")) << dir;
    ASSERT_TRUE(fs::exists(dir / "expected.txt")) << dir;
    std::vector<std::string> actual;
    try {
        actual = Script().Run(ReadLines(dir / "input.txt"));
    } catch (const std::exception &error) {
        FAIL() << GetParam() << ": " << error.what();
    }
    const std::vector<std::string> expected = ReadLines(dir / "expected.txt");
    for (size_t i = 0; i < std::max(actual.size(), expected.size()); ++i) {
        EXPECT_EQ(i < expected.size() ? expected[i] : "<nothing>", i < actual.size() ? actual[i] : "<nothing>")
            << GetParam() << ", line " << i + 1 << " of the output";
    }
}

INSTANTIATE_TEST_SUITE_P(Folders, FilterCases, ::testing::ValuesIn(CaseNames()),
                         [](const ::testing::TestParamInfo<std::string> &Info) {
                             std::string name = Info.param;
                             std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(uint8_t(c)); },
                                             '_');
                             return name;
                         });

// Every kind that can be made has at least one case folder creating it.
TEST(FilterCaseFolders, CoverEveryKind)
{
    RegisterFilterKinds();
    std::set<int32_t> covered;
    for (const std::string &name : CaseNames())
        for (const std::string &line : ReadLines(CasesDir / name / "input.txt")) {
            const std::vector<std::string> w = Words(line);
            if (w.size() == 2 && w[0] == "kind")
                covered.insert(ToInt(w[1]));
        }
    TGameData game;
    game.Info.MaxNumber = 49;
    game.Info.Drawn = 6;
    int made = 0;
    for (uint32_t kind = 1; kind <= FilterKindCount; ++kind) {
        if (!CreateFilter(kind, &game, 49, 6, {}))
            continue;
        ++made;
        EXPECT_TRUE(covered.count(static_cast<int32_t>(kind))) << "no case folder for kind " << kind;
    }
    EXPECT_GT(made, 0);
}

} // namespace
