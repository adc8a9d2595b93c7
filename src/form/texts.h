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

} // namespace form::text
