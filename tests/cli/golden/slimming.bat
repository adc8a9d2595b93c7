@echo off
rem Sysvela, slimming page: made by sysvela-cli export
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
rem page slimming
set "SYSVELA_RUN="
if defined SYSVELA_WIN51 set "SYSVELA_RUN=1"
if defined SYSVELA_WIN52 set "SYSVELA_RUN=1"
if not defined SYSVELA_RUN echo skipped 删除系统备份[200MB-300MB]: not on this version of Windows
if defined SYSVELA_RUN sfc /purgecache
for /f "eol=| delims=" %%F in ('dir /b /a:-d-h-s "%windir%\driver cache\i386" 2^>nul') do if /i "%%F"=="Driver.cab" del /q "%windir%\driver cache\i386\%%F"
if exist "%windir%\temp\*" rd "%windir%\temp"
if exist "%windir%\help\*" rd "%windir%\help"
if exist "%windir%\Ime\chtime\*" rd "%windir%\Ime\chtime"
if exist "%windir%\Ime\imjp8_1\*" rd "%windir%\Ime\imjp8_1"
if exist "%windir%\Ime\imkr6_1\*" rd "%windir%\Ime\imkr6_1"
popd
endlocal
