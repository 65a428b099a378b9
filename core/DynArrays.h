#pragma once
// The dynamic arrays in which combinations, sets of numbers and tables travel.

#include <cstdint>
#include <string>
#include <vector>

using TDynByteArr = std::vector<uint8_t>;  // a combination is its first K elements
using TDynBoolArr = std::vector<bool>;     // a set of numbers, indexed by number - 1
using TDynIntArr = std::vector<int32_t>;
using TDynInt64Arr = std::vector<int64_t>;
using TStrArray = std::vector<std::string>;
