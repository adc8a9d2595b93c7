@echo off
rem Sysvela, slimming page: made by sysvela-cli export
setlocal EnableExtensions DisableDelayedExpansion
if not defined PROCESSOR_ARCHITEW6432 goto sysvela_start
if not exist "%SystemRoot%\Sysnative\cmd.exe" goto sysvela_start
"%SystemRoot%\Sysnative\cmd.exe" /d /c ""%~f0" %*"
exit /b %ERRORLEVEL%
:sysvela_start
pushd "%SystemRoot%\system32"
rem page slimming
sfc /purgecache
for /f "eol=| delims=" %%F in ('dir /b /a:-d-h-s "C:\windows\driver cache\i386" 2^>nul') do if /i "%%F"=="Driver.cab" del /q "C:\windows\driver cache\i386\%%F"
if exist "C:\Windows\temp\*" rd "C:\Windows\temp"
if exist "C:\Windows\help\*" rd "C:\Windows\help"
if exist "C:\Windows\Ime\chtime\*" rd "C:\Windows\Ime\chtime"
if exist "C:\Windows\Ime\imjp8_1\*" rd "C:\Windows\Ime\imjp8_1"
if exist "C:\Windows\Ime\imkr6_1\*" rd "C:\Windows\Ime\imkr6_1"
popd
endlocal
