; The Windows installer: the .scr and its data in Program Files, an entry in Apps with its
; uninstaller, a Start-menu entry for the saver's settings, and on the last page the offer to
; open Windows' screen-saver settings with this saver chosen.
;
;   makensis -DVERSION=1.0 -DSCR=... -DDATA_DIR=... -DICON=... -DOUTFILE=... installer.nsi
;
; Settings stay with the user: %APPDATA%\Dravelin Didazi\control.ini is never touched.

Unicode true
; Debian's wine64 runs no 32-bit programs, and a 64-bit installer sees the real Program Files.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define PRODUCT "Dravelin Didazi Screen Saver"
!define PUBLISHER "The Dravelin Didazi developers"
!define SCR_NAME "dravelin-didazi.scr"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\DravelinDidazi"
!define SETTINGS_LINK "$SMPROGRAMS\Dravelin Didazi Settings.lnk"

; Each data file beside the .scr, where it looks for them: packed ("File") or removed ("Delete").
!macro DataFile Verb Name
    !if "${Verb}" == "File"
        File "${DATA_DIR}/${Name}"
    !else
        Delete "$INSTDIR\${Name}"
    !endif
!macroend
!macro DataFiles Verb
    !insertmacro DataFile ${Verb} CLRBTMP.BMP
    !insertmacro DataFile ${Verb} lucht2.bmp
    !insertmacro DataFile ${Verb} water.bmp
    !insertmacro DataFile ${Verb} zee.bmp
    !insertmacro DataFile ${Verb} klapper.wav
    !insertmacro DataFile ${Verb} knerp.wav
    !insertmacro DataFile ${Verb} ratel.wav
    !insertmacro DataFile ${Verb} waterlp.wav
!macroend

Name "${PRODUCT}"
Caption "${PRODUCT} ${VERSION} Setup"
UninstallCaption "${PRODUCT} ${VERSION} Uninstall"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Dravelin Didazi"
; Program Files and the machine's list of programs need an administrator; nothing else does.
RequestExecutionLevel admin
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIFileVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Choose it in Windows' screen-saver settings now"
!define MUI_FINISHPAGE_RUN_FUNCTION ChooseScreenSaver

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
    SetRegView 64
    SetShellVarContext all
    ; An earlier install is replaced where it stands, so Apps keeps one entry.
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    StrCmp $0 "" +2
    StrCpy $INSTDIR $0
FunctionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

; What the .scr's own "Install" verb does: Windows' settings open with this saver chosen.
Function ChooseScreenSaver
    ExecShell "" "$SYSDIR\rundll32.exe" 'desk.cpl,InstallScreenSaver "$INSTDIR\${SCR_NAME}"'
FunctionEnd

Section "Install"
    SetOutPath "$INSTDIR"
    File "${SCR}"
    !insertmacro DataFiles File
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateShortcut "${SETTINGS_LINK}" "$INSTDIR\${SCR_NAME}" "/c" "$INSTDIR\${SCR_NAME}" 0 \
        SW_SHOWNORMAL "" "Change the settings of ${PRODUCT}"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${SCR_NAME},0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
    Delete "${SETTINGS_LINK}"
    Delete "$INSTDIR\${SCR_NAME}"
    !insertmacro DataFiles Delete
    Delete "$INSTDIR\uninstall.exe"
    ; Only when empty: whatever the user put there stays.
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
