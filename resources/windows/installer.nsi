; SPDX-License-Identifier: GPL-3.0-or-later
; Copyright (C) 2026 House Vorlanes
; The Windows installer: for the current user alone, no administrator rights,
; a Start-menu entry and an uninstaller that Windows lists. It writes and
; removes only files of its own names, so that it may go into any folder, the
; emulator's too; and it touches nothing while the program runs.
; makensis -DVERSION=0.0.2 -DSOURCE=<dir with vorlanes.exe, LICENSE.txt, README.txt>
;          -DICON=<icon.ico> -DOUTFILE=<installer.exe> installer.nsi
; 64-bit, as the program it installs.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define NAME "House Vorlanes' Frontend"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vorlanes"

Name "${NAME} ${VERSION}"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$LOCALAPPDATA\Programs\Vorlanes"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow
; A file that cannot be written stops the install, never skipped in silence.
AllowSkipFiles off

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${NAME}"
VIAddVersionKey "FileDescription" "${NAME} ${VERSION} installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "GPL-3.0-or-later"

Page license
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles
LicenseData "${SOURCE}\LICENSE.txt"

; The program holds its own file while it runs: a write of it fails then.
; Asks the user to close it; a silent run fails with exit code 2.
!macro CheckRunning un
Function ${un}CheckRunning
    retry:
    IfFileExists "$INSTDIR\vorlanes.exe" 0 free
    ClearErrors
    FileOpen $0 "$INSTDIR\vorlanes.exe" a
    IfErrors running
    FileClose $0
    Goto free
    running:
    SetErrorLevel 2
    IfSilent 0 +2
        Quit
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "${NAME} is running from $INSTDIR.$\r$\n$\r$\nClose it, then press Retry." \
        /SD IDCANCEL IDRETRY retry
    Quit
    free:
FunctionEnd
!macroend
!insertmacro CheckRunning ""
!insertmacro CheckRunning "un."

Section
    SetShellVarContext current
    Call CheckRunning
    SetOutPath "$INSTDIR"
    File "${SOURCE}\vorlanes.exe"
    ; Names of their own: the folder may hold a README.txt or LICENSE.txt.
    File "/oname=vorlanes-license.txt" "${SOURCE}\LICENSE.txt"
    File "/oname=vorlanes-readme.txt" "${SOURCE}\README.txt"
    WriteUninstaller "$INSTDIR\vorlanes-uninstall.exe"
    ; A shortcut starts in the folder current when it is made: the user's
    ; documents, where the lists then open, not the program's folder.
    SetOutPath "$DOCUMENTS"
    CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\vorlanes.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vorlanes.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "House Vorlanes"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\vorlanes-uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" \
        '"$INSTDIR\vorlanes-uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes what the installer put in place, and the one setting the program
; keeps: the emulator's directory. The emulator's own Hu-go!.ini stays, and
; so does anything else in the folder. Nothing goes while the program runs.
Section "Uninstall"
    SetShellVarContext current
    Call un.CheckRunning
    Delete "$INSTDIR\vorlanes.exe"
    IfFileExists "$INSTDIR\vorlanes.exe" 0 +3
        SetErrorLevel 2
        Quit
    Delete "$SMPROGRAMS\${NAME}.lnk"
    Delete "$INSTDIR\vorlanes-license.txt"
    Delete "$INSTDIR\vorlanes-readme.txt"
    Delete "$INSTDIR\vorlanes-uninstall.exe"
    RMDir "$INSTDIR"
    ; The folders the installer may have made first, when nothing else is in them.
    RMDir "$LOCALAPPDATA\Programs"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    DeleteRegKey /ifempty HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall"
    DeleteRegKey HKCU "Software\Vorlanes"
SectionEnd
