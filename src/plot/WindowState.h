// State of menu items and widgets that a core window class owns and its Qt
// view mirrors: check marks, enabled and visible flags, texts.
#pragma once

#include <string>

namespace zeb {

struct MenuItemState {
    bool checked = false;
    bool enabled = true;
    bool visible = true;
};

struct WidgetState {
    std::string text;
    bool visible = true;
    bool enabled = true;
};

} // namespace zeb
