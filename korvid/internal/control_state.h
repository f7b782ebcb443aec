// Per-window control tables.
#pragma once

namespace korvid::detail {

struct ControlState {};

}  // namespace korvid::detail
