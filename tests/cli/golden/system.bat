@echo off
rem Sysvela, system page: made by sysvela-cli export
setlocal EnableExtensions DisableDelayedExpansion
if not defined PROCESSOR_ARCHITEW6432 goto sysvela_start
if not exist "%SystemRoot%\Sysnative\cmd.exe" goto sysvela_start
"%SystemRoot%\Sysnative\cmd.exe" /d /c ""%~f0" %*"
exit /b %ERRORLEVEL%
:sysvela_start
pushd "%SystemRoot%\system32"
set "SYSVELA_WIN51="
ver | find " 5.1." >nul
if not errorlevel 1 set "SYSVELA_WIN51=1"
set "SYSVELA_WIN52="
ver | find " 5.2." >nul
if not errorlevel 1 set "SYSVELA_WIN52=1"
rem page system
reg add "HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\VxD\BIOS" /v "CPUPriority" /t REG_DWORD /d 0x00000003 /f
reg add "HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\CrashControl" /v "AutoReboot" /t REG_DWORD /d 0x00000000 /f
set "SYSVELA_RUN="
if defined SYSVELA_WIN51 set "SYSVELA_RUN=1"
if defined SYSVELA_WIN52 set "SYSVELA_RUN=1"
if not defined SYSVELA_RUN echo skipped 整理开始菜单: not on this version of Windows
if defined SYSVELA_RUN reg add "HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\policies\Explorer" /v "NoFind" /t REG_DWORD /d 0x00000000 /f
if defined SYSVELA_RUN reg add "HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\policies\Explorer" /v "NoSetFolders" /t REG_DWORD /d 0x00000000 /f
if defined SYSVELA_RUN reg add "HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\policies\Explorer" /v "NoSetTaskbar" /t REG_DWORD /d 0x00000000 /f
if defined SYSVELA_RUN reg add "HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\policies\Explorer" /v "NoSMHelp" /t REG_DWORD /d 0x00000000 /f
if defined SYSVELA_RUN reg add "HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\policies\Explorer" /v "NoRecentDocsMenu" /t REG_DWORD /d 0x00000000 /f
if defined SYSVELA_RUN reg add "HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\policies\Explorer" /v "NoLogoff" /t REG_DWORD /d 0x00000000 /f
reg add "HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT\CurrentVersion\SystemRestore" /v "DisableSR" /t REG_DWORD /d 0x00000000 /f
reg add "HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT\CurrentVersion\AeDebug" /v "Auto" /t REG_SZ /d "1" /f
reg add "HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Policies\WindowsUpdate" /v "DisableWindowsUpdateAccess" /t REG_DWORD /d 0x00000000 /f
sc \\. config RDSessMgr start= demand
sc \\. config ERSvc start= demand
reg add "HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\Desktop\CleanupWiz" /v "NoRun" /t REG_DWORD /d 0x00000000 /f
sc \\. config wuauserv start= demand
reg add "HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Policies\Explorer" /v "NoSimpleStartMenu" /t REG_DWORD /d 0x00000000 /f
reg add "HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Policies\Explorer" /v "NoWinKeys" /t REG_DWORD /d 0x00000000 /f
reg add "HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Security Center" /v "FirewallDisableNotify" /t REG_DWORD /d 0x00000000 /f
reg add "HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\policies\system" /v "LogonType" /t REG_DWORD /d 0x00000001 /f
reg add "HKEY_LOCAL_MACHINE\SOFTWARE\Policies\Microsoft\WindowsMediaPlayer" /v "DisableAutoUpdate" /t REG_DWORD /d 0x00000000 /f
reg add "HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Session Manager\Memory Management" /v "DisablePagingExecutive" /t REG_DWORD /d 0x00000000 /f
reg add "HKEY_CURRENT_USER\Control Panel\desktop" /v "WaitToKillAppTimeout" /t REG_SZ /d "20000" /f
reg add "HKEY_CURRENT_USER\Control Panel\desktop" /v "AutoEndTasks" /t REG_SZ /d "0" /f
reg add "HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Session Manager\Memory Management" /v "ClearPageFileAtShutdown" /t REG_SZ /d "0" /f
reg add "HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Session Manager\Memory Management" /v "LargeSystemCache" /t REG_SZ /d "0" /f
reg add "HKEY_LOCAL_MACHINE\SOFTWARE\Classes\CLSID\{00021400-0000-0000-C000-000000000046}" /v "MenuShowDelay" /t REG_SZ /d "200" /f
reg add "HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Group Policy Objects\{93DA6881-55BF-487D-B0AE-C8EB3C54121A}Machine\Software\Microsoft\Windows\CurrentVersion\Policies\System" /v "DisableStatusMessages" /t REG_DWORD /d 0x00000000 /f
reg add "HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\policies\system" /v "DisableStatusMessages" /t REG_DWORD /d 0x00000000 /f
reg add "HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Policies\Explorer" /v "NoRecycleFiles" /t REG_DWORD /d 0x00000000 /f
reg add "HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\Advanced" /v "TaskbarGlomming" /t REG_DWORD /d 0x00000001 /f
reg add "HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Session Manager\Memory Management\PrefetchParameters" /v "EnablePrefetcher" /t REG_SZ /d "5" /f
popd
endlocal
