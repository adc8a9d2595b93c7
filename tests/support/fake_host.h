// A scripted Host for tests: answers message boxes and folder browsers from queues and records
// what the form asked of it.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "form/host.h"

namespace testing_support {

struct ShownMessage {
    std::string text;
    std::string title;
    form::MsgButtons buttons;
    form::MsgIcon icon;
};

class FakeHost : public form::Host {
public:
    std::deque<form::MsgAnswer> answers;            // next message box answers; Cancel when empty
    std::deque<std::optional<std::string>> folders; // next folder browser results; none when empty
    std::vector<ShownMessage> messages;
    std::vector<std::string> browseTitles;
    int doEvents = 0;
    int logOffs = 0;
    int closes = 0;
    std::function<void()> onDoEvents; // runs inside each DoEvents, e.g. to try a click mid-sequence

    form::MsgAnswer MsgBox(const std::string& text, const std::string& title, form::MsgButtons buttons,
                           form::MsgIcon icon) override {
        messages.push_back({text, title, buttons, icon});
        if (answers.empty()) return form::MsgAnswer::Cancel;
        const form::MsgAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    void DoEvents() override {
        ++doEvents;
        if (onDoEvents) onDoEvents();
    }
    std::optional<std::string> BrowseForFolder(const std::string& title) override {
        browseTitles.push_back(title);
        if (folders.empty()) return std::nullopt;
        auto f = folders.front();
        folders.pop_front();
        return f;
    }
    void LogOff() override { ++logOffs; }
    void CloseWindow() override { ++closes; }
    void ShowText(const std::string& title, const std::string& text) override { texts.push_back({title, text}); }
    std::vector<std::pair<std::string, std::string>> texts; // title, text
    // A list shown: its rows as first read, then the rows it chooses to act on, in turn, each time
    // with the rows read again afterwards.
    std::deque<std::size_t> choices;
    std::vector<std::vector<form::ListRow>> lists; // every reading of the rows
    void ShowList(const std::string&, const std::string&, const std::function<std::vector<form::ListRow>()>& rows,
                  const std::function<void(std::size_t)>& act) override {
        lists.push_back(rows());
        for (; !choices.empty(); choices.pop_front()) {
            act(choices.front());
            lists.push_back(rows());
        }
    }
};

} // namespace testing_support
