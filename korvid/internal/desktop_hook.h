// Lets tests record the URLs the program asks to open instead of opening them.
#pragma once

#include <functional>
#include <string_view>

namespace korvid::detail {
std::function<bool(std::string_view)>& url_opener_override();
}  // namespace korvid::detail
