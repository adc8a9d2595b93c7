// The main window as a model: what its controls hold, with no toolkit behind it.
//
// Every click operation of the program works on this model; the Win32 view only copies it into
// native controls (following the observer) and forwards clicks. Setters notify the observer
// after every change, even when the new value equals the old one (a view may repaint). An index
// outside a control's range reads as cleared and sets nothing: the model throws no exceptions.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "form/options.h"

namespace form {

inline constexpr int kOptCount = 5;
inline constexpr int kCombo3Count = 2; // Combo3's items: programs, background services
inline constexpr int kDriveCount = 26;
inline constexpr int kFullProgress = 10905; // Shape2 at full width, in twips

// Check-box values: cleared, ticked, grey. Only kTicked counts as ticked.
inline constexpr int kCleared = 0;
inline constexpr int kTicked = 1;
inline constexpr int kGrey = 2;

// What changed, for the observer. `index` names the check box, option button, list item or
// button where the field has several.
enum class Field {
    Chk,
    Opt,
    Combo2,
    Combo3,
    TxtPath,
    LstHide,    // index = item; -1 = the whole list
    LstNot,     // index = item; -1 = the whole list
    LstService, // index = item; -1 = the whole list
    LstStartup, // index = item; -1 = the whole list (items added or removed)
    LblInfo,
    LblWait,
    LblCaption,
    Header, // the header caption of XPCMain
    Page,   // which page panel is visible
    ButtonEnabled,
    Shape2, // visible or width
};

struct Change {
    Field field;
    int index = -1;
};

// A check-box list: items and their ticks.
struct CheckList {
    std::vector<std::string> items;
    std::vector<bool> ticked;
};

class MainForm {
public:
    // The design state: all boxes cleared, Opt(0) selected, no combo item selected (the window's
    // load selects item 0), lists filled with their fixed items, nothing ticked, system page; its
    // texts in the given language, which stays.
    explicit MainForm(lang::Language language = lang::Language::Chinese);

    lang::Language Language() const { return language_; }
    // A text of the string table in the form's language, and a check box's caption.
    const char* Text(lang::Str id) const { return lang::Text(id, language_); }
    const char* Caption(int chk) const { return lang::OptionCaption(chk, language_); }

    // --- Observer ---
    void SetObserver(std::function<void(const Change&)> observer) { observer_ = std::move(observer); }

    // --- Option controls ---
    int chk(int i) const { return InRange(i, kChkCount) ? chk_[static_cast<std::size_t>(i)] : kCleared; }
    bool Ticked(int i) const { return chk(i) == kTicked; } // grey counts as not ticked
    void SetChk(int i, int value);

    bool Opt(int i) const { return InRange(i, kOptCount) && opt_[static_cast<std::size_t>(i)]; }
    void SelectOpt(int i); // selects Opt(i), clearing the others
    void ClearOpt(int i);  // only a toolkit that can deselect uses this

    int Combo2() const { return combo2_; } // selected index, -1 = none
    int Combo3() const { return combo3_; }
    void SetCombo2(int index);
    void SetCombo3(int index);

    const std::string& txtPath() const { return txtPath_; }
    void SetTxtPath(std::string text);

    const CheckList& lstHide() const { return lstHide_; }
    const CheckList& lstNot() const { return lstNot_; }
    const CheckList& lstService() const { return lstService_; }
    const CheckList& lstStartup() const { return lstStartup_; }
    void SetHide(int i, bool ticked);
    void SetNot(int i, bool ticked);
    void SetService(int i, bool ticked);
    void SetStartupTick(int i, bool ticked);
    void ClearStartup();
    void AddStartup(std::string item);

    // --- Labels and captions ---
    const std::string& lblInfo() const { return lblInfo_; }
    const std::string& lblWait() const { return lblWait_; }
    const std::string& lblCaption() const { return lblCaption_; }
    const std::string& Header() const { return header_; }
    void SetLblInfo(std::string text);
    void SetLblWait(std::string text);
    void SetLblCaption(std::string text);
    void SetHeader(std::string text);

    // --- Pages, buttons, progress ---
    bool Visible(Page p) const { return visible_ == p; }
    Page VisiblePage() const { return visible_; }
    void ShowPage(Page p); // that page visible, the others hidden

    bool Enabled(Button b) const {
        return InRange(static_cast<int>(b), kButtonCount) && enabled_[static_cast<std::size_t>(b)];
    }
    void SetEnabled(Button b, bool enabled);
    // Input is held off while an automatic sequence runs: the view refuses clicks then.
    bool Busy() const { return busy_; }
    void SetBusy(bool busy) { busy_ = busy; }

    bool Shape2Visible() const { return shape2Visible_; }
    int Shape2Width() const { return shape2Width_; }
    void SetShape2Visible(bool visible);
    void SetProgress(int twips); // Shape2's width

    // --- Module state ---
    std::string UserName; // the log-in name read when the window loads

    // The fixed items of the drive lists.
    static std::string DriveItem(int i); // "A:" .. "Z:"

private:
    static constexpr std::array<bool, kButtonCount> AllEnabled() {
        std::array<bool, kButtonCount> all{};
        all.fill(true);
        return all;
    }
    static bool InRange(int i, int count) { return i >= 0 && i < count; }
    void Notify(Field f, int index = -1) const {
        if (observer_) observer_({f, index});
    }

    lang::Language language_;
    std::function<void(const Change&)> observer_;
    std::array<int, kChkCount> chk_{};
    std::array<bool, kOptCount> opt_{true, false, false, false, false};
    int combo2_ = -1;
    int combo3_ = -1;
    std::string txtPath_;
    CheckList lstHide_, lstNot_, lstService_, lstStartup_;
    Page visible_ = Page::System;
    std::string lblInfo_, lblWait_, lblCaption_ = Text(Record(visible_).caption),
                                    header_ = Text(Record(visible_).header);
    std::array<bool, kButtonCount> enabled_ = AllEnabled();
    bool busy_ = false;
    bool shape2Visible_ = false;
    int shape2Width_ = 15;
};

} // namespace form
