; The game's installer, setup.exe, and the uninstaller it leaves in the install folder.
;
; Built by installer/CMakeLists.txt, which passes:
;   ARCH     x86 (the release: 32-bit programs, a 32-bit installer) or amd64 (the 64-bit build,
;            for the demo and the tests under 64-bit Wine)
;   FILES    the folder of the stripped programs and the rest of the demo installation
;   LISTS    installed_files.nsh, the files the installer places, for both installer and
;            uninstaller (written by CMake from the same lists it fills FILES from)
;   ICON     the programs' icon;  WIZARD  the picture of the first and last pages
;   OUTFILE  where setup.exe goes
;
; Silent use: setup.exe /S [/D=FOLDER] (/D= last, unquoted); Uninstall.exe /S, which keeps the
; player's settings file.
;
; The game's key and the uninstall entry live in the 32-bit view of the registry, where Windows
; keeps them for a 32-bit installer: the 64-bit installer writes them there too, so that the
; programs find them the same way whichever build they are.

Unicode true
!if "${ARCH}" == "amd64"
    Target amd64-unicode
!else
    Target x86-unicode
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestSupportedOS all

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define PRODUCT "Tavrin Demo"
!define PUBLISHER "Galdoris Interactive"
!define VERSION "1.00"
!define GAME_KEY "Software\Galdoris Interactive\Tavrin Demo\1.00"
; The uninstall entry's name, which the game's key holds as "GUID" for the launcher's Update
; Install. It never changes between versions: a new version replaces the entry.
!define GUID "{5484514B-6C3D-4F8B-ABD9-2D12B6816F9F}"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${GUID}"
!define UNINSTALLER "Uninstall.exe"
; The programs read "Location" into 80 bytes: a longer folder would leave them without one.
!define LONGEST_FOLDER 79

Name "${PRODUCT}"
; The launcher without an installation starts "setup.exe" from the disc, so that is its name,
; although Windows then treats it as an old installer (NSIS warns of the compatibility shims).
!pragma warning disable 9000
OutFile "${OUTFILE}"
!if "${ARCH}" == "amd64"
    !define DEFAULT_FOLDER "$PROGRAMFILES64\${PUBLISHER}\${PRODUCT}"
!else
    !define DEFAULT_FOLDER "$PROGRAMFILES\${PUBLISHER}\${PRODUCT}"
!endif
InstallDir "${DEFAULT_FOLDER}"
BrandingText "${PUBLISHER}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "1.0.0.0"
VIFileVersion "1.0.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} installer"
VIAddVersionKey /LANG=1033 "FileVersion" "1.0.0.0"
VIAddVersionKey /LANG=1033 "ProductVersion" "1.0.0.0"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WIZARD}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE CheckFolderLength
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
; The last page starts the installed launcher; the installer ends as it starts.
!define MUI_FINISHPAGE_RUN "$INSTDIR\TavrinConfig.exe"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The launcher's five languages; the installer and the uninstaller speak the one of Windows'
; display language, or English.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "Italian"
!insertmacro MUI_LANGUAGE "Spanish"

!include "${__FILEDIR__}/texts.nsh"
!include "${LISTS}"

Function .onInit
    SetRegView 32
    SetShellVarContext all
    ; Installed already: the same folder again, unless the player named one with /D=.
    ReadRegStr $0 HKLM "${GAME_KEY}" "Location"
    ${If} $0 != ""
    ${AndIf} $INSTDIR == "${DEFAULT_FOLDER}"
        StrCpy $INSTDIR $0
    ${EndIf}
    ; Without the directory page, a silent installation checks the folder here.
    ${If} ${Silent}
        StrLen $0 $INSTDIR
        ${If} $0 > ${LONGEST_FOLDER}
            SetErrorLevel 2
            Abort
        ${EndIf}
    ${EndIf}
FunctionEnd

Function CheckFolderLength
    StrLen $0 $INSTDIR
    ${If} $0 > ${LONGEST_FOLDER}
        MessageBox MB_OK|MB_ICONEXCLAMATION "$(FolderTooLong)"
        Abort  ; stays on the page
    ${EndIf}
FunctionEnd

!macro PlaceProgramFile NAME
    File "${FILES}/${NAME}"
!macroend
!macro PlaceSkinFile NAME
    File "${FILES}/Config files/${NAME}"
!macroend

Section
    SetOutPath "$INSTDIR\Config files"
    !insertmacro ForEachSkinFile PlaceSkinFile
    SetOutPath "$INSTDIR"
    !insertmacro ForEachProgramFile PlaceProgramFile
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    ; The game's shortcut starts the setup tool, which opens the launcher.
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Config.exe"

    WriteRegStr HKLM "${GAME_KEY}" "Location" "$INSTDIR"
    WriteRegStr HKLM "${GAME_KEY}" "GUID" "${GUID}"

    ; The options after the quoted path are for Windows' list of programs: the uninstaller then
    ; speaks the language the game was installed in. The launcher starts the quoted program alone.
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" \
        '"$INSTDIR\${UNINSTALLER}" /LANG=$LANGUAGE'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\TavrinConfig.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function un.onInit
    SetRegView 32
    SetShellVarContext all
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/LANG=" $1
    ${IfNot} ${Errors}
        ${If} $1 == ${LANG_ENGLISH}
        ${OrIf} $1 == ${LANG_FRENCH}
        ${OrIf} $1 == ${LANG_GERMAN}
        ${OrIf} $1 == ${LANG_ITALIAN}
        ${OrIf} $1 == ${LANG_SPANISH}
            StrCpy $LANGUAGE $1
        ${EndIf}
    ${EndIf}
FunctionEnd

!macro RemoveProgramFile NAME
    Delete "$INSTDIR\${NAME}"
!macroend
!macro RemoveSkinFile NAME
    Delete "$INSTDIR\Config files\${NAME}"
!macroend

; Removes exactly what the installer placed, file by file: a folder that the player shares with
; other files keeps them, and the folder stays as long as anything is left in it.
Section "Uninstall"
    !insertmacro ForEachProgramFile RemoveProgramFile
    !insertmacro ForEachSkinFile RemoveSkinFile
    RMDir "$INSTDIR\Config files"

    ; The player's settings stay for a later installation unless the player says otherwise; a
    ; silent removal always keeps them.
    ${If} ${FileExists} "$INSTDIR\tavrin.dat"
        MessageBox MB_YESNO|MB_ICONQUESTION "$(KeepSettings)" /SD IDYES IDYES keep
        Delete "$INSTDIR\tavrin.dat"
        keep:
    ${EndIf}

    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
    ; The publisher's folder that the default folder adds goes too when nothing else is in it.
    ${GetParent} "$INSTDIR" $0
    ${GetFileName} "$0" $1
    ${If} $1 == "${PUBLISHER}"
        RMDir "$0"
    ${EndIf}

    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    DeleteRegKey HKLM "${GAME_KEY}"
    DeleteRegKey /ifempty HKLM "Software\${PUBLISHER}\${PRODUCT}"
    DeleteRegKey /ifempty HKLM "Software\${PUBLISHER}"
SectionEnd
