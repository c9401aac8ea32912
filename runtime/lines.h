// Text lists: items separated by line breaks, as the resources and list
// controls hold them.
#pragma once

#include <string>
#include <vector>

// Splits at CR LF, a lone CR or a lone LF. A final line break does not
// start another item, so "a\r\nb\r\n" is two items and "" is none.
std::vector<std::string> SplitLines(const std::string& text);

// Joins items with CR LF.
std::string JoinLines(const std::vector<std::string>& lines);
