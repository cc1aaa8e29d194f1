; Outside Program Files an install folder inherits what its parent allows:
; under C:\ every user may add and change files there, while Corvane.dll is
; loaded into every user's programs and Uninstall.exe is run by an
; administrator.  There Setup lets only administrators and the system write
; the folder, and users read and run its programs, with the system's own
; tool.  It does so only to a folder that is new or holds nothing but
; Corvane's files, so that nobody else's files change hands (a folder such
; as the user's Desktop is refused), and a history folder inside keeps the
; access it has.

!define ADMINISTRATORS_SID "*S-1-5-32-544"
!define SYSTEM_SID "*S-1-5-18"
!define USERS_SID "*S-1-5-32-545"
!define HISTORY_FOLDER "Corvane History"
; Exit codes of a silent run that stops with nothing installed: the folder
; holds other files (ERROR_DIR_NOT_EMPTY), its permissions could not be set
; (ERROR_ACCESS_DENIED).
!define EXIT_FOLDER_NOT_OURS 145
!define EXIT_FOLDER_NOT_PROTECTED 5

!macro IS_OUR_FILE NAME
  ${If} $R1 == "${NAME}"
  ${OrIf} $R1 == "${NAME}.new"
  ${OrIf} $R1 == "${NAME}.old"
    StrCpy $R2 1
  ${EndIf}
!macroend

; $0 = 1 when $INSTDIR is FOLDER or lies inside it; else $0 is left.
!macro IS_INSIDE FOLDER
  StrCpy $R3 "${FOLDER}"
  StrLen $R4 $R3
  StrCpy $R5 $INSTDIR $R4
  StrCpy $R6 $INSTDIR 1 $R4
  ${If} $R5 == $R3  ; == ignores case, as Windows does in paths
    ${If} $R6 == ""
    ${OrIf} $R6 == "\"
      StrCpy $0 1
    ${EndIf}
  ${EndIf}
!macroend

!macro RUN_ICACLS ARGUMENTS
  nsExec::ExecToLog '"$SYSDIR\icacls.exe" ${ARGUMENTS}'
  Pop $0
  ${If} $0 != 0
    MessageBox MB_OK|MB_ICONSTOP "Setup could not set who may change the programs in $INSTDIR (icacls: $0).$\n$\nOutside Program Files only administrators may be allowed to change them. Please choose a folder under Program Files." /SD IDOK
    RMDir "$INSTDIR"
    SetErrorLevel ${EXIT_FOLDER_NOT_PROTECTED}
    Quit
  ${EndIf}
!macroend

!macro FOLDER_PERMISSIONS_FUNCTIONS
Function IsUnderProgramFiles
  StrCpy $0 0
  !insertmacro IS_INSIDE $PROGRAMFILES
  !insertmacro IS_INSIDE $PROGRAMFILES64
FunctionEnd

; $0 = 1 when $INSTDIR does not exist or holds only Corvane's files.
Function IsFolderOurs
  StrCpy $0 1
  ClearErrors
  FindFirst $R0 $R1 "$INSTDIR\*.*"
  ${DoUntil} $R1 == ""
    StrCpy $R2 0
    ${If} $R1 == "."
    ${OrIf} $R1 == ".."
    ${OrIf} $R1 == "${UNINSTALLER}"
    ${OrIf} $R1 == "${HISTORY_FOLDER}"
      StrCpy $R2 1
    ${EndIf}
    !insertmacro ForEachProgram IS_OUR_FILE
    ${If} $R2 = 0
      StrCpy $0 0
      ${Break}
    ${EndIf}
    FindNext $R0 $R1
  ${Loop}
  FindClose $R0
FunctionEnd

; $0 = 1 when Setup may install into $INSTDIR.
Function IsFolderAccepted
  Call IsUnderProgramFiles
  ${If} $0 = 0
    Call IsFolderOurs
  ${EndIf}
FunctionEnd

!define FOLDER_NOT_OURS_TEXT "$INSTDIR holds files that are not Corvane's.$\n$\nOutside Program Files Setup installs only into a new or empty folder, or over Corvane, because it lets only administrators change that folder. Please choose another folder."

Function DirectoryPageLeave
  Call IsFolderAccepted
  ${If} $0 = 0
    MessageBox MB_OK|MB_ICONEXCLAMATION "${FOLDER_NOT_OURS_TEXT}"
    Abort
  ${EndIf}
FunctionEnd

; Before any program is written, so that each file gets the folder's
; permissions as it is made.
Function ProtectInstallFolder
  Call IsUnderProgramFiles
  ${If} $0 = 1
    Return
  ${EndIf}
  Call IsFolderOurs
  ${If} $0 = 0
    MessageBox MB_OK|MB_ICONSTOP "${FOLDER_NOT_OURS_TEXT}" /SD IDOK
    SetErrorLevel ${EXIT_FOLDER_NOT_OURS}
    Quit
  ${EndIf}
  CreateDirectory "$INSTDIR"
  ${If} ${FileExists} "$INSTDIR\${HISTORY_FOLDER}\*.*"
    !insertmacro RUN_ICACLS '"$INSTDIR\${HISTORY_FOLDER}" /inheritance:d'
  ${EndIf}
  !insertmacro RUN_ICACLS '"$INSTDIR" /setowner ${ADMINISTRATORS_SID}'
  !insertmacro RUN_ICACLS '"$INSTDIR" /reset'
  !insertmacro RUN_ICACLS '"$INSTDIR" /inheritance:r /grant:r ${ADMINISTRATORS_SID}:(OI)(CI)F ${SYSTEM_SID}:(OI)(CI)F ${USERS_SID}:(OI)(CI)RX'
FunctionEnd
!macroend
