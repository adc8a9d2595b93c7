// The Windows tests' own corner of the machine: a registry key and a folder that each test
// empties before and after itself, whatever an earlier, failed run left there.
#pragma once

#include <string>

namespace win32test {

// Deletes a file or a whole folder tree, whatever the attributes of what is in it.
void DeleteTree(const std::wstring& path);
// Deletes HKEY_CURRENT_USER\Software\SysvelaTest with everything under it.
void DeleteTestKey();
// Removes the test key and folder and a leftover c:\tempreg.reg, then makes the folder anew.
void ResetTestArea();
// Whether the program runs under Wine rather than Windows.
bool OnWine();

} // namespace win32test
