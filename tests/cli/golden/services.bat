@echo off
rem Sysvela, services page: made by sysvela-cli export
setlocal EnableExtensions DisableDelayedExpansion
if not defined PROCESSOR_ARCHITEW6432 goto sysvela_start
if not exist "%SystemRoot%\Sysnative\cmd.exe" goto sysvela_start
"%SystemRoot%\Sysnative\cmd.exe" /d /c ""%~f0" %*"
exit /b %ERRORLEVEL%
:sysvela_start
pushd "%SystemRoot%\system32"
rem page services
sc \\. config Alerter start= disabled
sc \\. config wuauserv start= disabled
sc \\. config ClipSrv start= disabled
sc \\. config ERSvc start= disabled
sc \\. config FastUserSwitchingCompatibility start= disabled
sc \\. config Helpsvc start= disabled
sc \\. config PolicyAgent start= disabled
sc \\. config Messenger start= disabled
sc \\. config Spooler start= disabled
sc \\. config RemoteRegistry start= disabled
sc \\. config wscsvc start= disabled
sc \\. config lanmanserver start= disabled
sc \\. config ShellHWDetection start= disabled
sc \\. config SSDPSRV start= disabled
sc \\. config Schedule start= disabled
sc \\. config WebClient start= disabled
sc \\. config SharedAccess start= disabled
sc \\. config W32Time start= disabled
sc \\. config WZCSVC start= disabled
popd
endlocal
