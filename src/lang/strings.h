// The string table: every text the window shows and every human-readable line of the CLI, by
// identifier, in each language (strings.cpp). The Chinese texts are the program's own, letter
// for letter; the English ones use the plain words of Windows' own English interface.
//
// A new string is a value of Str and its row in strings.cpp; a new language is a value of
// Language and a column in every row there. A text may hold {1} to {9}, which Format fills in.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "lang/language.h"

namespace lang {

enum class Str {
    // The pages' titles: XPCMain's header and lblCaption.
    SystemHeader,
    SecurityHeader,
    ServiceHeader,
    WightHeader,
    StartupHeader,
    SystemCaption,
    SecurityCaption,
    ServiceCaption,
    WightCaption,
    StartupCaption,
    // The push buttons.
    AutoButton,
    SystemButton,
    SecurityButton,
    StartupButton,
    WightButton,
    ServiceButton,
    SuggestButton,
    RedoButton,
    OptimizeButton,
    ExitButton,
    BrowseButton,
    // Group titles and the lines over the lists.
    PrefetchLabel,
    IeLabel,
    DownloadFolderLabel,
    HideDrivesLabel,
    NoDrivesLabel,
    DisplayLabel,
    StartMenuLabel,
    OtherLabel,
    ServicesLabel,
    StartupLabel,
    // The cache-size buttons and the drop-down lists' items.
    Cache64K,
    Cache128K,
    Cache256K,
    Cache512K,
    Cache1MB,
    PrefetchPrograms,
    PrefetchBoot,
    SchedulePrograms,
    ScheduleServices,
    // lblWait during and after a pass.
    Busy,
    Done,
    // Message boxes and the folder browser.
    ConfirmTitle,
    ErrorTitle,
    LogOffQuestion,
    AutoQuestion,
    JournalFailed,
    SettingsNotSaved,
    BrowseTitle,
    Fatal,
    EndedUnexpectedly,
    UnknownError,
    NoMainWindow,
    // Before the first pass, when the program runs as another account than the session's.
    InfoTitle,
    OtherSessionUser, // {1}: the account it runs as; {2}: the session's
    // The result of a pass that did not wholly succeed: lblWait, then its message box.
    PassFailed,     // {1}: how many effects failed
    PassFailedList, // {1}: how many; the failed effects follow, one a line
    EffectFailed,   // {1}: the effect in plan's words, {2}: why it failed
    MoreLines,      // {1}: how many lines are left out
    ResultTitle,
    LogNotWritten,   // {1}: why
    LogAndJournalIn, // the undo folder follows on the next line
    // The two buttons beside the ten.
    PreviewButton,
    UndoButton,
    // The preview: its title, its first line, the mark before each effect (in undo::Foresight's
    // order: changes, at its target, cannot be known beforehand).
    PreviewTitle,
    PreviewHead, // {1} will change, {2} at their target, {3} cannot be known
    MarkChanges,
    MarkAtTarget,
    MarkUnknown,
    // The tips: an option's state now (in undo::OptionState's order), what a tick and a clear do,
    // where a startup entry starts from.
    StateOn,
    StateOff,
    StateMixed,
    StateUnknown,
    TipState,
    TipTicked,
    TipCleared,
    TipNothing,
    TipStartsFrom,
    TipNowhere,
    // The history behind 撤销(U) and what an undo did.
    HistoryTitle,
    HistoryAction,
    HistoryUndoOf,  // {1}: the journal undone
    HistoryChanges, // {1}: how many
    HistoryUndone,
    HistoryPartly,
    HistoryNoJournals,
    HistoryJournalsIn, // the undo folder follows
    HistoryPutsBack,   // {1}: the journal; the registry script follows
    HistoryFilesBack,
    HistoryFilesRemoved,
    HistoryNotUndoable,
    HistoryForeign, // {1} computer and {2} user of the journal, {3} and {4} of this machine
    HistoryNoUser,
    UndoRefused, // {1}: why
    UndoResultTitle,
    UndoDone,
    UndoPartly, // {1}: why
    UndoNotPutBack,
    UndoWarnings,
    UndoSkipped,
    UndoOwnJournal,     // {1}: its journal
    StateNotApplicable, // after the tips' four states, in undo::OptionState's order; {1}: why
    TipRisk,            // before the risk's word
    TipRiskReason,      // between the risk's word and its reason
    // Why an undo refuses a journal or a copy, or does not put all of it back; {1} is the file
    // where one is named.
    UndoNothingChanged, // {1}: why
    JournalTooLarge,    // {2}: the largest size read
    JournalUnreadable,
    JournalNotUtf16,
    JournalNotMarked,
    JournalCutShort,
    JournalBadLine, // {2}: the line's number, {3}: the line
    JournalAtLine,  // {2}: the line's number, {3}: what is wrong there
    JournalSays,    // {2}: what is wrong with the journal's files
    JournalHashDiffers,
    JournalOtherComputer, // {2}: the computer that wrote it
    JournalOtherUser,     // {2}: the user whose registry it read, {3}: the user who runs the undo
    JournalNoUser,
    NeverWrites,     // {1}: key\value
    NeverCreates,    // {1}: the key
    NeverDeletes,    // {1}: the key
    WouldTakeOthers, // {1}: the key, {2}: what others put below it
    CopyNotKept,     // {1}: the copy, {2}: the file it copies
    CopyNoHash,
    CopyMissing,
    CopyChanged,
    NotRemovedFile,
    ScriptNotCreated, // {2}: why
    OwnJournalFailed, // {1}: why
    NotAllPutBack,    // {1}: how many
    // Why a journal cannot be written, so that its pass or undo does not run.
    UncarriableValue,      // {1}: the value's name, line breaks written out; {2}: its key
    UncarriableKey,        // {1}: the key's name, line breaks written out; {2}: the key above it
    FileTooLargeToKeep,    // {1}: the file, {2}: the largest size kept
    JournalWouldNotImport, // {1}: the line's number, {2}: the line
    FolderNotCreated,      // {1}: the folder, {2}: why
    TooManyJournals,
    LogNotCreated,          // {1}: the log, {2}: why
    JournalTooLargeToWrite, // {1}: the largest size read
    HashNotRecorded,        // {1}: why
};

// The CLI's lines (cli_strings.cpp, apart so that the window's program carries none of them).
enum class CliStr {
    Help, // {1}: the page words
    // Usage errors: Usage frames one.
    Usage,
    BadArguments,
    UnknownPage,
    UnknownLanguage,
    ListComma,
    ListOr,
    OnlyWithPass,
    UserOnly,
    RemoveOnly,
    CodePageOnly,
    UndoTakesOne,
    UnknownType,
    // Messages on stderr, each a whole line.
    CannotCreateMachine,
    Seeded,
    CannotReadMachine,
    CannotSaveMachine,
    NoSystem,
    CannotReadSettings,
    NoSettings,
    SettingsStopped,
    NoStartupEntry,
    NoCodePage,
    JournalFailed,
    Journal,
    Log,
    LogFailed,
    CodePageCannotHold,
    PassedOver,
    NoJournalToUndo,
    UndoFailed,
    Stopped,
    OutOfMemory,
    UnknownError,
    OtherSessionUser,
    VersionUnknown,
};

// The text of id in language.
const char* Text(Str id, Language language);
const char* Text(CliStr id, Language language);

// The text with {1} to {9} replaced by args in order; a placeholder without its argument stays.
std::string Format(std::string_view text, std::initializer_list<std::string_view> args);
inline std::string Format(Str id, Language language, std::initializer_list<std::string_view> args) {
    return Format(Text(id, language), args);
}
inline std::string Format(CliStr id, Language language, std::initializer_list<std::string_view> args) {
    return Format(Text(id, language), args);
}

// The texts of one language, filled in: say(Str::X, {args}).
struct Say {
    Language language;
    std::string operator()(Str id, std::initializer_list<std::string_view> args = {}) const {
        return Format(id, language, args);
    }
    std::string operator()(CliStr id, std::initializer_list<std::string_view> args = {}) const {
        return Format(id, language, args);
    }
};

// The check boxes' captions, by number.
inline constexpr int kOptionCaptionCount = 77;
const char* OptionCaption(int chk, Language language);

// The services list's items, by service: display name, spaces, description.
inline constexpr int kServiceItemCount = 19;
const char* ServiceItem(int service, Language language);

} // namespace lang
