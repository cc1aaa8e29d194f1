; Outside Program Files an install folder inherits what its parent allows:
; under C:\ every user may add and change files there, while Corvane.dll is
; loaded into every user's programs and Uninstall.exe is run by an
; administrator.  There Setup lets only administrators and the system write
; the folder, and users read and run its programs, with the system's own
; tool, icacls; where the system has none (Windows XP, and Server 2003
; before its SP2), with the same security API icacls uses, giving the same
; permissions.  It does so only to a folder that is new or holds nothing but
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

; Ends setup with nothing installed when $0, what TOOL gave, is not 0.
!macro STOP_UNLESS_PROTECTED TOOL
  ${If} $0 != 0
    MessageBox MB_OK|MB_ICONSTOP "Setup could not set who may change the programs in $INSTDIR (${TOOL}: $0).$\n$\nOutside Program Files only administrators may be allowed to change them. Please choose a folder under Program Files." /SD IDOK
    RMDir "$INSTDIR"
    SetErrorLevel ${EXIT_FOLDER_NOT_PROTECTED}
    Quit
  ${EndIf}
!macroend

!macro RUN_ICACLS ARGUMENTS
  nsExec::ExecToLog '"$SYSDIR\icacls.exe" ${ARGUMENTS}'
  Pop $0
  !insertmacro STOP_UNLESS_PROTECTED icacls
!macroend

; The security API where icacls is missing (advapi32, from Windows 2000 on).
!define SE_FILE_OBJECT 1
!define OWNER_SECURITY_INFORMATION 0x1
!define DACL_SECURITY_INFORMATION 0x4
!define PROTECTED_DACL_SECURITY_INFORMATION 0x80000000
!define SDDL_REVISION_1 1
; What icacls's /setowner, /reset, /inheritance:r and /grant:r below leave:
; owner Administrators, no inherited entries, Administrators and SYSTEM full
; control (FA) and Users read and execute (0x1200a9, icacls's RX), each for
; the folder, its subfolders (CI) and its files (OI).
!define PROTECTED_FOLDER_SECURITY "O:BAD:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)"

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
  ${IfNot} ${FileExists} "$SYSDIR\icacls.exe"
    Call ProtectThroughSecurityApi
    Return
  ${EndIf}
  ${If} ${FileExists} "$INSTDIR\${HISTORY_FOLDER}\*.*"
    !insertmacro RUN_ICACLS '"$INSTDIR\${HISTORY_FOLDER}" /inheritance:d'
  ${EndIf}
  !insertmacro RUN_ICACLS '"$INSTDIR" /setowner ${ADMINISTRATORS_SID}'
  !insertmacro RUN_ICACLS '"$INSTDIR" /reset'
  !insertmacro RUN_ICACLS '"$INSTDIR" /inheritance:r /grant:r ${ADMINISTRATORS_SID}:(OI)(CI)F ${SYSTEM_SID}:(OI)(CI)F ${USERS_SID}:(OI)(CI)RX'
FunctionEnd

; The same as the icacls commands above, for a system without icacls.  Each
; step leaves 0 or the system's error code in $0.
Function ProtectThroughSecurityApi
  Push $1
  Push $2
  Push $3
  ; /inheritance:d: the history folder keeps the entries it has, those it
  ; inherits included, as its own (a protected list is inherited no more).
  ${If} ${FileExists} "$INSTDIR\${HISTORY_FOLDER}\*.*"
    System::Call 'advapi32::GetNamedSecurityInfoW(w "$INSTDIR\${HISTORY_FOLDER}", i ${SE_FILE_OBJECT}, i ${DACL_SECURITY_INFORMATION}, p 0, p 0, *p .r1, p 0, *p .r2) i .r0'
    ${If} $0 = 0
      IntOp $3 ${DACL_SECURITY_INFORMATION} | ${PROTECTED_DACL_SECURITY_INFORMATION}
      System::Call 'advapi32::SetNamedSecurityInfoW(w "$INSTDIR\${HISTORY_FOLDER}", i ${SE_FILE_OBJECT}, i r3, p 0, p 0, p r1, p 0) i .r0'
      System::Call 'kernel32::LocalFree(p r2)'
    ${EndIf}
    !insertmacro STOP_UNLESS_PROTECTED "GetNamedSecurityInfo/SetNamedSecurityInfo"
  ${EndIf}
  ; The folder's owner and its protected list, set at once; the system hands
  ; the inheritable entries on to what the folder already holds.
  System::Call 'advapi32::ConvertStringSecurityDescriptorToSecurityDescriptorW(w "${PROTECTED_FOLDER_SECURITY}", i ${SDDL_REVISION_1}, *p .r1, p 0) i .r0 ?e'
  Pop $2
  ${If} $0 = 0
    StrCpy $0 $2
  ${Else}
    System::Call 'advapi32::GetSecurityDescriptorOwner(p r1, *p .r2, *i 0)'
    System::Call 'advapi32::GetSecurityDescriptorDacl(p r1, *i 0, *p .r3, *i 0)'
    IntOp $0 ${OWNER_SECURITY_INFORMATION} | ${DACL_SECURITY_INFORMATION}
    IntOp $0 $0 | ${PROTECTED_DACL_SECURITY_INFORMATION}
    System::Call 'advapi32::SetNamedSecurityInfoW(w "$INSTDIR", i ${SE_FILE_OBJECT}, i r0, p r2, p 0, p r3, p 0) i .r0'
    System::Call 'kernel32::LocalFree(p r1)'
  ${EndIf}
  Pop $3
  Pop $2
  Pop $1
  !insertmacro STOP_UNLESS_PROTECTED "SetNamedSecurityInfo"
FunctionEnd
!macroend
