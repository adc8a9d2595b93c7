@echo off
rem Sysvela, startup page: made by sysvela-cli export
setlocal EnableExtensions DisableDelayedExpansion
if not defined PROCESSOR_ARCHITEW6432 goto sysvela_start
if not exist "%SystemRoot%\Sysnative\cmd.exe" goto sysvela_start
"%SystemRoot%\Sysnative\cmd.exe" /d /c ""%~f0" %*"
exit /b %ERRORLEVEL%
:sysvela_start
pushd "%SystemRoot%\system32"
set "SYSVELA_STARTUP=%USERPROFILE%\「开始」菜单\程序\启动"
if not exist "%SYSVELA_STARTUP%\*" for /f "tokens=2,*" %%A in ('reg query "HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders" /v Startup 2^>nul ^| find "REG_SZ"') do set "SYSVELA_STARTUP=%%B"
set "SYSVELA_COMMON_STARTUP=%ALLUSERSPROFILE%\「开始」菜单\程序\启动"
if not exist "%SYSVELA_COMMON_STARTUP%\*" for /f "tokens=3,*" %%A in ('reg query "HKLM\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders" /v "Common Startup" 2^>nul ^| find "REG_SZ"') do set "SYSVELA_COMMON_STARTUP=%%B"
rem page startup
reg delete HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run /v "Contoso Update Agent" /f
reg delete HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Run /v "Contoso Update Agent" /f
for /f "eol=| delims=" %%F in ('dir /b /a:-d-h-s "%SYSVELA_STARTUP%" 2^>nul') do if /i "%%F"=="Contoso Update Agent" del /q "%SYSVELA_STARTUP%\%%F"
for /f "eol=| delims=" %%F in ('dir /b /a:-d-h-s "%SYSVELA_COMMON_STARTUP%" 2^>nul') do if /i "%%F"=="Contoso Update Agent" del /q "%SYSVELA_COMMON_STARTUP%\%%F"
reg delete HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run /v "腾讯QQ.lnk" /f
reg delete HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Run /v "腾讯QQ.lnk" /f
for /f "eol=| delims=" %%F in ('dir /b /a:-d-h-s "%SYSVELA_STARTUP%" 2^>nul') do if /i "%%F"=="腾讯QQ.lnk" del /q "%SYSVELA_STARTUP%\%%F"
for /f "eol=| delims=" %%F in ('dir /b /a:-d-h-s "%SYSVELA_COMMON_STARTUP%" 2^>nul') do if /i "%%F"=="腾讯QQ.lnk" del /q "%SYSVELA_COMMON_STARTUP%\%%F"
popd
endlocal
