#pragma once
// The order of byte strings (combinations, patterns), and of sets and lists of them, that ordered
// containers and sorts of test code use: lexicographic as std::less, compared element by element. The
// library's own ordering of byte vectors goes through memcmp, over which GCC 12 reports a false over-read
// when optimising.

#include <algorithm>
#include <cstdint>

namespace testsupport {

struct ByteOrder {
    bool operator()(uint8_t A, uint8_t B) const { return A < B; }

    template <typename Range>
    bool operator()(const Range &A, const Range &B) const
    {
        return std::lexicographical_compare(A.begin(), A.end(), B.begin(), B.end(), *this);
    }
};

} // namespace testsupport
