// setup.dat: the option states of the main window, kept beside the program between runs.
//
// One line per field, each in double quotes followed by CR LF, in the ANSI code page. The fields
// and their order are one table in settings.cpp (kFields), which the reader and the writer walk.
#pragma once

#include <iterator>
#include <span>
#include <string>

#include "form/form.h"
#include "sysaccess/system.h"

namespace settings {

inline constexpr int kFieldCount = 8; // the table's length, checked there

// Line 1 holds one digit per check box. Every count of check boxes the program has had, oldest
// first, the last being today's: a file saved with one of them loads its boxes, leaves the newer
// ones as they are and goes on with line 2. A new check box adds its count here.
inline constexpr int kSavedChkCounts[] = {77};
static_assert(kSavedChkCounts[std::size(kSavedChkCounts) - 1] == form::kChkCount,
              "kSavedChkCounts: a new check box count goes at the end, so that older setup.dat files still load");

struct CheckBoxes {
    int count;                  // the boxes a file may set
    std::span<const int> saved; // the counts a complete line 1 may have
};
inline constexpr CheckBoxes kCheckBoxes{form::kChkCount, kSavedChkCounts};

// How a load ended. The window ignores it; the command-line tool reports it.
struct LoadReport {
    enum class Outcome {
        Complete, // every field applied
        Missing,  // no file: nothing applied
        Stopped,  // an error ended the load; the fields before `line` (and any part of it) stay applied
    };
    Outcome outcome = Outcome::Complete;
    int line = 0;       // the field (1..8) where the load stopped; 0 otherwise
    std::string reason; // why it stopped; empty otherwise
};

// The file's path: the program folder followed by "\setup.dat".
std::string SettingsPath(sysaccess::System& sys);

// Reads setup.dat into the form, if the file exists. Stops quietly at the first error.
LoadReport LoadSettings(form::MainForm& form, sysaccess::System& sys);

// The same reader on text already decoded to UTF-8 (any bytes are accepted); boxes other than
// today's for a test of a grown catalogue.
LoadReport LoadSettingsFromBytes(form::MainForm& form, const std::string& utf8Text,
                                 const CheckBoxes& boxes = kCheckBoxes);

// The file's text, in UTF-8.
std::string SettingsText(const form::MainForm& form);

// Writes setup.dat. The new content goes to a temporary file that then replaces the old one,
// so a failure half-way leaves the previous file as it was.
sysaccess::Result SaveSettings(const form::MainForm& form, sysaccess::System& sys);

} // namespace settings
