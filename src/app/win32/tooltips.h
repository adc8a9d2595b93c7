// The tips on the option boxes and on the items of the check-box lists: one common-controls
// tooltip window, one tool per box and per list item, their texts given by the view.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace appwin {

class OptionTooltips {
public:
    OptionTooltips() = default;
    OptionTooltips(const OptionTooltips&) = delete;
    OptionTooltips& operator=(const OptionTooltips&) = delete;

    // The tooltip window, owned by owner (and destroyed with it).
    bool Create(HWND owner, HINSTANCE instance);
    HWND hwnd() const { return tooltip_; }

    // A control's own tip, shown wherever the control is; empty text shows none.
    void SetControlTip(HWND control, const std::string& text);
    // One tip per item of a list, replacing the list's earlier ones.
    void SetListTips(HWND list, const std::vector<std::string>& texts);
    // The list shows other items than before: each item's tip moves with it.
    void ListScrolled(HWND list);

private:
    HWND tooltip_ = nullptr;
    std::vector<HWND> controls_;    // controls that have a tool
    std::map<HWND, int> listItems_; // tools per list
};

} // namespace appwin
