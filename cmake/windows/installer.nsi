; The Windows installer of the x86 build, compiled by cmake/BuildInstaller.cmake
; (target windows-installer). It puts the zip's folder, laid out as it is, into
; Program Files for every user of the machine, adds a Start-menu shortcut and an
; uninstaller that "Apps & features" lists. The application finds its folders
; from Korvel.exe's path and writes nothing there: what a user sets lives in
; that user's AppData and Documents, which the uninstaller never touches.
;
; The build defines VERSION (major.minor.patch), ICON, OUTFILE, and
; INSTALL_FILES and UNINSTALL_FILES: the staged tree's files, as the commands
; that install them and the commands that remove exactly those again.

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include WinVer.nsh
!include FileFunc.nsh

!define PRODUCT "Quellan PDF Merger"
!define PUBLISHER "Quellan Studio"
!define HOMEPAGE "https://www.quellan-studio.com"
!define PROGRAM "bin\Korvel.exe"
!define UNINSTALLER "Uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QuellanPdfMerger"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; A 32-bit installer: on 64-bit Windows this is "Program Files (x86)", where
; an x86 application belongs.
InstallDir "$PROGRAMFILES\${PRODUCT}"
; Installing again goes where the first installation went.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_UNPAGE_FINISH

; The application's languages; the installer takes the one of Windows' user
; interface, English otherwise.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "Japanese"

LangString NeedsWindows10 ${LANG_ENGLISH} "${PRODUCT} needs Windows 10 or later."
LangString NeedsWindows10 ${LANG_GERMAN} "${PRODUCT} benötigt Windows 10 oder neuer."
LangString NeedsWindows10 ${LANG_FRENCH} "${PRODUCT} nécessite Windows 10 ou une version plus récente."
LangString NeedsWindows10 ${LANG_JAPANESE} "${PRODUCT} には Windows 10 以降が必要です。"
LangString NeedsAdministrator ${LANG_ENGLISH} "Installing or removing ${PRODUCT} needs an administrator's rights."
LangString NeedsAdministrator ${LANG_GERMAN} "Zum Installieren oder Entfernen von ${PRODUCT} sind Administratorrechte nötig."
LangString NeedsAdministrator ${LANG_FRENCH} "L'installation ou la suppression de ${PRODUCT} nécessite les droits d'administrateur."
LangString NeedsAdministrator ${LANG_JAPANESE} "${PRODUCT} のインストールまたは削除には管理者権限が必要です。"
LangString ShortcutComment ${LANG_ENGLISH} "Join several PDF files into one"
LangString ShortcutComment ${LANG_GERMAN} "Mehrere PDF-Dateien zu einer zusammenfügen"
LangString ShortcutComment ${LANG_FRENCH} "Assembler plusieurs fichiers PDF en un seul"
LangString ShortcutComment ${LANG_JAPANESE} "複数の PDF ファイルを 1 つにまとめます"

VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "${PUBLISHER}"

; Both halves refuse, with the reason, what they cannot do well: Qt 6 needs
; Windows 10, and a per-machine installation needs an administrator. A silent
; run ends with Windows' "elevation required" code instead of a box.
!macro RefuseWhatCannotWork
  ${IfNot} ${AtLeastWin10}
    MessageBox MB_ICONSTOP|MB_OK "$(NeedsWindows10)" /SD IDOK
    SetErrorLevel 1150 ; ERROR_OLD_WIN_VERSION
    Quit
  ${EndIf}
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "admin"
    MessageBox MB_ICONSTOP|MB_OK "$(NeedsAdministrator)" /SD IDOK
    SetErrorLevel 740 ; ERROR_ELEVATION_REQUIRED
    Quit
  ${EndIf}
  ; The shortcut goes to every user's Start menu.
  SetShellVarContext all
!macroend

Function .onInit
  !insertmacro RefuseWhatCannotWork
FunctionEnd

Function un.onInit
  !insertmacro RefuseWhatCannotWork
FunctionEnd

; An earlier installation is removed by its own uninstaller first, in place,
; so files that this version no longer has do not stay behind unlisted.
Function RemoveEarlierInstallation
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == ""
  ${OrIfNot} ${FileExists} "$0\${UNINSTALLER}"
    Return
  ${EndIf}
  DetailPrint "$0\${UNINSTALLER} /S"
  ExecWait '"$0\${UNINSTALLER}" /S _?=$0'
  Delete "$0\${UNINSTALLER}"
  RMDir "$0"
FunctionEnd

; What "Apps & features" shows and runs.
Function RegisterUninstaller
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "${HOMEPAGE}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM},0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
FunctionEnd

Section "${PRODUCT}"
  SectionIn RO
  Call RemoveEarlierInstallation
  !include "${INSTALL_FILES}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  ; The shortcut starts the application in its own folder.
  SetOutPath "$INSTDIR\bin"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\${PROGRAM}" "" "$INSTDIR\${PROGRAM}" 0 SW_SHOWNORMAL "" "$(ShortcutComment)"
  Call RegisterUninstaller
SectionEnd

; Removes exactly the files the installer put there and the folders that are
; then empty: whatever else lies in the folder (a user's own file, a chosen
; folder that held other things) stays. A file in use goes at the next restart.
Section "Uninstall"
  !include "${UNINSTALL_FILES}"
  ; Never at the next restart: run in place by a newer installer, the
  ; uninstaller cannot remove itself, that installer does, and a removal
  ; pending until the restart would take the new installation's uninstaller.
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir /REBOOTOK "$INSTDIR"
  Delete "${SHORTCUT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
