; One setup program for both webcam programs: Orvello with its Alarm sounds, PelCamera with its
; Effects and Language folders, Start-menu shortcuts and an uninstaller.
; makensis [-DX64] -DDIST=<staged programs> -DFILES=<generated lists> -DOUTFILE=<setup.exe> Setup.nsi
; With X64 the setup program is itself 64-bit and installs the x64 programs.
!ifdef X64
  Target amd64-unicode
!else
  Unicode true
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!define PRODUCT "Orvello and PelCamera"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\OrvelloPelCamera"
!define MENU_FOLDER "$SMPROGRAMS\${PRODUCT}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
!ifdef X64
  InstallDir "$PROGRAMFILES64\${PRODUCT}"
!else
  InstallDir "$PROGRAMFILES\${PRODUCT}"
!endif
ShowInstDetails show
ShowUninstDetails show

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Programs"
  SetShellVarContext all
  !include "${FILES}/install.nsh"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\Orvello.lnk" "$INSTDIR\Orvello\Orvello.exe" "" "" 0 SW_SHOWNORMAL "" "Webcam monitor"
  CreateShortcut "${MENU_FOLDER}\PelCamera.lnk" "$INSTDIR\PelCamera\PelCamera.exe" "" "" 0 SW_SHOWNORMAL "" "Webcam viewer"
  CreateShortcut "${MENU_FOLDER}\Uninstall.lnk" "$INSTDIR\Uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes exactly what was installed: the settings, counters, photos and recordings the programs
; wrote stay, and so do the folders that still hold them.
Section "Uninstall"
  SetShellVarContext all
  !include "${FILES}/uninstall.nsh"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  Delete "${MENU_FOLDER}\Orvello.lnk"
  Delete "${MENU_FOLDER}\PelCamera.lnk"
  Delete "${MENU_FOLDER}\Uninstall.lnk"
  RMDir "${MENU_FOLDER}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
