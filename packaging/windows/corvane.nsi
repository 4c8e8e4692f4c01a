; Corvane's installer for 64-bit Windows, in French: the two programs, their DLLs and the help
; into Program Files for every user, a start-menu entry, and an uninstaller that Windows lists.
;   makensis -DVERSION=1.10 -DSTAGE=STAGE_DIR [-DOUTPUT=setup.exe] corvane.nsi
; STAGE_DIR is what stage.sh laid out: program/, the installed folder, and remove-program.nsh.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!ifndef VERSION
    !error "give the version: -DVERSION=..."
!endif
!ifndef STAGE
    !error "give the stage: -DSTAGE=..."
!endif
!ifndef OUTPUT
    !define OUTPUT "corvane-${VERSION}-setup.exe"
!endif
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvane"

!include "MUI2.nsh"
!include "FileFunc.nsh"

Name "Corvane ${VERSION}"
OutFile "${OUTPUT}"
BrandingText "Corvane ${VERSION}"
RequestExecutionLevel admin
InstallDir "$PROGRAMFILES64\Corvane"
; A new version goes where the previous one is.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

!define MUI_ICON "${__FILEDIR__}\..\..\assets\corvane.ico"
!define MUI_UNICON "${__FILEDIR__}\..\..\assets\corvane.ico"
!define MUI_ABORTWARNING
!define MUI_UNABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "French"

; The shortcut and the uninstall key are every user's, as the program's folder is.
Function .onInit
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetShellVarContext all
FunctionEnd

Section "Corvane"
    SetOutPath "$INSTDIR"
    File /r "${STAGE}\program\*"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The program looks for its help and the reference PDFs in the folder it starts in: the
    ; shortcut starts it in its own, which CreateShortcut takes from the current output folder.
    SetOutPath "$INSTDIR"
    CreateShortcut "$SMPROGRAMS\Corvane.lnk" "$INSTDIR\corvane.exe" "" "$INSTDIR\corvane.exe" 0

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Corvane"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Corvane"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\corvane.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Removes what the installer put there and nothing else: a file the user added to the folder (the
; reference PDFs, say) stays, and so does the folder then. The evaluations are in Documents.
Section "Uninstall"
    !include "${STAGE}\remove-program.nsh"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Corvane.lnk"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
