; The Windows installer: both editions and menubook for the current user,
; no administrator rights needed. scripts/windows package runs makensis with
;   -DVERSION=x.y.z -DICON=<.ico> -DFILES=<files.nsh> -DOUTFILE=<setup.exe>
; files.nsh lists the folder's files (FileList and DeleteList macros), so the
; uninstaller removes exactly what was installed.
; 64-bit, as the programs are (a 32-bit installer would also need Wine's
; 32-bit half to be tested here).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define PRODUCT "Morvex Menu Editor"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\MorvexMenuEditor"
!define CLASSES "Software\Classes"
; Held by every running editor (src/app/main.cpp).
!define EDITOR_MUTEX "MorvexMenuEditorRunning"
!include "${FILES}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
Icon "${ICON}"
UninstallIcon "${ICON}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "Morvex"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "© 2026 Morvex"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; "Open with" for books, without taking .hex from the firmware tools that
; own it: one ProgID per edition in .hex's OpenWithProgids, and the programs
; under Applications with .hex as a supported type.
!macro OpenWith program edition
    WriteRegStr HKCU "${CLASSES}\Morvex.MenuBook.${edition}" "" "Morvex menu book"
    WriteRegStr HKCU "${CLASSES}\Morvex.MenuBook.${edition}\DefaultIcon" "" "$INSTDIR\${program},0"
    WriteRegStr HKCU "${CLASSES}\Morvex.MenuBook.${edition}\shell\open" "FriendlyAppName" "${PRODUCT} (${edition})"
    WriteRegStr HKCU "${CLASSES}\Morvex.MenuBook.${edition}\shell\open\command" "" '"$INSTDIR\${program}" "%1"'
    WriteRegStr HKCU "${CLASSES}\.hex\OpenWithProgids" "Morvex.MenuBook.${edition}" ""
    WriteRegStr HKCU "${CLASSES}\Applications\${program}\shell\open\command" "" '"$INSTDIR\${program}" "%1"'
    WriteRegStr HKCU "${CLASSES}\Applications\${program}\SupportedTypes" ".hex" ""
!macroend

!macro NoOpenWith program edition
    DeleteRegKey HKCU "${CLASSES}\Morvex.MenuBook.${edition}"
    DeleteRegValue HKCU "${CLASSES}\.hex\OpenWithProgids" "Morvex.MenuBook.${edition}"
    DeleteRegKey /ifempty HKCU "${CLASSES}\.hex\OpenWithProgids"
    DeleteRegKey /ifempty HKCU "${CLASSES}\.hex"
    DeleteRegKey HKCU "${CLASSES}\Applications\${program}"
!macroend

; Windows keeps a running program's files: replacing or removing them under
; a running editor would leave half an installation. So nothing is touched
; while an editor runs: an interactive run asks for it to be closed, a silent
; one fails with exit status 3 and changes nothing. (The uninstaller started
; without _?= hands over to a copy of itself and exits 0 at once: a script
; that needs its status starts it with _?=<folder>.)
!macro EditorsClosed un
Function ${un}EditorsClosed
    retry:
    ; SYNCHRONIZE: the least right that opens the mutex.
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${EDITOR_MUTEX}") p .r0'
    StrCmp $0 0 closed
    System::Call 'kernel32::CloseHandle(p r0)'
    IfSilent 0 ask
    SetErrorLevel 3
    Quit
    ask:
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "${PRODUCT} is running. Close every editor window, then choose Retry." IDRETRY retry
    SetErrorLevel 3
    Quit
    closed:
FunctionEnd
!macroend
!insertmacro EditorsClosed ""
!insertmacro EditorsClosed "un."

Section "Install"
    Call EditorsClosed
    SetOutPath "$INSTDIR"
    !insertmacro FileList
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The editors keep their working copy menufile.hex in the folder they
    ; start in: a folder of the user's own, as the Linux launcher does.
    CreateDirectory "$DOCUMENTS\Morvex Menus"
    CreateDirectory "$SMPROGRAMS\${PRODUCT}"
    SetOutPath "$DOCUMENTS\Morvex Menus"
    CreateShortCut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\menu_editor_en.exe" "" "$INSTDIR\menu_editor_en.exe" 0
    CreateShortCut "$SMPROGRAMS\${PRODUCT}\${PRODUCT} (中文).lnk" "$INSTDIR\menu_editor_zh.exe" "" "$INSTDIR\menu_editor_zh.exe" 0
    SetOutPath "$INSTDIR"

    !insertmacro OpenWith menu_editor_en.exe en
    !insertmacro OpenWith menu_editor_zh.exe zh

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Morvex"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\menu_editor_en.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ; Tell Explorer that file associations changed (SHCNE_ASSOCCHANGED).
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
    Call un.EditorsClosed
    !insertmacro DeleteList
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
    Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT} (中文).lnk"
    RMDir "$SMPROGRAMS\${PRODUCT}"
    ; The user's books stay; the folder goes only when empty.
    RMDir "$DOCUMENTS\Morvex Menus"
    !insertmacro NoOpenWith menu_editor_en.exe en
    !insertmacro NoOpenWith menu_editor_zh.exe zh
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
