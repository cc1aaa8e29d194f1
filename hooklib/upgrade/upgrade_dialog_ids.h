/* Resource and control ids of the upgrade monitor dialog; read by the
   resource compiler as well as by C++, so plain defines only. */
#ifndef CORVANE_UPGRADE_DIALOG_IDS_H
#define CORVANE_UPGRADE_DIALOG_IDS_H

#define IDD_UPGRADE_MONITOR 107

#define IDI_PRODUCT 103
#define IDI_IMPORTANCE_HIGH 108
#define IDI_IMPORTANCE_LOW 109

/* IDOK (1) is "Download Now!", IDCANCEL (2) is "Close". */
#define IDC_IMPORTANCE_ICON 1012
#define IDC_HEADING 1013
#define IDC_UPDATE_HEADING 1014
#define IDC_CHANGES 1015
#define IDC_REMINDER 1019
#define IDC_CHANGES_HEADING 1020
#define IDC_RELEASE_DATE 1021
#define IDC_IMPORTANCE 1022
#define IDC_VERSION 1023
#define IDC_DESCRIPTION 1024

#endif
