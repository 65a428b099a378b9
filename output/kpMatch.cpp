#include "output/kpMatch.h"

namespace {

char Folded(char C)
{
    return (C >= 'A' && C <= 'Z') ? static_cast<char>(C - 'A' + 'a') : C;
}

// Whether C belongs to the set that starts after '<' at Pattern[P]; P ends after its '>'. False when the
// set has no end.
bool InSet(std::string_view Pattern, size_t &P, char C, bool &Member)
{
    bool negate = false;
    if (P < Pattern.size() && (Pattern[P] == '^' || Pattern[P] == '!')) {
        negate = true;
        ++P;
    }
    bool found = false;
    while (P < Pattern.size() && Pattern[P] != '>') {
        const char low = Folded(Pattern[P]);
        char high = low;
        if (P + 2 < Pattern.size() && Pattern[P + 1] == '-' && Pattern[P + 2] != '>') {
            high = Folded(Pattern[P + 2]);
            P += 3;
        } else {
            ++P;
        }
        const char c = Folded(C);
        if (c >= low && c <= high)
            found = true;
    }
    if (P >= Pattern.size())
        return false;
    ++P;
    Member = found != negate;
    return true;
}

bool MatchFrom(std::string_view Pattern, size_t P, std::string_view Name, size_t N)
{
    while (P < Pattern.size()) {
        const char p = Pattern[P];
        if (p == '*') {
            while (P < Pattern.size() && Pattern[P] == '*')
                ++P;
            if (P == Pattern.size())
                return true;
            for (size_t n = N; n <= Name.size(); ++n)
                if (MatchFrom(Pattern, P, Name, n))
                    return true;
            return false;
        }
        if (N >= Name.size())
            return false;
        if (p == '?') {
            ++P;
        } else if (p == '<') {
            ++P;
            bool member = false;
            if (!InSet(Pattern, P, Name[N], member) || !member)
                return false;
        } else {
            if (Folded(p) != Folded(Name[N]))
                return false;
            ++P;
        }
        ++N;
    }
    return N == Name.size();
}

} // namespace

bool kpMatch(std::string_view Pattern, std::string_view Name)
{
    return MatchFrom(Pattern, 0, Name, 0);
}
