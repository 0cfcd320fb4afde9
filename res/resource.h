// Identifiers of the executable's resources (shared by ZAVOConfig.rc and the
// windows that load them). Plain #defines: the resource compiler reads this.
#pragma once

#define IDR_MAINFRAME 128  // application icon

#define IDD_ZAVOCONFIG_DIALOG 102  // main window
#define IDD_SINGLEKEY 129          // single-key dialog
#define IDD_TKEY 130               // T-key (macro) dialog
#define IDD_PROFILE_MENU 131       // profile pop-up menu
#define IDD_CMD_MENU 132           // command pop-up menu
#define IDD_INSTSHIFT 133          // instant shift dialog
#define IDD_REPEAT_TIMES 134       // repeat count dialog
#define IDD_MACRO_SETTING 135      // macro editor
#define IDD_NEW_MACRO 136          // new macro name dialog
#define IDD_LIGHT_OPTION 137       // lighting dialog
#define IDD_WARNING 138            // warning dialog
#define IDD_MACRO_NAME_MENU 140    // macro name pop-up menu
#define IDD_LOADING 141            // loading dialog
#define IDD_RESTORE_SETTINGS 142   // restore window (earlier settings)
#define IDD_APP_PROFILES 147       // profiles by application

#define IDB_INDICATOR_DEFAULT 143  // letter D
#define IDB_INDICATOR_LAUNCH 144   // letter L
#define IDB_INDICATOR_KEY 145      // letter S
#define IDB_INDICATOR_MACRO 146    // letter T

// The loading animation: resource "LOAD" of type "GIF".
#define IDR_LOAD_ANIMATION_NAME "LOAD"
#define IDR_LOAD_ANIMATION_TYPE "GIF"

// Controls of the templates.
#define IDC_SRC_KEY 1000        // single-key dialog: current key box
#define IDC_DST_KEY 1001        // single-key dialog: new key box
#define IDC_REPEAT_COUNT 1002   // repeat count dialog: count box
#define IDC_MACRO_NAME 1003     // new macro name dialog: name box
#define IDC_DELAY_VALUE 1004    // macro editor: delay of the selected delay event
#define IDC_DEFAULT_DELAY 1005  // macro editor: default delay
#define IDC_EVENT_LIST 1006     // macro editor: key and command events
#define IDC_DELAY_LIST 1007     // macro editor: delay events
#define IDC_BACKUP_LIST 1011    // restore window: the kept generations
#define IDC_RESTORE_INTRO 1012  // restore window: what restoring does
// Profiles by application (CDlgAppProfiles).
#define IDC_APPS_INTRO 1013
#define IDC_APPS_LIST 1014
#define IDC_APPS_ADD 1015
#define IDC_APPS_REMOVE 1016
#define IDC_APPS_PROFILE_LABEL 1017
#define IDC_APPS_PROFILE 1018
#define IDC_APPS_FALLBACK_LABEL 1019
#define IDC_APPS_FALLBACK 1020
#define IDC_APPS_AUTOMATIC 1021
#define IDC_APPS_STARTUP 1022
#define IDC_APPS_NOTE 1023
#define IDC_APPS_APPLY 1024
