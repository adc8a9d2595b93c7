// A scripted Host for tests: answers message boxes and folder browsers from queues and records
// what the form asked of it.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/host.h"

namespace testing_support {

struct ShownMessage {
    std::string text;
    std::string title;
    app::MsgButtons buttons;
    app::MsgIcon icon;
};

class FakeHost : public app::Host {
public:
    std::deque<app::MsgAnswer> answers;                  // next message box answers; Cancel when empty
    std::deque<std::optional<std::string>> folders;      // next folder browser results; none when empty
    std::vector<ShownMessage> messages;
    std::vector<std::string> browseTitles;
    int doEvents = 0;
    int logOffs = 0;
    int closes = 0;
    std::function<void()> onDoEvents; // runs inside each DoEvents, e.g. to try a click mid-sequence

    app::MsgAnswer MessageBox(const std::string& text, const std::string& title, app::MsgButtons buttons,
                              app::MsgIcon icon) override {
        messages.push_back({text, title, buttons, icon});
        if (answers.empty()) return app::MsgAnswer::Cancel;
        const app::MsgAnswer a = answers.front();
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
};

} // namespace testing_support
