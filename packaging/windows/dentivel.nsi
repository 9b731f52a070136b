; The Dentivel installer: the program's folder into Program Files, a
; Start-menu entry, an entry in Windows' list of installed programs, and an
; uninstaller that removes exactly the files it installed.
; makensis -DVERSION= -DFOLDER= -DFILES=<uninstall list> -DICON= -DLICENSE= -DOUTFILE= dentivel.nsi
Unicode true
; 64-bit throughout: the program is, and Wine's 64-bit prefixes run no 32-bit stub.
Target amd64-unicode
SetCompressor /SOLID lzma

!include "MUI2.nsh"

!define KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Dentivel"

Name "Dentivel"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Dentivel"
InstallDirRegKey HKLM "${KEY}" "InstallLocation"
RequestExecutionLevel admin
BrandingText "Dentivel ${VERSION}"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1036 "ProductName" "Dentivel"
VIAddVersionKey /LANG=1036 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1036 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1036 "FileDescription" "Installation de Dentivel"
VIAddVersionKey /LANG=1036 "LegalCopyright" "Logiciel libre sous licence GNU GPL, version 3 ou ultérieure"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "French"

Section
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File /r "${FOLDER}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Dentivel.lnk" "$INSTDIR\dentivel.exe" "" "$INSTDIR\dentivel.exe" 0
  WriteRegStr HKLM "${KEY}" "DisplayName" "Dentivel"
  WriteRegStr HKLM "${KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${KEY}" "DisplayIcon" "$INSTDIR\dentivel.exe,0"
  WriteRegStr HKLM "${KEY}" "Publisher" "L'équipe Dentivel"
  WriteRegStr HKLM "${KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  !include "${FILES}"
  Delete "$INSTDIR\uninstall.exe"
  ; Left in place if the user put anything else there.
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Dentivel.lnk"
  DeleteRegKey HKLM "${KEY}"
SectionEnd
