; Before the programs are replaced or removed: a running launcher is asked to
; quit, and the hook library must be free.  The library stays mapped in a
; messenger it has entered until that messenger exits; replacing it then
; would let a new launcher hook an old library into that messenger, so
; nothing is ever deferred to a restart: the user closes the messenger, or
; the run stops with nothing changed.

; LAUNCHER_WINDOW_CLASS comes from the launcher's own header, through the
; template (packaging/CMakeLists.txt reads it).
!define SYNCHRONIZE 0x00100000
!define LAUNCHER_EXIT_WAIT_MS 10000
; Windows drops the library from the other programs a moment after the hook
; is gone; so much time it gets before the library counts as held.
!define LIBRARY_RELEASE_POLLS 20
!define LIBRARY_RELEASE_POLL_MS 250
; A silent run that finds the library held ends with this exit code.
!define EXIT_LIBRARY_IN_USE 2

!macro RUNNING_COPIES_FUNCTIONS UN
; Asks a running launcher to quit through its own window (WM_CLOSE: it
; removes its hook and ends, leaving the messengers running) and waits for
; its process to end.  An interactive run asks first; Cancel ends the run.
Function ${UN}QuitRunningLauncher
  FindWindow $0 "${LAUNCHER_WINDOW_CLASS}"
  ${If} $0 == 0
    Return
  ${EndIf}
  MessageBox MB_OKCANCEL|MB_ICONINFORMATION \
    "Corvane is running. It will be closed now; your messenger stays open.$\n$\nClick OK to go on, or Cancel to leave Corvane as it is." \
    /SD IDOK IDOK close
  Quit
  close:
  System::Call 'user32::GetWindowThreadProcessId(p r0, *i 0 r1)'
  System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r1) p .r2'
  SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
  ${If} $2 P<> 0
    System::Call 'kernel32::WaitForSingleObject(p r2, i ${LAUNCHER_EXIT_WAIT_MS})'
    System::Call 'kernel32::CloseHandle(p r2)'
  ${EndIf}
FunctionEnd

; $0 = 1 when some process holds $INSTDIR\Corvane.dll: loaded or open, it
; cannot be opened for writing with no sharing.  A missing file is free.
Function ${UN}IsLibraryHeld
  System::Call 'kernel32::CreateFileW(w "$INSTDIR\Corvane.dll", i 0xC0000000, i 0, p 0, i 3, i 0x80, p 0) p .r1 ?e'
  Pop $2
  StrCpy $0 1
  ${If} $1 P<> -1
    System::Call 'kernel32::CloseHandle(p r1)'
    StrCpy $0 0
  ${ElseIf} $2 = 2   ; ERROR_FILE_NOT_FOUND
  ${OrIf} $2 = 3     ; ERROR_PATH_NOT_FOUND
    StrCpy $0 0
  ${EndIf}
FunctionEnd

; The hook brought the library into this process too, if it made a window
; while the launcher ran.  Windows unloads it once the hook is gone; Wine
; never does, and the copy this process holds would block it.  The hook
; calls nothing here any more, so dropping that reference is safe.
Function ${UN}ReleaseOwnCopy
  StrCpy $3 0
  ${Do}
    System::Call 'kernel32::GetModuleHandleW(w "$INSTDIR\Corvane.dll") p .r1'
    ${If} $1 P= 0
    ${OrIf} $3 >= 8
      Return
    ${EndIf}
    System::Call 'kernel32::FreeLibrary(p r1)'
    IntOp $3 $3 + 1
  ${Loop}
FunctionEnd

; Returns once the library is free.  While a messenger holds it, an
; interactive run offers Retry and Cancel; Cancel and a silent run end here
; with nothing changed.
Function ${UN}WaitUntilLibraryFree
  Call ${UN}ReleaseOwnCopy
  retry:
  StrCpy $3 0
  poll:
    Call ${UN}IsLibraryHeld
    ${If} $0 = 0
      Return
    ${EndIf}
    IntOp $3 $3 + 1
    ${If} $3 < ${LIBRARY_RELEASE_POLLS}
      Sleep ${LIBRARY_RELEASE_POLL_MS}
      Goto poll
    ${EndIf}
  MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
    "Corvane is still in use by your messenger.$\n$\nPlease close the messenger, then click Retry. Click Cancel to leave Corvane as it is." \
    /SD IDCANCEL IDRETRY retry
  SetErrorLevel ${EXIT_LIBRARY_IN_USE}
  Quit
FunctionEnd
!macroend
