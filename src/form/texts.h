// The texts the window shows about what a press did and what it will do: the result of a pass
// that did not wholly succeed, the preview, the history of passes with its undo, and each
// option's state. One place, so that each reads the same wherever it is shown.
#pragma once

#include <cstddef>
#include <string>

namespace form::text {

// lblWait after a pass in which some effects failed (n over the whole pass; for automatic
// optimisation over its four stages). Ends well before 撤销(U) at every count a pass can reach.
inline std::string PassFailed(std::size_t n) {
    return "优化结束，" + std::to_string(n) + " 项未成功";
}

// The message box after such a pass: title, the lines before the failed effects, the line after
// the twentieth (MoreLines, also where a tip leaves lines out), the closing lines.
inline constexpr const char* kResultTitle = "优化结果";
inline constexpr std::size_t kListedFailures = 20;
inline std::string MoreLines(std::size_t m) {
    return "……另有 " + std::to_string(m) + " 项";
}
inline constexpr const char* kLogAndJournalIn = "本次的日志和撤销记录保存在 undo 文件夹中：";
inline constexpr const char* kLogNotWritten = "日志未能写入：";

// The pass refused because its journal or its log could not be written.
inline constexpr const char* kJournalRefused = "无法写入撤销记录，本次未做任何更改：\n";
inline constexpr const char* kErrorTitle = "错误";

// The two buttons beside the ten, with their access keys.
inline constexpr const char* kPreviewCaption = "预览(&P)";
inline constexpr const char* kUndoCaption = "撤销(&U)";

// The preview of the page on screen: its title, its first line, and the mark before each effect
// (one that changes the machine, one already at its target, one whose result cannot be known
// beforehand).
inline constexpr const char* kPreviewTitle = "预览：按下“优化”将对本机做的更改";
inline std::string PreviewHead(std::size_t changes, std::size_t atTarget, std::size_t unknown) {
    return "将更改 " + std::to_string(changes) + " 项；另有 " + std::to_string(atTarget) + " 项已是目标状态，" +
           std::to_string(unknown) + " 项的结果无法预知。";
}
inline constexpr const char* kForesightMarks[3] = {"[将更改]", "[无需改]", "[无法预知]"}; // undo::Foresight's order

// The tip on each option: its state now (in undo::OptionState's order: on, off, mixed, unknown),
// then what a tick and a clear do; on a startup entry, where it starts from.
inline constexpr const char* kStateWords[4] = {"已生效", "未生效", "部分生效", "无法读取"};
inline constexpr const char* kTipState = "当前状态：";
inline constexpr const char* kTipTicked = "勾选时：";
inline constexpr const char* kTipCleared = "不勾选时：";
inline constexpr const char* kTipNothing = "不做任何更改";
inline constexpr const char* kTipStartsFrom = "启动位置：";
inline constexpr const char* kTipNowhere = "已不在任何启动位置中";

// The history behind 撤销(U): its window, its rows, what an undo would put back, the warning before
// an undo of another computer's or user's journal, and what an undo did.
struct HistoryText {
    static constexpr const char* kTitle = "优化记录与撤销";
    static constexpr const char* kAction = "撤销所选(&U)";
    // A row's page: the page button's words for a journal's "what", or the journal an undo undid.
    static std::string What(const std::string& what, const std::string& undoes) {
        constexpr const char* kNames[][2] = {{"system", "系统优化"},   {"security", "系统安全"}, {"services", "服务优化"},
                                             {"slimming", "系统减肥"}, {"startup", "启动优化"},  {"auto", "自动优化（四页）"}};
        if (what == "undo") return "撤销 " + undoes;
        for (const auto& [word, name] : kNames) {
            if (what == word) return name;
        }
        return what;
    }
    static std::string Changes(std::size_t n) { return std::to_string(n) + " 项更改"; }
    static constexpr const char* kUndone = "  已撤销";
    static constexpr const char* kPartlyNotUndoable = "  部分无法撤销";
    static constexpr const char* kUnreadable = "无法读取";
    static constexpr const char* kNoJournals = "还没有撤销记录";
    static constexpr const char* kJournalsIn = "撤销记录保存在：";
    static constexpr const char* kPutsBack = "撤销将按下面的注册表内容恢复，记录文件：";
    static constexpr const char* kFilesBack = "放回的文件：";
    static constexpr const char* kFilesRemoved = "再次删除的文件：";
    static constexpr const char* kNotUndoable = "无法撤销的部分：";
    static constexpr const char* kConfirmTitle = "确认";
    static std::string Foreign(const std::string& computer, const std::string& user, const std::string& thisComputer,
                               const std::string& thisUser) {
        return "这份记录写于计算机 " + computer + "（用户 " + (user.empty() ? std::string("未注明") : user) +
               "），而这里是计算机 " + thisComputer + "（用户 " + thisUser + "）。\n撤销它会把记录里的设置写到这里。仍要撤销吗？";
    }
    static constexpr const char* kRefused = "未撤销，本机未做任何更改：\n";
    static constexpr const char* kResultTitle = "撤销结果";
    static constexpr const char* kDone = "撤销完成。";
    static constexpr const char* kPartly = "撤销未全部完成：";
    static constexpr const char* kNotPutBack = "未能恢复：";
    static constexpr const char* kWarnings = "注意：";
    static constexpr const char* kSkipped = "跳过：";
    static constexpr const char* kOwnJournal = "本次撤销也写了撤销记录：";
};

} // namespace form::text
