// Everything a MainForm holds as one comparable value, so "nothing changed" is one assertion.
#pragma once

#include <string>
#include <vector>

#include "form/form.h"

namespace testing_support {

inline std::vector<std::string> StateOf(const form::MainForm& f) {
    std::vector<std::string> s = {f.txtPath(), f.lblInfo(), f.lblWait(), f.lblCaption(), f.Header(), f.UserName};
    auto add = [&s](int v) { s.push_back(std::to_string(v)); };
    for (int i = 0; i < form::kChkCount; ++i)
        add(f.chk(i));
    for (int i = 0; i < form::kOptCount; ++i)
        add(f.Opt(i));
    for (int i = 0; i < form::kButtonCount; ++i)
        add(f.Enabled(form::Button(i)));
    for (int v : {f.Combo2(), f.Combo3(), int(f.VisiblePage()), int(f.Shape2Visible()), f.Shape2Width(), int(f.Busy())})
        add(v);
    for (const auto* l : {&f.lstHide(), &f.lstNot(), &f.lstService(), &f.lstStartup()}) {
        s.insert(s.end(), l->items.begin(), l->items.end());
        for (bool t : l->ticked)
            add(t);
    }
    return s;
}

} // namespace testing_support
