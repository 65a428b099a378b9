#include "engine/USysUser.h"

#include "core/UGlobalFiles.h"
#include "engine/UGameMan.h"

#include <exception>

TSysUser::TSysUser(const TGameData *Game) : TSystem(Game)
{
    Kind = skUser;
    SetParams(0, 0);
}

void TSysUser::SetParams(int NewK, int64_t NewCount)
{
    TSystem::SetParams(Game->Info.MaxNumber, NewK);
    Count = NewCount;
}

bool TSysUser::LoadFromTextFile(const std::string &FileName)
{
    try {
        TDynByteArr bytes;
        if (!readFileBytes(FileName, bytes))
            return false;
        TStrArray lines;
        std::string line;
        for (size_t i = 0; i < bytes.size(); ++i) {
            const char c = char(bytes[i]);
            if (c == '\r' || c == '\n') {
                // CR LF ends one line.
                if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                    ++i;
                lines.push_back(std::move(line));
                line.clear();
            } else {
                line.push_back(c);
            }
        }
        if (!line.empty())
            lines.push_back(std::move(line));
        Lines = std::move(lines);
        return parseLines();
    } catch (const std::exception &) {
        Clear();
        return false;
    }
}

bool TSysUser::LoadFromStrings(const TStrArray &Strings)
{
    try {
        Lines = Strings;
        return parseLines();
    } catch (const std::exception &) {
        Clear();
        return false;
    }
}

bool TSysUser::parseLines()
{
    FreeFilter();
    SetParams(0, 0);
    Parser.Init(Game->Info.MaxNumber, Game->Info.MaxSize);
    bool sized = false;
    for (const std::string &line : Lines) {
        if (!Parser.Parse(line, true, true) || Parser.Count < 1)
            continue;
        if (!sized) {
            SetParams(Parser.Count, 0);
            sized = true;
        } else if (Parser.Count != K) {
            continue;
        }
        AppendComb(Parser.Comb.data());
    }
    Count = GetCount();
    SortCombs(true);
    RefreshView(true);
    return Count > 0;
}

void TSysUser::AppendComb(const uint8_t *C)
{
    Combs.Add(TCombRow{0, C, C}, true);
}

void TSysUser::SaveParams(platform::ByteWriter &Stream) const
{
    TSystem::SaveParams(Stream);
    Stream.put<uint8_t>(uint8_t(K));
    Stream.put<uint32_t>(uint32_t(GetCount()));
}

bool TSysUser::LoadParams(platform::ByteReader &Stream)
{
    uint8_t k = 0;
    uint32_t count = 0;
    if (!TSystem::LoadParams(Stream) || !Stream.get(k) || !Stream.get(count))
        return false;
    SetParams(k, count);
    return true;
}

std::string TSysUser::GetName(bool Short) const
{
    return Short ? "Skrócony" : "System skrócony";
}

std::string TSysUser::GetDescription(bool Short) const
{
    return GetName(Short) + " " + std::to_string(K) + "/" + std::to_string(N) + "/" +
           std::to_string(GetCount());
}

void TSysUser::Clear()
{
    resetKey();
    TSystem::Clear();
}
