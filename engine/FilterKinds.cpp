#include "engine/FilterKinds.h"

#include "engine/UFltCount.h"
#include "engine/UFltGroup.h"
#include "engine/UFltRef.h"
#include "engine/UFltValue.h"

#include <memory>

namespace {

template <typename TKind>
std::unique_ptr<TFilter> MakeFilter(const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers)
{
    return std::make_unique<TKind>(Game, N, K, Numbers);
}

} // namespace

void RegisterFilterKinds()
{
    RegisterFilterKind(fltSucc, MakeFilter<TFltSucc>);
    RegisterFilterKind(fltPar, MakeFilter<TFltPar>);
    RegisterFilterKind(fltNPar, MakeFilter<TFltNPar>);
    RegisterFilterKind(fltFirst, MakeFilter<TFltFirst>);
    RegisterFilterKind(fltSum, MakeFilter<TFltSum>);
    RegisterFilterKind(fltSDigit1, MakeFilter<TFltSDigit1>);
    RegisterFilterKind(fltSDigit2, MakeFilter<TFltSDigit2>);
    RegisterFilterKind(fltSDigit12, MakeFilter<TFltSDigit12>);
    RegisterFilterKind(fltInt, MakeFilter<TFltInt>);
    RegisterFilterKind(fltDigit, MakeFilter<TFltDigit>);
    RegisterFilterKind(fltDist, MakeFilter<TFltDist>);
    RegisterFilterKind(fltDiffs, MakeFilter<TFltDiffs>);
    RegisterFilterKind(fltComb, MakeFilter<TFltComb>);
    RegisterFilterKind(fltDBCN, MakeFilter<TFltDBCN>);
    RegisterFilterKind(fltGDigit1, MakeFilter<TFltGDigit1>);
    RegisterFilterKind(fltGDigit2, MakeFilter<TFltGDigit2>);
    RegisterFilterKind(fltDiffPos, MakeFilter<TFltDiffPos>);
    RegisterFilterKind(fltNumPos, MakeFilter<TFltNumPos>);
    RegisterFilterKind(fltDiffsConf, MakeFilter<TFltDiffsConf>);
}
