// What both programs do first, before they load anything.
#pragma once

namespace win32 {

// Loading a DLL must never look in the current folder, which may be a download folder holding a
// planted copy. SetDllDirectoryW came with XP SP1, so it is looked up rather than imported.
void RemoveCurrentFolderFromDllSearch();

} // namespace win32
