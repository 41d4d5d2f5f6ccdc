; The per-user Windows installer: no administrator rights, the program folder under
; %LOCALAPPDATA%\Programs (so the settings file beside the program stays writable), the
; screen saver made the current one, and an uninstaller in the user's Apps list.
;   makensis -DDIST=<program folder> -DOUTFILE=<installer> -DVERSION=<x.y> -DASSETS=<folder>
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define PRODUCT "Marrowtide Gobble-run"
!define SAVER "${PRODUCT}.scr"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\MarrowtideGobbleRun"
!define DESKTOP_KEY "Control Panel\Desktop"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
Icon "${ASSETS}/settingsIcon.ico"
UninstallIcon "${ASSETS}/settingsIcon.ico"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "FileDescription" "${PRODUCT} installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "Marrowtide"
VIAddVersionKey "LegalCopyright" "Marrowtide"

Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Install"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File /r "${DIST}/*"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; Windows starts the saver as "<value> /s", so the value is the short path where the
  ; volume keeps short names (no spaces to quote).
  GetFullPathName /SHORT $0 "$INSTDIR\${SAVER}"
  StrCmp $0 "" 0 +2
    StrCpy $0 "$INSTDIR\${SAVER}"
  ; The saver chosen before is kept, so that the uninstaller can give it back.
  ClearErrors
  ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  IfErrors +2 0
    WriteRegStr HKCU "${UNINSTALL_KEY}" "PreviousScreenSaver" $1
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $0
  WriteRegStr HKCU "${UNINSTALL_KEY}" "ScreenSaver" $0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Marrowtide"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${SAVER},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  ; The current saver is ours only if nobody chose another since: then the one chosen
  ; before comes back, or none.
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "ScreenSaver"
  ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  StrCmp $0 "" forget
  StrCmp $1 $0 0 forget
    ClearErrors
    ReadRegStr $2 HKCU "${UNINSTALL_KEY}" "PreviousScreenSaver"
    IfErrors 0 +3
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
      Goto forget
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $2
  forget:
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  ; Our files by name, then the folder if nothing else is left in it: an install into a
  ; folder of the user's own choice never takes the user's files with it.
  Delete "$INSTDIR\${SAVER}"
  Delete "$INSTDIR\MarrowtideEmail.exe"
  Delete "$INSTDIR\rovoradizu.ini"
  RMDir /r "$INSTDIR\duruzarurode"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
