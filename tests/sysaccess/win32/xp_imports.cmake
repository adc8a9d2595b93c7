# cmake -DNM=... -DLIBS="a.a;b.a" -DBITS=32|64 -P xp_imports.cmake
#
# Fails when the libraries call a Windows function outside the list below: every function on it
# exists on Windows XP SP3. Wine provides newer ones too, so only this check notices one. Add a
# function here only after checking that XP has it; the CRT's *_s functions never qualify.
set(XP_FUNCTIONS
    CharUpperBuffW CloseHandle ConvertSidToStringSidW CreateDirectoryW CreateFileW CreateProcessW DeleteFileW
    FindClose FindFirstFileW FindNextFileW FlushFileBuffers GetACP GetComputerNameW GetCurrentProcess
    GetExitCodeProcess GetFileAttributesW GetFileSizeEx GetLastError GetModuleFileNameW GetModuleHandleW
    GetProcAddress GetSystemDirectoryW GetTempFileNameW GetTokenInformation GetUserNameW GetWindowsDirectoryW LocalFree
    MoveFileExW MultiByteToWideChar OpenProcessToken ReadFile RegCloseKey RegEnumKeyExW RegEnumValueW RegOpenKeyExW
    RegQueryValueExW RemoveDirectoryW SHGetFolderPathW SetFileAttributesW WaitForSingleObject WideCharToMultiByte
    WriteFile _errno)

execute_process(COMMAND "${NM}" -u ${LIBS} OUTPUT_VARIABLE symbols RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${NM} failed on ${LIBS}")
endif()
# C names get a leading underscore on i686 only: __imp__CloseHandle@4 there, __imp_CloseHandle on
# x86_64; the CRT's _errno is __imp___errno and __imp__errno.
if(BITS STREQUAL "32")
    set(underscore "_")
elseif(BITS STREQUAL "64")
    set(underscore "")
else()
    message(FATAL_ERROR "BITS must be 32 or 64, not '${BITS}'")
endif()
string(REGEX MATCHALL "__imp_${underscore}[A-Za-z0-9_@]+" imports "${symbols}")
if(NOT imports)
    message(FATAL_ERROR "no imports found in ${LIBS}: the symbol spelling is not the one expected")
endif()
set(unknown "")
foreach(import IN LISTS imports)
    string(REGEX REPLACE "^__imp_${underscore}" "" name "${import}")
    string(REGEX REPLACE "@[0-9]+$" "" name "${name}")
    list(FIND XP_FUNCTIONS "${name}" at)
    if(at EQUAL -1)
        list(APPEND unknown "${name}")
    endif()
endforeach()
string(REGEX MATCHALL "[ \t]${underscore}[a-z0-9]+_s\n" secure "${symbols}")
list(REMOVE_DUPLICATES unknown)
if(unknown OR secure)
    message(FATAL_ERROR "not known to exist on Windows XP SP3: ${unknown} ${secure}")
endif()
list(LENGTH imports count)
message(STATUS "${count} imports, all on Windows XP SP3")
