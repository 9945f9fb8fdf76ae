; The Varnex 2000 installer and its uninstaller. release/CMakeLists.txt runs makensis on it with
; the files to wrap given as defines:
;   VARNEX_EXE PELLIMOR_DLL TAPPOLIN_EXE README   the files installed
;   OUTFILE                                      the installer written
;   UNINSTALLER_COPY                             where the uninstaller is kept for checking
;   STANDIN64                                    (optional) the 64-bit stand-in for Wine tests
; The uninstaller is the one WriteUninstaller puts on the user's disk; !uninstfinalize hands us
; a copy of it at build time so its imports are checked like the installer's.

!ifdef STANDIN64
  ; Only for running the installer under 64-bit Wine where 32-bit programs cannot start.
  Target amd64-unicode
!else
  ; Windows 98 runs only the ANSI stub.
  Unicode false
  Target x86-ansi
!endif

SetCompressor /SOLID lzma

!define PRODUCT "Varnex 2000"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
; The program finds the installer's uninstall shortcut below the Windows directory, where the
; 98 family keeps its per-machine start menu, and puts its own shortcuts there too.
!define START_MENU "$WINDIR\Start Menu\Programs\${PRODUCT}"
!define DESKTOP_LINK "$WINDIR\Desktop\${PRODUCT}.lnk"
!define QUICK_LAUNCH_LINK "$WINDIR\Application Data\Microsoft\Internet Explorer\Quick Launch\${PRODUCT}.lnk"

Name "${PRODUCT}"
BrandingText "${PRODUCT}"
; The program's own monitor icon, so the installer on the floppy is recognisably ours.
Icon "${__FILEDIR__}/../varnex/win32/art/varnex.ico"
UninstallIcon "${__FILEDIR__}/../varnex/win32/art/varnex.ico"
OutFile "${OUTFILE}"
!ifdef STANDIN64
  InstallDir "$PROGRAMFILES64\${PRODUCT}"
!else
  InstallDir "$PROGRAMFILES\${PRODUCT}"
!endif
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show
XPStyle off

!uninstfinalize 'cp "%1" "${UNINSTALLER_COPY}"'

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; Writes the 32-bit number in $1 to the file $0, little-endian.
Function WriteRecord
  Push $2
  Push $3
  StrCpy $3 0
  loop:
    IntOp $2 $1 & 0xFF
    FileWriteByte $0 $2
    IntOp $1 $1 >> 8
    IntOp $3 $3 + 1
    IntCmp $3 4 0 loop
  Pop $3
  Pop $2
FunctionEnd

!macro WriteRecord value
  StrCpy $1 ${value}
  Call WriteRecord
!macroend

; Files in use cannot be replaced or deleted: while Varnex 2000 (its main window, also when it
; waits as a tray icon) or tappolin (its hidden window) runs, ask the user to close it. Cancel, and
; any silent run, stops before anything is changed, with a non-zero exit code.
!macro CloseRunningPrograms un stopped
Function ${un}CloseRunningPrograms
  Push $0
  retry:
    FindWindow $0 "TForm1" "${PRODUCT}"
    IntCmp $0 0 tappolin
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "${PRODUCT} is running, perhaps as an icon next to the clock.$\r$\n$\r$\nClose it, then press Retry. Cancel ${stopped}." \
      /SD IDCANCEL IDRETRY retry
    Goto cancel
  tappolin:
    FindWindow $0 "TappolinClass"
    IntCmp $0 0 done
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "Tappolin is running: its icon is next to the clock.$\r$\n$\r$\nRight-click the icon, choose Close, then press Retry. Cancel ${stopped}." \
      /SD IDCANCEL IDRETRY retry
  cancel:
    Pop $0
    Abort "${PRODUCT} or Tappolin is running; nothing was changed."
  done:
  Pop $0
FunctionEnd
!macroend
!insertmacro CloseRunningPrograms "" "stops setup without changing anything"
!insertmacro CloseRunningPrograms "un." "stops the uninstaller without removing anything"

Section "${PRODUCT}"
  Call CloseRunningPrograms
  SetOutPath "$INSTDIR"
  File "/oname=Varnex.exe" "${VARNEX_EXE}"
  File "/oname=pellimor.dll" "${PELLIMOR_DLL}"
  File "/oname=tappolin.exe" "${TAPPOLIN_EXE}"
  File "/oname=Readme.txt" "${README}"

  ; The program will not start without its 20-byte state file: five records, the third (1)
  ; makes the first start save a copy of the uninstall shortcut. The others are reserved; they
  ; carry the product's year, system, first-run flag, page count and 0.
  ClearErrors
  FileOpen $0 "$INSTDIR\Config.DAT" w
  IfErrors 0 +2
    Abort "Cannot write $INSTDIR\Config.DAT"
  !insertmacro WriteRecord 2000
  !insertmacro WriteRecord 98
  !insertmacro WriteRecord 1
  !insertmacro WriteRecord 11
  !insertmacro WriteRecord 0
  FileClose $0
  IfErrors 0 +2
    Abort "Cannot write $INSTDIR\Config.DAT"

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateDirectory "${START_MENU}"
  CreateShortCut "${START_MENU}\Uninstall.lnk" "$INSTDIR\Uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
SectionEnd

; Removes what the installer and the program itself put on the disk: the program's files, its
; state file and saved shortcut, and the shortcuts of its "Varnex" page. The settings the user
; changed with the program stay as they are, and so does the Backup folder of saved settings,
; which keeps the program folder in place when it holds any.
Section "Uninstall"
  Call un.CloseRunningPrograms
  ; A program still in use without a window of its own goes at the next restart.
  Delete /REBOOTOK "$INSTDIR\Varnex.exe"
  Delete /REBOOTOK "$INSTDIR\pellimor.dll"
  Delete /REBOOTOK "$INSTDIR\tappolin.exe"
  Delete "$INSTDIR\Readme.txt"
  Delete "$INSTDIR\Config.DAT"
  Delete "$INSTDIR\Uninstall.lnk"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  Delete "${START_MENU}\${PRODUCT}.lnk"
  Delete "${START_MENU}\Readme.lnk"
  Delete "${START_MENU}\Uninstall.lnk"
  RMDir "${START_MENU}"
  Delete "${DESKTOP_LINK}"
  Delete "${QUICK_LAUNCH_LINK}"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
