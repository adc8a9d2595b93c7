// Everything a MainForm holds, as one comparable value: "nothing changed" in one assertion.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/form.h"

namespace testing_support {

struct FormState {
    std::vector<int> values; // chk, Opt, combos, list ticks, page, buttons, Shape2, in a fixed order
    std::vector<std::string> texts;
    bool operator==(const FormState&) const = default;
};

inline FormState StateOf(const app::MainForm& f) {
    FormState s;
    for (int i = 0; i < app::kChkCount; ++i)
        s.values.push_back(f.chk(i));
    for (int i = 0; i < app::kOptCount; ++i)
        s.values.push_back(f.Opt(i));
    s.values.insert(s.values.end(), {f.Combo2(), f.Combo3(), static_cast<int>(f.VisiblePage())});
    for (const auto* l : {&f.lstHide(), &f.lstNot(), &f.lstService(), &f.lstStartup()}) {
        s.values.push_back(-1); // separates the lists
        s.values.insert(s.values.end(), l->ticked.begin(), l->ticked.end());
        s.texts.insert(s.texts.end(), l->items.begin(), l->items.end());
    }
    for (int b = 0; b < app::kButtonCount; ++b)
        s.values.push_back(f.Enabled(static_cast<app::Button>(b)));
    s.values.insert(s.values.end(), {f.Shape2Visible(), f.Shape2Width(), f.Busy()});
    s.texts.insert(s.texts.end(), {f.txtPath(), f.lblInfo(), f.lblWait(), f.lblCaption(), f.Header(), f.UserName});
    return s;
}

} // namespace testing_support
