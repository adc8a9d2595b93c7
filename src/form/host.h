// The Host seam: what the form needs from a window toolkit.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace form {

enum class MsgButtons { Ok, OkCancel };
enum class MsgIcon { None, Exclamation, Information, Question, Error };
enum class MsgAnswer { Ok, Cancel };

// One row of a list the user chooses from: its line, the text shown while it is chosen, and
// whether the list's action may be taken on it.
struct ListRow {
    std::string line;
    std::string details;
    bool actionable = true;
};

class Host {
public:
    virtual ~Host() = default;
    // A modal message box; any way of closing it but OK answers Cancel.
    virtual MsgAnswer MsgBox(const std::string& text, const std::string& title, MsgButtons buttons, MsgIcon icon) = 0;
    // Lets the pending window events run once.
    virtual void DoEvents() = 0;
    // The folder browser with the given title: the chosen folder's path, or nothing.
    virtual std::optional<std::string> BrowseForFolder(const std::string& title) = 0;
    // Logs the current user off.
    virtual void LogOff() = 0;
    // Unloads the main window, which ends the program.
    virtual void CloseWindow() = 0;
    // A modal window showing text that can be read, selected and copied, not changed.
    virtual void ShowText(const std::string& title, const std::string& text) = 0;
    // A modal window listing the rows that rows() gives, the details of the chosen row beside them,
    // and one button, action, that runs act on the chosen row; the rows are read again after it.
    virtual void ShowList(const std::string& title, const std::string& action,
                          const std::function<std::vector<ListRow>()>& rows,
                          const std::function<void(std::size_t)>& act) = 0;
};

// A host with no window, for a pass run without one: every question is answered OK, there are
// no pending events, no folder is chosen, and logging off or closing does nothing.
class WindowlessHost : public Host {
public:
    MsgAnswer MsgBox(const std::string&, const std::string&, MsgButtons, MsgIcon) override { return MsgAnswer::Ok; }
    void DoEvents() override {}
    std::optional<std::string> BrowseForFolder(const std::string&) override { return std::nullopt; }
    void LogOff() override {}
    void CloseWindow() override {}
    void ShowText(const std::string&, const std::string&) override {}
    void ShowList(const std::string&, const std::string&, const std::function<std::vector<ListRow>()>&,
                  const std::function<void(std::size_t)>&) override {}
};

} // namespace form
