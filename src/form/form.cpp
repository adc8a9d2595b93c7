#include "form/form.h"

namespace form {

namespace {

CheckList MakeList(std::vector<std::string> items) {
    CheckList list;
    list.ticked.assign(items.size(), false);
    list.items = std::move(items);
    return list;
}

// False, and nothing changed, for an index beside the items.
bool SetTick(CheckList& list, int i, bool ticked) {
    if (i < 0 || static_cast<std::size_t>(i) >= list.ticked.size()) return false;
    list.ticked[static_cast<std::size_t>(i)] = ticked;
    return true;
}

} // namespace

std::vector<Chk> ColumnOptions(Page page, int column) {
    std::vector<Chk> boxes;
    for (const Option& o : kOptions) {
        if (o.page != page || o.column != column) continue;
        if (static_cast<std::size_t>(o.row) >= boxes.size()) boxes.resize(static_cast<std::size_t>(o.row) + 1);
        boxes[static_cast<std::size_t>(o.row)] = o.chk;
    }
    return boxes;
}

std::string MainForm::DriveItem(int i) {
    return std::string(1, static_cast<char>('A' + i)) + ":";
}

MainForm::MainForm(lang::Language language) : language_(language) {
    std::vector<std::string> drives;
    for (int i = 0; i < kDriveCount; ++i)
        drives.push_back(DriveItem(i));
    lstHide_ = MakeList(drives);
    lstNot_ = MakeList(drives);
    std::vector<std::string> services;
    for (int i = 0; i < kServiceCount; ++i)
        services.push_back(lang::ServiceItem(i, language_));
    lstService_ = MakeList(std::move(services));
    lblInfo_ = lstService_.items[0];
}

void MainForm::SetChk(int i, int value) {
    if (!InRange(i, kChkCount)) return;
    chk_[static_cast<std::size_t>(i)] = value;
    Notify(Field::Chk, i);
}

void MainForm::SelectOpt(int i) {
    if (!InRange(i, kOptCount)) return;
    for (int k = 0; k < kOptCount; ++k)
        opt_[k] = (k == i);
    Notify(Field::Opt, i);
}

void MainForm::ClearOpt(int i) {
    if (!InRange(i, kOptCount)) return;
    opt_[static_cast<std::size_t>(i)] = false;
    Notify(Field::Opt, i);
}

void MainForm::SetCombo2(int index) {
    combo2_ = index;
    Notify(Field::Combo2);
}

void MainForm::SetCombo3(int index) {
    combo3_ = index;
    Notify(Field::Combo3);
}

void MainForm::SetTxtPath(std::string text) {
    txtPath_ = std::move(text);
    Notify(Field::TxtPath);
}

void MainForm::SetHide(int i, bool ticked) {
    if (SetTick(lstHide_, i, ticked)) Notify(Field::LstHide, i);
}

void MainForm::SetNot(int i, bool ticked) {
    if (SetTick(lstNot_, i, ticked)) Notify(Field::LstNot, i);
}

void MainForm::SetService(int i, bool ticked) {
    if (SetTick(lstService_, i, ticked)) Notify(Field::LstService, i);
}

void MainForm::SetStartupTick(int i, bool ticked) {
    if (SetTick(lstStartup_, i, ticked)) Notify(Field::LstStartup, i);
}

void MainForm::ClearStartup() {
    lstStartup_.items.clear();
    lstStartup_.ticked.clear();
    Notify(Field::LstStartup);
}

void MainForm::AddStartup(std::string item) {
    lstStartup_.items.push_back(std::move(item));
    lstStartup_.ticked.push_back(false);
    Notify(Field::LstStartup);
}

void MainForm::SetLblInfo(std::string text) {
    lblInfo_ = std::move(text);
    Notify(Field::LblInfo);
}

void MainForm::SetLblWait(std::string text) {
    lblWait_ = std::move(text);
    Notify(Field::LblWait);
}

void MainForm::SetLblCaption(std::string text) {
    lblCaption_ = std::move(text);
    Notify(Field::LblCaption);
}

void MainForm::SetHeader(std::string text) {
    header_ = std::move(text);
    Notify(Field::Header);
}

void MainForm::ShowPage(Page p) {
    visible_ = p;
    Notify(Field::Page);
}

void MainForm::SetEnabled(Button b, bool enabled) {
    if (!InRange(static_cast<int>(b), kButtonCount)) return;
    enabled_[static_cast<std::size_t>(b)] = enabled;
    Notify(Field::ButtonEnabled, static_cast<int>(b));
}

void MainForm::SetShape2Visible(bool visible) {
    shape2Visible_ = visible;
    Notify(Field::Shape2);
}

void MainForm::SetProgress(int twips) {
    shape2Width_ = twips;
    Notify(Field::Shape2);
}

} // namespace form
