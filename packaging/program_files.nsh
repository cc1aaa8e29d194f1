; Replacing the programs so that a failed run puts the old ones back and a
; killed run is repaired by the next.  New files first land beside the old
; ones as NAME.new, so a failure there touches nothing; then each old file
; becomes NAME.old and NAME.new takes its name.  A NAME.old found at the
; start is a killed run's backup of the installed program: it stays the
; backup, and the half-way NAME is replaced.

!macro EXTRACT_NEW NAME
  ClearErrors
  File "/oname=$INSTDIR\${NAME}.new" "${STAGED}/${NAME}"
  ; A silent run goes on past a file it could not write: stop here instead.
  ${If} ${Errors}
    Abort "Setup could not write $INSTDIR\${NAME}.new."
  ${EndIf}
!macroend

!macro SWAP_IN_NEW NAME
  ClearErrors
  ${If} ${FileExists} "$INSTDIR\${NAME}.old"
    Delete "$INSTDIR\${NAME}"
  ${ElseIf} ${FileExists} "$INSTDIR\${NAME}"
    Rename "$INSTDIR\${NAME}" "$INSTDIR\${NAME}.old"
  ${EndIf}
  Rename "$INSTDIR\${NAME}.new" "$INSTDIR\${NAME}"
  ${If} ${Errors}
    Abort "Setup could not replace $INSTDIR\${NAME}."
  ${EndIf}
!macroend

!macro PUT_OLD_BACK NAME
  Delete "$INSTDIR\${NAME}.new"
  ${If} ${FileExists} "$INSTDIR\${NAME}.old"
    Delete "$INSTDIR\${NAME}"
    Rename "$INSTDIR\${NAME}.old" "$INSTDIR\${NAME}"
  ${EndIf}
!macroend

!macro DROP_BACKUP NAME
  Delete "$INSTDIR\${NAME}.old"
!macroend

!macro REMOVE_PROGRAM NAME
  Delete "$INSTDIR\${NAME}"
  Delete "$INSTDIR\${NAME}.old"
  Delete "$INSTDIR\${NAME}.new"
!macroend
