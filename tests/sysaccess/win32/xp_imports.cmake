# cmake -DNM=... -DLIBS="a.a;b.a" -P xp_imports.cmake
#
# Fails when the libraries call a Windows function outside the list below: every function on it
# exists on Windows XP SP3. Wine provides newer ones too, so only this check notices one. Add a
# function here only after checking that XP has it; the CRT's *_s functions never qualify.
set(XP_FUNCTIONS
    CharUpperBuffW CloseHandle CreateFileW CreateProcessW DeleteFileW FindClose FindFirstFileW FindNextFileW
    FlushFileBuffers GetACP GetCurrentProcess GetExitCodeProcess GetFileAttributesW GetFileSizeEx GetLastError
    GetModuleFileNameW GetModuleHandleW GetProcAddress GetSystemDirectoryW GetTempFileNameW GetUserNameW
    GetWindowsDirectoryW MoveFileExW MultiByteToWideChar ReadFile RegCloseKey RegEnumValueW RegOpenKeyExW
    RegQueryValueExW RemoveDirectoryW SHGetFolderPathW SetFileAttributesW WaitForSingleObject WideCharToMultiByte
    WriteFile _errno)

execute_process(COMMAND "${NM}" -u ${LIBS} OUTPUT_VARIABLE symbols RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${NM} failed on ${LIBS}")
endif()
string(REGEX MATCHALL "__imp__[A-Za-z0-9_]+" imports "${symbols}")
set(unknown "")
foreach(import IN LISTS imports)
    string(REGEX REPLACE "^__imp__" "" name "${import}")
    string(REGEX REPLACE "@[0-9]+$" "" name "${name}")
    list(FIND XP_FUNCTIONS "${name}" at)
    if(at EQUAL -1)
        list(APPEND unknown "${name}")
    endif()
endforeach()
string(REGEX MATCHALL "[ \t]_[a-z0-9]+_s\n" secure "${symbols}")
list(REMOVE_DUPLICATES unknown)
if(unknown OR secure)
    message(FATAL_ERROR "not known to exist on Windows XP SP3: ${unknown} ${secure}")
endif()
list(LENGTH imports count)
message(STATUS "${count} imports, all on Windows XP SP3")
