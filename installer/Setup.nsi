; One setup program for both webcam programs: Orvello with its Alarm sounds, PelCamera with its
; Effects and Language folders, Start-menu shortcuts and an uninstaller.
; makensis [-DX64] -DDIST=<staged programs> -DFILES=<generated lists> -DOUTFILE=<setup.exe> Setup.nsi
; With X64 the setup program is itself 64-bit and installs the x64 programs.
;
; The programs write beside themselves (counters, recordings, stills, settings), so by default they
; go where the user may write: %LOCALAPPDATA%\Programs\Orvello and PelCamera, with the shortcuts and
; the uninstall entry of the current user and no elevation. "setup /ALLUSERS", started as an
; administrator, installs for every user into Program Files instead. /D=<folder> picks the folder.
!ifdef X64
  Target amd64-unicode
!else
  Unicode true
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define PRODUCT "Orvello and PelCamera"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\OrvelloPelCamera"
!define MENU_FOLDER "$SMPROGRAMS\${PRODUCT}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; No InstallDir: .onInit chooses the folder for the kind of install unless /D= named one.
ShowInstDetails show
ShowUninstDetails show

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/ALLUSERS" $R1
  ${IfNot} ${Errors}
    UserInfo::GetAccountType
    Pop $R2
    ${If} $R2 != "Admin"
      MessageBox MB_OK|MB_ICONSTOP "An install for all users needs administrator rights: start setup as an administrator." /SD IDOK
      SetErrorLevel 740
      Quit
    ${EndIf}
    SetShellVarContext all
    ${If} $INSTDIR == ""
!ifdef X64
      StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
!else
      StrCpy $INSTDIR "$PROGRAMFILES\${PRODUCT}"
!endif
    ${EndIf}
  ${Else}
    SetShellVarContext current
    ${If} $INSTDIR == ""
      StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
    ${EndIf}
  ${EndIf}
FunctionEnd

; SHCTX below is HKLM for an install for all users, HKCU otherwise (it follows SetShellVarContext).
Section "Programs"
  !include "${FILES}/install.nsh"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\Orvello.lnk" "$INSTDIR\Orvello\Orvello.exe" "" "" 0 SW_SHOWNORMAL "" "Webcam monitor"
  CreateShortcut "${MENU_FOLDER}\PelCamera.lnk" "$INSTDIR\PelCamera\PelCamera.exe" "" "" 0 SW_SHOWNORMAL "" "Webcam viewer"
  CreateShortcut "${MENU_FOLDER}\Uninstall.lnk" "$INSTDIR\Uninstall.exe"

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The uninstaller belongs to an install for all users when the machine's uninstall entry names its
; folder; otherwise it removes the current user's install.
Function un.onInit
  SetShellVarContext current
  ReadRegStr $R0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $R0 != ""
  ${AndIf} $R0 == $INSTDIR
    SetShellVarContext all
  ${EndIf}
FunctionEnd

; Removes exactly what was installed: the settings, counters, photos and recordings the programs
; wrote stay, and so do the folders that still hold them.
Section "Uninstall"
  !include "${FILES}/uninstall.nsh"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  Delete "${MENU_FOLDER}\Orvello.lnk"
  Delete "${MENU_FOLDER}\PelCamera.lnk"
  Delete "${MENU_FOLDER}\Uninstall.lnk"
  RMDir "${MENU_FOLDER}"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
