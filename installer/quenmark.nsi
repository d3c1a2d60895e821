; The Windows installer. scripts/package (through CMake) defines:
;   VERSION  the release's version ("1.0"), from VERSION
;   VERSION4 the same in four numbers ("1.0.0.0"), as Windows' version information has it
;   ARCH     win32 or win64
;   STAGE    the folder with the files to install
;   HELPER   grant-users.exe of the same architecture
;   ICON     the program's icon
;   OUTFILE  the installer to write
;
; Command line (besides NSIS's own /S for silent and /D=folder):
;   setup.exe /NOSTARTUP          leaves "Start with Windows" out (it is selected by default)
;   uninstall.exe /DELETESCHEDULES  deletes the schedules without asking; a silent uninstall
;                                   (/S) keeps them unless this is given
;
; Besides the program it installs the administrative template (PolicyDefinitions\, for
; administrators to copy into Group Policy's store) and registers the program as the
; Application log's event source "Quenmark", whose texts are the program's message table.

Unicode true
; The win64 installer is a 64-bit program, so it runs wherever the program it installs runs.
!if ${ARCH} == win64
  Target amd64-unicode
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestSupportedOS all

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include x64.nsh

!define PRODUCT "Quenmark"
!define COMPANY "Tarvossa"
; The program's own keys: its machine settings, its start-with-Windows choice (kept under the
; Run value's name) and the all-users Run list.
!define SETTINGS_KEY "SOFTWARE\${COMPANY}\${PRODUCT}"
!define RUN_ENTRY "${PRODUCT}-1"
!define RUN_CHOICE_KEY "SOFTWARE\${COMPANY}\${RUN_ENTRY}\Settings"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
; Not redirected for 32-bit programs: the event log service reads it for every program.
!define EVENTLOG_KEY "SYSTEM\CurrentControlSet\Services\EventLog\Application\${PRODUCT}"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
!if ${ARCH} == win64
  InstallDir "$PROGRAMFILES64\${PRODUCT}"
!else
  InstallDir "$PROGRAMFILES\${PRODUCT}"
!endif

VIProductVersion "${VERSION4}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} setup (${ARCH})"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 ${COMPANY}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The registry view the program itself sees: a 32-bit program on 64-bit Windows reads and
; writes the 32-bit view, the 64-bit one the native view.
!macro SetProgramView
  !if ${ARCH} == win64
    ${IfNot} ${RunningX64}
      MessageBox MB_OK|MB_ICONSTOP "This is the 64-bit ${PRODUCT}; this Windows is 32-bit. Please use the win32 setup." /SD IDOK
      Abort
    ${EndIf}
    SetRegView 64
  !endif
!macroend

Section "${PRODUCT}" SecProgram
  SectionIn RO
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${STAGE}\Quenmark.exe"
  File "${STAGE}\Localization.xml"
  File "${STAGE}\Help.chm"
  File "${STAGE}\readme.txt"
  File "${STAGE}\LICENSE.txt"
  File /r "${STAGE}\PolicyDefinitions"
  CreateDirectory "$INSTDIR\data"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Quenmark.exe"

  ; Every account may save schedules, translations and options (see grant_users.cpp).
  InitPluginsDir
  File "/oname=$PLUGINSDIR\grant-users.exe" "${HELPER}"
  ExecWait '"$PLUGINSDIR\grant-users.exe" "$INSTDIR" "${SETTINGS_KEY}"' $0
  ${If} $0 != 0
    DetailPrint "Could not give the Users group write access (error $0): accounts without administrator rights will see the permission warning."
  ${EndIf}

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Quenmark.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  ; Event Viewer shows the records' texts from the program's own message table; errors,
  ; warnings and information (7) are the kinds it writes.
  WriteRegExpandStr HKLM "${EVENTLOG_KEY}" "EventMessageFile" "$INSTDIR\Quenmark.exe"
  WriteRegDWORD HKLM "${EVENTLOG_KEY}" "TypesSupported" 7

  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; What the program's own "Run at Windows Startup" box writes: the value named after the
; program in the all-users Run list, holding its path (quoted when it has a space), and the
; choice itself, so that the box shows it.
Section "Start with Windows" SecStartup
  StrCpy $0 "$INSTDIR\Quenmark.exe"
  Push $0
  Call HasSpace
  Pop $1
  ${If} $1 == 1
    StrCpy $0 '"$0"'
  ${EndIf}
  WriteRegStr HKLM "${RUN_KEY}" "${RUN_ENTRY}" $0
  WriteRegStr HKLM "${RUN_CHOICE_KEY}" "chkRunAtStart" "1"
SectionEnd

; Pushes 1 when the text on the stack holds a space, else 0.
Function HasSpace
  Exch $R0
  Push $R1
  Push $R2
  StrCpy $R1 0
  ${Do}
    StrCpy $R2 $R0 1 $R1
    ${IfThen} $R2 == "" ${|} ${ExitDo} ${|}
    ${If} $R2 == " "
      StrCpy $R2 1
      ${ExitDo}
    ${EndIf}
    IntOp $R1 $R1 + 1
  ${Loop}
  ${If} $R2 != 1
    StrCpy $R2 0
  ${EndIf}
  StrCpy $R0 $R2
  Pop $R2
  Pop $R1
  Exch $R0
FunctionEnd

Function .onInit
  !insertmacro SetProgramView
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/NOSTARTUP" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecStartup} 0
  ${EndIf}
FunctionEnd

Function un.onInit
  !insertmacro SetProgramView
FunctionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$INSTDIR\Quenmark.exe"
  ${If} ${FileExists} "$INSTDIR\Quenmark.exe"
    MessageBox MB_OK|MB_ICONEXCLAMATION "Quenmark is still running. Please exit it (right-click its tray icon, Exit) and uninstall again." /SD IDOK
    Abort
  ${EndIf}
  Delete "$INSTDIR\Localization.xml"
  Delete "$INSTDIR\Help.chm"
  Delete "$INSTDIR\readme.txt"
  Delete "$INSTDIR\LICENSE.txt"
  RMDir /r "$INSTDIR\PolicyDefinitions"
  Delete "$INSTDIR\uninstall.exe"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"

  DeleteRegValue HKLM "${RUN_KEY}" "${RUN_ENTRY}"
  DeleteRegKey HKLM "${SETTINGS_KEY}"
  DeleteRegKey HKLM "SOFTWARE\${COMPANY}\${RUN_ENTRY}"
  DeleteRegKey /ifempty HKLM "SOFTWARE\${COMPANY}"
  ; The uninstalling account's own settings; other accounts' stay in their profiles.
  DeleteRegKey HKCU "Software\${COMPANY}\${PRODUCT}"
  DeleteRegKey /ifempty HKCU "Software\${COMPANY}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "${EVENTLOG_KEY}"

  ; The schedules are the user's: asked for (kept on a silent uninstall unless
  ; /DELETESCHEDULES says otherwise). Temporary files of a save cut short go either way.
  Delete "$INSTDIR\data\*.tmp"
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/DELETESCHEDULES" $1
  ${If} ${Errors}
    FindFirst $2 $3 "$INSTDIR\data\*.*"
    skip_dots:
    ${If} $3 == "."
    ${OrIf} $3 == ".."
      FindNext $2 $3
      Goto skip_dots
    ${EndIf}
    FindClose $2
    ${If} $3 != ""
      MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "Delete your schedules too?$\n$\nNo keeps them in $INSTDIR\data for a later installation." /SD IDNO IDYES delete
      Goto kept
    ${EndIf}
  ${EndIf}
  delete:
  RMDir /r "$INSTDIR\data"
  kept:
  RMDir "$INSTDIR"
SectionEnd
