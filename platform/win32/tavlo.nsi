; The Windows installer: the program with its header, footer and templates under
; Program Files, a Start-menu entry, "Apri con TAVLO" on every folder, and an
; uninstaller in the system's list of programs. Per machine; /S installs and
; uninstalls without a question. Built by the Windows build beside the zip:
;   makensis -DVERSION=x.y.z -DFILES=<files.nsh, the files to put and take away>
;            -DLICENCE=<licence text> -DOUTFILE=<setup.exe> tavlo.nsi
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TAVLO"
!define FOLDER_VERB "Software\Classes\Directory\shell\TAVLO"

Name "TAVLO ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\TAVLO"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
LicenseData "${LICENCE}"
LoadLanguageFile "${NSISDIR}\Contrib\Language files\Italian.nlf"
ShowInstDetails nevershow
ShowUninstDetails nevershow

Page license
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    !include "${FILES}"
    File "/oname=LICENSE.txt" "${LICENCE}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\TAVLO.lnk" "$INSTDIR\tavlo.exe"

    ; A folder's context menu: the window opens with that folder to search.
    WriteRegStr HKLM "${FOLDER_VERB}" "" "Apri con TAVLO"
    WriteRegStr HKLM "${FOLDER_VERB}" "Icon" "$INSTDIR\tavlo.exe"
    WriteRegStr HKLM "${FOLDER_VERB}\command" "" '"$INSTDIR\tavlo.exe" --finestra "%1"'

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "TAVLO"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "TAVLO"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tavlo.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only what the installer put there goes: a file of the user's left in the folder keeps it.
Section "Uninstall"
    SetShellVarContext all
    !define UNINSTALLING
    !include "${FILES}"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\TAVLO.lnk"
    DeleteRegKey HKLM "${FOLDER_VERB}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
