#pragma once
// Wildcard matching of member names: '*' any run, '?' one character, "<...>" one character of a set with
// ranges "a-z" and a leading '^' or '!' for its complement; letters A..Z match either case.

#include <string_view>

bool kpMatch(std::string_view Pattern, std::string_view Name);
