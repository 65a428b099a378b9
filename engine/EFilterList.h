#pragma once
// The filter value distributions one pass feeds, as the systems and the draw history take them.

#include <vector>

class TEFilter;

using TEFilters = std::vector<TEFilter *>;
