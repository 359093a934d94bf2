; The installer of the Windows programs, made by makensis from the staged programs
; (res/windows/CMakeLists.txt gives it every define):
;   makensis -DVERSION=1.0.0 -DSTAGE=DIR -DICON=FILE -DPUBLISHER=TEXT -DHOMEPAGE=URL
;            -DOUTFILE=FILE oxiview.nsi
; It installs for the user who runs it, without administrator rights. The program keeps its
; store below the folder it starts in, so every shortcut starts it in the user's Documents:
; a folder below Program Files would not be writable, and one below the program's own
; would be lost with an uninstall. The converter's driver is the chip maker's to install.
Unicode true
; The 64-bit stub: the programs are 64-bit, and the 32-bit one needs a 32-bit subsystem.
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh

!define PRODUCT "OxiView"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define STORE "$DOCUMENTS\Application Data\StO2"
!define SHORTCUT "${PRODUCT}.lnk"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; An upgrade goes where the earlier version went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!define MUI_WELCOMEPAGE_TEXT "$(WelcomeText)"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "$(FinishText)"
!define MUI_FINISHPAGE_TEXT_LARGE
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartInDocuments
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!define MUI_UNCONFIRMPAGE_TEXT_TOP "$(UninstallText)"
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "$(UninstalledText)"
!insertmacro MUI_UNPAGE_FINISH

; The first language is the one for a Windows in any language but these two.
!insertmacro MUI_LANGUAGE "Japanese"
!insertmacro MUI_LANGUAGE "English"

LangString WelcomeText ${LANG_JAPANESE} "${PRODUCT} ${VERSION} をこのコンピューターのあなたのユーザーにインストールします。管理者の権限は要りません。$\r$\n$\r$\n測定データは「ドキュメント」の「Application Data\StO2」に保存されます:$\r$\n${STORE}$\r$\n$\r$\nモニターの USB 変換器には、変換器のチップメーカーの D2XX ドライバー パッケージ (FTD2XX.DLL を含むもの) が必要です。このインストーラーには含まれていません。先にメーカーのサイトからインストールしてください。"
LangString WelcomeText ${LANG_ENGLISH} "Setup will install ${PRODUCT} ${VERSION} for your user on this computer. No administrator rights are needed.$\r$\n$\r$\nThe measurements are kept in $\"Application Data\StO2$\" of your Documents:$\r$\n${STORE}$\r$\n$\r$\nThe monitor's USB converter needs the D2XX driver package of the converter's chip maker (the one that provides FTD2XX.DLL). It is not part of this setup: install it from the maker's site first."
LangString FinishText ${LANG_JAPANESE} "${PRODUCT} をインストールしました。スタート メニューの「${PRODUCT}」から起動します。$\r$\n$\r$\nショートカットは「ドキュメント」で起動するので、測定データはここに保存されます:$\r$\n${STORE}"
LangString FinishText ${LANG_ENGLISH} "${PRODUCT} has been installed. Start it from $\"${PRODUCT}$\" in the Start menu.$\r$\n$\r$\nIts shortcuts start it in your Documents, so the measurements are kept in:$\r$\n${STORE}"
LangString UninstallText ${LANG_JAPANESE} "${PRODUCT} をこのコンピューターから削除します。測定データは削除されず、次のフォルダーに残ります:$\r$\n${STORE}"
LangString UninstallText ${LANG_ENGLISH} "${PRODUCT} will be removed from this computer. The measurements are not removed; they stay in:$\r$\n${STORE}"
LangString UninstalledText ${LANG_JAPANESE} "${PRODUCT} を削除しました。測定データは次のフォルダーに残っています:$\r$\n${STORE}"
LangString UninstalledText ${LANG_ENGLISH} "${PRODUCT} has been removed. The measurements are still in:$\r$\n${STORE}"
LangString StoreKept ${LANG_JAPANESE} "測定データは残しました: ${STORE}"
LangString StoreKept ${LANG_ENGLISH} "The measurements stay in ${STORE}"
LangString ProgramRunning ${LANG_JAPANESE} "${PRODUCT} が起動しています。終了してから「再試行」を押してください。"
LangString ProgramRunning ${LANG_ENGLISH} "${PRODUCT} is running. Close it, then press Retry."
LangString SectionProgram ${LANG_JAPANESE} "${PRODUCT} (スタート メニューのショートカット付き)"
LangString SectionProgram ${LANG_ENGLISH} "${PRODUCT} (with its Start menu shortcut)"
LangString SectionDesktop ${LANG_JAPANESE} "デスクトップのショートカット"
LangString SectionDesktop ${LANG_ENGLISH} "Desktop shortcut"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "LegalCopyright" "${PUBLISHER}"

; /LANG=1041 (Japanese) or /LANG=1033 (English) chooses the language whatever the
; language of Windows.
!macro ChosenLanguage
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/LANG=" $R1
  IfErrors +2
  StrCpy $LANGUAGE $R1
!macroend

Function .onInit
  !insertmacro ChosenLanguage
FunctionEnd

Function un.onInit
  !insertmacro ChosenLanguage
FunctionEnd

; A shortcut's working folder is the output folder when it is made.
!macro Shortcut LINK
  SetOutPath "$DOCUMENTS"
  CreateShortCut "${LINK}" "$INSTDIR\oxiview.exe" "" "$INSTDIR\oxiview.exe" 0
!macroend

; A program that runs keeps its file: its user ends it, rather than an upgrade leaving the
; older program in place under a newer version's entry.
!macro RemoveUnlessRunning FILE
  ${If} ${FileExists} "${FILE}"
    ClearErrors
    Delete "${FILE}"
    ${If} ${Errors}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(ProgramRunning)" /SD IDCANCEL IDRETRY retry
      Abort
    ${EndIf}
  ${EndIf}
!macroend

Section "!$(SectionProgram)" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  ; Over an earlier version every file is replaced; the store is not here.
retry:
  !insertmacro RemoveUnlessRunning "$INSTDIR\oxiview.exe"
  !insertmacro RemoveUnlessRunning "$INSTDIR\oxitool.exe"
  File "${STAGE}/oxiview.exe"
  File "${STAGE}/oxitool.exe"
  File "${STAGE}/README.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  !insertmacro Shortcut "$SMPROGRAMS\${SHORTCUT}"
  Call WriteUninstallEntry
SectionEnd

Section /o "$(SectionDesktop)" SecDesktop
  !insertmacro Shortcut "$DESKTOP\${SHORTCUT}"
SectionEnd

; The entry of "Apps and features".
Function WriteUninstallEntry
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\oxiview.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${HOMEPAGE}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" "$\"$INSTDIR\uninstall.exe$\""
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" "$\"$INSTDIR\uninstall.exe$\" /S"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
FunctionEnd

Function StartInDocuments
  SetOutPath "$DOCUMENTS"
  Exec "$\"$INSTDIR\oxiview.exe$\""
FunctionEnd

; Only the program's own files go: the folder may have been chosen to hold others, and the
; store lies elsewhere.
Section "Uninstall"
retry:
  !insertmacro RemoveUnlessRunning "$INSTDIR\oxiview.exe"
  !insertmacro RemoveUnlessRunning "$INSTDIR\oxitool.exe"
  Delete "$SMPROGRAMS\${SHORTCUT}"
  Delete "$DESKTOP\${SHORTCUT}"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DetailPrint "$(StoreKept)"
SectionEnd
