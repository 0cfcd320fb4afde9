; The ZAVOConfig installer: a per-user installation that needs no administrator
; rights. Built by the "dist" target of installer/CMakeLists.txt:
;   makensis -DVERSION=1.2.3 -DSTAGE=<folder with the program files> -DICON=<zavo.ico>
;            -DSIDE_BITMAP=<setup_side.bmp> -DHEADER_BITMAP=<setup_header.bmp>
;            -DSIZE_KB=<size of the files> -DUNINSTALL_LIST=<Delete and RMDir lines of the files>
;            -DOUTFILE=<setup.exe> ZAVOConfig.nsi
;
; Installs into the user's own program folder (%LOCALAPPDATA%\Programs\ZAVOConfig),
; adds a Start-menu shortcut and an entry in the installed-programs list (under
; HKCU), and offers to start the tool at the end. The uninstaller removes the
; program files, the shortcut and the entry; the settings and macros in
; %APPDATA%\Brimvale\ZAVO stay unless the user ticks that they should go too.
; /S installs and uninstalls silently (the settings then always stay).
;
; A running ZAVOConfig holds its files: both ask the user to close it first
; (silently, they close it through its exit request). A file the uninstaller
; still cannot remove is named to the user (silently: exit code 2), and the
; uninstaller and its entry stay, so it can be run again.

!ifndef VERSION
  !error "VERSION is not defined (makensis -DVERSION=x.y.z)"
!endif
!ifndef STAGE
  !error "STAGE is not defined (makensis -DSTAGE=folder)"
!endif
!ifndef ICON
  !error "ICON is not defined (makensis -DICON=zavo.ico)"
!endif
!ifndef SIDE_BITMAP
  !error "SIDE_BITMAP is not defined (makensis -DSIDE_BITMAP=setup_side.bmp)"
!endif
!ifndef HEADER_BITMAP
  !error "HEADER_BITMAP is not defined (makensis -DHEADER_BITMAP=setup_header.bmp)"
!endif
!ifndef UNINSTALL_LIST
  !error "UNINSTALL_LIST is not defined (makensis -DUNINSTALL_LIST=uninstall-files.nsh)"
!endif
!ifndef SIZE_KB
  !define SIZE_KB 0
!endif
!ifndef OUTFILE
  !define OUTFILE "ZAVOConfig-${VERSION}-setup.exe"
!endif

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware false

!define PRODUCT "ZAVOConfig"
!define PUBLISHER "Brimvale"
!define EXE "ZAVOConfig.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define DATA_FOLDER "$APPDATA\Brimvale\ZAVO"
; How the tool is found and asked to end: its main window's title and the
; device service's exit request (WM_SERVICE_COMMAND, SVC_REQUEST_EXIT), which
; it takes only when posted.
!define MAIN_WINDOW "VARNOS"
!define WM_SERVICE_COMMAND 2026
!define SVC_REQUEST_EXIT 170
; The profile switcher: its window class, its quit command, its Run entry.
!define SWITCHER_EXE "ZAVOSwitch.exe"
!define SWITCHER_CLASS "ZAVOSwitch"
!define SWITCHER_QUIT 3
!define SWITCHER_WM_COMMAND 273
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "ZAVOSwitch"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
; The language picked at installation is the uninstaller's too.
!define MUI_LANGDLL_REGISTRY_ROOT HKCU
!define MUI_LANGDLL_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MUI_LANGDLL_REGISTRY_VALUENAME "InstallerLanguage"

!define MUI_WELCOMEFINISHPAGE_BITMAP "${SIDE_BITMAP}"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${SIDE_BITMAP}"
!define MUI_HEADERIMAGE
!define MUI_HEADERIMAGE_RIGHT
!define MUI_HEADERIMAGE_BITMAP "${HEADER_BITMAP}"
!define MUI_HEADERIMAGE_UNBITMAP "${HEADER_BITMAP}"
!define MUI_WELCOMEPAGE_TEXT "$(WelcomeText)"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!define MUI_FINISHPAGE_RUN_TEXT "$(RunTool)"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "Japanese"

; NSIS's buttons are 50 dialog units wide: the Japanese labels with their access
; keys ("インストール(&I)", "アンインストール(&U)") are cut, so shorter ones.
LangString InstallButton ${LANG_ENGLISH} "&Install"
LangString InstallButton ${LANG_GERMAN} "&Installieren"
LangString InstallButton ${LANG_JAPANESE} "インストール"
LangString UninstallButton ${LANG_ENGLISH} "&Uninstall"
LangString UninstallButton ${LANG_GERMAN} "&Deinstallieren"
LangString UninstallButton ${LANG_JAPANESE} "削除"
InstallButtonText "$(InstallButton)"
UninstallButtonText "$(UninstallButton)"

LangString RunTool ${LANG_ENGLISH} "Start ZAVOConfig now"
LangString RunTool ${LANG_GERMAN} "ZAVOConfig jetzt starten"
LangString RunTool ${LANG_JAPANESE} "ZAVOConfig を今すぐ起動する"
LangString WelcomeText ${LANG_ENGLISH} "This installs ZAVOConfig ${VERSION}, the configuration tool of your keyboard, for your user account. It needs no administrator rights.$\r$\n$\r$\nYour settings and macros from an earlier version are kept.$\r$\n$\r$\nClick Next to continue."
LangString WelcomeText ${LANG_GERMAN} "Hiermit wird ZAVOConfig ${VERSION}, das Konfigurationsprogramm Ihrer Tastatur, für Ihr Benutzerkonto installiert. Administratorrechte sind nicht nötig.$\r$\n$\r$\nIhre Einstellungen und Makros aus einer früheren Version bleiben erhalten.$\r$\n$\r$\nKlicken Sie auf Weiter, um fortzufahren."
LangString WelcomeText ${LANG_JAPANESE} "キーボードの設定ツール ZAVOConfig ${VERSION} を、お使いのユーザー アカウントにインストールします。管理者権限は不要です。$\r$\n$\r$\n以前のバージョンの設定とマクロはそのまま引き継がれます。$\r$\n$\r$\n続けるには [次へ] をクリックしてください。"
LangString GuideLink ${LANG_ENGLISH} "ZAVOConfig user guide"
LangString GuideLink ${LANG_GERMAN} "ZAVOConfig Benutzerhandbuch"
LangString GuideLink ${LANG_JAPANESE} "ZAVOConfig ユーザーガイド"
LangString GuideFile ${LANG_ENGLISH} "UserInterfaceSetupGuide_en.html"
LangString GuideFile ${LANG_GERMAN} "UserInterfaceSetupGuide_ge.html"
LangString GuideFile ${LANG_JAPANESE} "UserInterfaceSetupGuide_jp.html"
LangString UnProgram ${LANG_ENGLISH} "Program files and shortcuts"
LangString UnProgram ${LANG_GERMAN} "Programmdateien und Verknüpfungen"
LangString UnProgram ${LANG_JAPANESE} "プログラム ファイルとショートカット"
LangString UnData ${LANG_ENGLISH} "Also remove my settings and macros"
LangString UnData ${LANG_GERMAN} "Auch meine Einstellungen und Makros entfernen"
LangString UnData ${LANG_JAPANESE} "設定とマクロも削除する"
LangString ToolRunning ${LANG_ENGLISH} "ZAVOConfig is running. Close it first (apply or drop your changes there), then click Retry.$\r$\n$\r$\nCancel stops here and changes nothing."
LangString ToolRunning ${LANG_GERMAN} "ZAVOConfig läuft gerade. Schließen Sie es zuerst (übernehmen oder verwerfen Sie dort Ihre Änderungen) und klicken Sie dann auf Wiederholen.$\r$\n$\r$\nAbbrechen hält hier an und ändert nichts."
LangString ToolRunning ${LANG_JAPANESE} "ZAVOConfig が実行中です。先に ZAVOConfig を閉じてから (変更を適用するか破棄してください) [再試行] をクリックしてください。$\r$\n$\r$\n[キャンセル] を選ぶとここで中止し、何も変更しません。"
LangString FilesLeft ${LANG_ENGLISH} "These files could not be removed (another program may be using them). Close that program and run the uninstaller again:"
LangString FilesLeft ${LANG_GERMAN} "Diese Dateien konnten nicht entfernt werden (vielleicht verwendet sie ein anderes Programm). Schließen Sie dieses Programm und starten Sie die Deinstallation erneut:"
LangString FilesLeft ${LANG_JAPANESE} "次のファイルを削除できませんでした (別のプログラムが使用している可能性があります)。そのプログラムを閉じてから、もう一度アンインストールしてください:"

; The files the uninstaller could not remove, one a line.
Var LeftBehind

; Waits until no ZAVOConfig runs: asks the user to close it (Retry / Cancel);
; silently, posts it the exit request and waits up to ten seconds. Cancel, or a
; tool that does not end, stops the installer or uninstaller with exit code 2
; before anything was changed.
!macro CLOSE_RUNNING_TOOL un
Function ${un}CloseRunningTool
  Push $0
  Push $1
  StrCpy $1 0
  ${Do}
    FindWindow $0 "" "${MAIN_WINDOW}"
    ${If} $0 = 0
      ${Break}
    ${EndIf}
    ${If} ${Silent}
      ${If} $1 = 0
        System::Call 'user32::PostMessageW(p $0, i ${WM_SERVICE_COMMAND}, p ${SVC_REQUEST_EXIT}, p 0)'
      ${ElseIf} $1 >= 50
        SetErrorLevel 2
        Quit
      ${EndIf}
      IntOp $1 $1 + 1
      Sleep 200
    ${Else}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(ToolRunning)" /SD IDCANCEL IDRETRY +3
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${Loop}
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_TOOL ""
!insertmacro CLOSE_RUNNING_TOOL "un."

; Ends a running profile switcher (it keeps nothing unsaved) and waits up to
; five seconds for it to go, so its file can be replaced or removed.
!macro END_SWITCHER un
Function ${un}EndSwitcher
  Push $0
  Push $1
  StrCpy $1 0
  ${Do}
    FindWindow $0 "${SWITCHER_CLASS}" ""
    ${If} $0 = 0
    ${OrIf} $1 >= 25
      ${Break}
    ${EndIf}
    ${If} $1 = 0
      System::Call 'user32::PostMessageW(p $0, i ${WM_COMMAND}, p ${SWITCHER_QUIT}, p 0)'
    ${EndIf}
    IntOp $1 $1 + 1
    Sleep 200
  ${Loop}
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro END_SWITCHER ""
!insertmacro END_SWITCHER "un."

; Deletes one installed file and notes it when it is still there.
!macro REMOVE_INSTALLED path
  Delete "${path}"
  IfFileExists "${path}" 0 +2
  StrCpy $LeftBehind "$LeftBehind$\r$\n${path}"
!macroend

Function .onInit
  !insertmacro MUI_LANGDLL_DISPLAY
  Call CloseRunningTool
FunctionEnd

Function un.onInit
  !insertmacro MUI_UNGETLANGUAGE
  Call un.CloseRunningTool
FunctionEnd

Section "-Program"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  Call EndSwitcher
  File "${STAGE}\${EXE}"
  File "${STAGE}\${SWITCHER_EXE}"
  File "${STAGE}\KBHook.dll"
  SetOutPath "$INSTDIR\lan"
  File /r "${STAGE}\lan\*.*"
  SetOutPath "$INSTDIR\Skins"
  File /r "${STAGE}\Skins\*.*"
  SetOutPath "$INSTDIR\Help"
  File /r "${STAGE}\Help\*.*"
  SetOutPath "$INSTDIR"

  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0
  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\$(GuideLink).lnk" "$INSTDIR\Help\$(GuideFile)"

  ; Also when installed silently: the uninstaller then speaks this language
  ; without asking.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallerLanguage" "$LANGUAGE"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}

  ; An update of a switcher that starts with Windows: the new one runs again now.
  ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${If} $0 != ""
    WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\${SWITCHER_EXE}"'
    Exec '"$INSTDIR\${SWITCHER_EXE}"'
  ${EndIf}
SectionEnd

Section "un.$(UnProgram)" UnSecProgram
  SectionIn RO
  SetShellVarContext current
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\*.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  ; The switcher goes with the program: ended, and no longer started at login.
  Call un.EndSwitcher
  DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"

  ; Only what the installer put there: files the user added (a skin of their
  ; own, say) and the folders that hold them stay.
  StrCpy $LeftBehind ""
  !include "${UNINSTALL_LIST}"
  ${If} $LeftBehind != ""
    ; Never "done" with files left: they are named, and the uninstaller and its
    ; entry stay so that it can be run again once they are free.
    MessageBox MB_OK|MB_ICONEXCLAMATION "$(FilesLeft)$LeftBehind" /SD IDOK
    SetErrorLevel 2
  ${Else}
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${EndIf}
SectionEnd

; Unticked unless the user ticks it; a silent uninstall keeps the settings.
Section /o "un.$(UnData)" UnSecData
  SetShellVarContext current
  RMDir /r "${DATA_FOLDER}"
  RMDir "$APPDATA\Brimvale"
SectionEnd
