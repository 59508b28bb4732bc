// Resource identifiers: strings, commands, dialogs, controls, cursors.
// Command and string IDs share their numbers where a command has a prompt.
#pragma once

// Strings
#define IDR_MAINFRAME 128
#define IDS_SELECT_PORT 2500
#define IDS_FILE_ERROR_BASE 10034  // + 1 open, + 2 corrupt, + 3 save
#define IDS_ERROR_OPENING 10035
#define IDS_LOAD_CORRUPT 10036
#define IDS_ERROR_SAVING 10037
#define IDS_READING_CONFIG 10038
#define IDS_WRITING_CONFIG 10039
#define IDS_RESETTING 10040
#define IDS_CONFIG_MISMATCH 10041
#define IDS_INPUT_LIMIT 10042
#define IDS_DUPLICATE_LABEL 10043
#define IDS_UNKNOWN_MODULE 10044
#define IDS_NOT_SAVED 10045
#define IDS_CONFIG_FILES 10046
#define IDS_DISCARD_CHANGES 10047
#define IDS_WRITE_CONFIRM 10048
#define IDS_WRITE_DONE 10049
#define IDS_NO_INPUT_MODULES 10050
#define IDS_TIP_MODULE 10051
#define IDS_TIP_INPUT 10052
#define IDS_TIP_OUTPUT 10053
#define IDS_TIP_KEY 10054
#define IDS_CHANGE_NOTICE 10055
#define IDS_SYNC_TIME_CONFIRM 10056
#define IDS_SETTING_TIME 10057
#define IDS_TIME_DONE 10058
#define IDS_TIP_AUDIO_INPUT 10059
#define IDS_TIP_OUTPUT_MODULE 10060
#define IDS_BASE_LANGUAGE 10100
#define IDS_LINK_ERROR_BASE 21108  // + link result code 1..6
#define IDS_CHECKSUM_WARNING 21115
#define IDS_NO_LINK_THREAD 21116  // LINK_ERR_NO_THREAD
#define IDS_LANGUAGE_FILES 24008

// Translation (lang): the editor's confirmations, message box buttons
#define IDS_TRANSLATION_LOSSY 10115
#define IDS_TRANSLATION_REPLACE 10116
#define IDS_BUTTON_OK 10117  // .. 10120: message box buttons, in the program's language
#define IDS_BUTTON_CANCEL 10118
#define IDS_BUTTON_YES 10119
#define IDS_BUTTON_NO 10120

// Undo and redo (view): the context menu's items and the names of the steps
#define IDS_UNDO_STEP 10300  // "&Undo %1"
#define IDS_REDO_STEP 10301
#define IDS_UNDO_NOTHING 10302
#define IDS_REDO_NOTHING 10303
#define IDS_STEP_LINK 10304  // "Link %1 to %2", the ends named by 10314 .. 10317
#define IDS_STEP_KEYS 10305
#define IDS_STEP_INPUT_LABELS 10306
#define IDS_STEP_PANEL_LABELS 10307
#define IDS_STEP_INPUT_MODULE 10308
#define IDS_STEP_OUTPUT_MODULE 10309
#define IDS_STEP_INPUT_LABEL 10310
#define IDS_STEP_PANEL_LABEL 10311
#define IDS_STEP_SIGNAL 10312
#define IDS_STEP_AUDIO 10313
#define IDS_END_KEY 10314
#define IDS_END_INPUT 10315
#define IDS_END_PANEL_INPUT 10316
#define IDS_END_AUDIO 10317
// The view's context menu: the edit of the item under the mouse, its links
#define IDS_MENU_EDIT_MODULE 10318
#define IDS_MENU_EDIT_LABEL 10319
#define IDS_MENU_EDIT_SIGNAL 10320
#define IDS_MENU_EDIT_AUDIO 10321
#define IDS_MENU_LINK_KEY 10322
#define IDS_MENU_LINK_PANEL_INPUT 10323
#define IDS_MENU_LINK_INPUT 10324
#define IDS_MENU_LINK_AUDIO 10325
#define IDS_MENU_EXCHANGE_KEY 10326
#define IDS_MENU_EXCHANGE_LABEL 10327
#define IDS_APP_TITLE 57344
#define IDS_IDLE 57345
// Serial ports: why a port will not open, the ports dialog's run-time texts
#define IDS_PORT_JOIN_GROUP 10200
#define IDS_PORT_NO_PERMISSION 10201
#define IDS_PORT_NO_DEVICE 10202
#define IDS_PORT_IN_USE_BY 10203
#define IDS_PORT_IN_USE 10204
#define IDS_PORT_OTHER_ERROR 10205
#define IDS_PORTS_SEARCHING 10206
#define IDS_PORTS_FOUND_ON 10207
#define IDS_PORTS_NOT_FOUND 10208
#define IDS_PORTS_NONE 10209
#define IDS_PORTS_ABSENT 10210
#define IDS_PORTS_DEVICE_MARK 10211

// The view's accessible names (view/ViewAccessible.cpp): 10330 .. 10359
#define IDS_ACC_VIEW 10330
#define IDS_ACC_KEY 10331
#define IDS_ACC_KEY_UNUSED 10332
#define IDS_ACC_PANEL_INPUT 10333
#define IDS_ACC_INPUT 10334
#define IDS_ACC_AUDIO 10335
#define IDS_ACC_OUTPUT 10336
#define IDS_ACC_INPUT_MODULE 10337
#define IDS_ACC_OUTPUT_MODULE 10338
#define IDS_ACC_KEY_PANEL 10339
#define IDS_ACC_INPUT_PANEL 10340
#define IDS_ACC_PICKED_UP 10341
#define IDS_ACC_DROP_TARGET 10342

// Commands (menu 128 and toolbar 128)
#define ID_DEVICE_CONNECT 32771
#define ID_DEVICE_WRITE 32773
#define ID_DEVICE_DISCARD 32774
#define ID_VIEW_TOOLTIPS 32775
#define ID_VIEW_MESSAGES 32776
#define ID_DEVICE_LOAD 32778
#define ID_PORT_PLACEHOLDER 32779
#define ID_DEVICE_SYNC_TIME 32780
#define ID_DEVICE_PORTS 32790
#define ID_VIEW_ZOOM_IN 32810
#define ID_VIEW_ZOOM_OUT 32811
#define ID_VIEW_ZOOM_RESET 32812
#define ID_VIEW_ZOOM_FIT 32813
#define ID_LANGUAGE_FIRST 10100  // .. 10109
#define ID_LANGUAGE_LAST 10109
#define ID_LANGUAGE_EDIT 10113
#define ID_LANGUAGE_NEW 10114
#define ID_FILE_OPEN 57601
#define ID_FILE_CLOSE 57602
#define ID_FILE_SAVE 57603
#define ID_FILE_SAVE_AS 57604
#define ID_FILE_PRINT_SETUP 57606
#define ID_FILE_PRINT 57607
#define ID_FILE_PRINT_PREVIEW 57609
#define ID_EDIT_UNDO 57643  // toolbar, keys and the view's context menu
#define ID_EDIT_REDO 57644
#define ID_APP_ABOUT 57664
#define ID_APP_EXIT 57665
#define ID_VIEW_TOOLBAR 59392
#define ID_VIEW_STATUS_BAR 59393
#define ID_INDICATOR_CAPS 59137
#define ID_INDICATOR_NUM 59138
#define ID_VIEW_REBAR 0xE804
#define IDC_PORT_COMBO 2500

// Safe writes: backups, verify after writing, comparing configurations
#define IDS_DIFF_INPUT_MODULE 10250
#define IDS_DIFF_INPUT_COUNT 10251
#define IDS_DIFF_OUTPUT_MODULE 10252
#define IDS_DIFF_OUTPUT_SIGNAL 10253
#define IDS_DIFF_PANEL_LINK 10254
#define IDS_DIFF_KEY_LINK 10255
#define IDS_DIFF_AUDIO 10256
#define IDS_DIFF_INPUT_LABEL 10257
#define IDS_DIFF_PANEL_LABEL 10258
#define IDS_DIFF_LINE 10259
#define IDS_DIFF_NO_KEY 10260
#define IDS_VERIFY_OK 10261
#define IDS_VERIFY_DIFFERENT 10262
#define IDS_WRITE_PARTIAL 10263
#define IDS_COMPARE_SAME 10264
#define IDS_COMPARE_WITH_DEVICE 10265
#define IDS_COMPARE_DEVICE_SIDE 10266
#define IDS_BACKUP_FAILED 10267
#define IDS_BACKUP_SAVED 10268
#define IDS_COMPARE_HEADING 10269
#define ID_FILE_OPEN_BACKUP 32800
#define ID_FILE_COMPARE 32801
#define ID_VIEW_VERIFY_WRITE 32802
#define IDD_COMPARE 211
#define IDC_COMPARE_HEADING 1150
#define IDC_COMPARE_LIST 1151

// Dialogs
#define IDD_ABOUTBOX 100
#define IDD_MODULE_CONFIG 130
#define IDD_INPUT_LABEL 131
#define IDD_OPERATION 132
#define IDD_OUTPUT_SIGNAL 134
#define IDD_EDIT_TRANSLATION 208
#define IDD_EMBEDDED_AUDIO 209
#define IDD_SERIAL_PORTS 210

// Controls shared by several dialogs
#define IDC_STATIC (-1)      // static texts without an ID of their own
#define IDC_STATIC_ID 65535  // the same, as a 16-bit control ID in translation keys
#define IDC_BUILD_DATE 1009

// Edit dialogs 130, 131, 134, 209 (view): their controls
#define IDC_TYPE_TEXT 1000    // module, input, output or audio channel type
#define IDC_NUMBER_TEXT 1001  // module, input or output number
#define IDC_CONFIG_LIST 1002
#define IDC_INPUTS_LIST 1003  // also the stereo pair list of 209
#define IDC_LABEL_EDIT 1004
#define IDC_SIGNAL_LIST 1008
#define IDC_INPUTS_STATIC 1010  // also the "Stereo pair" text of 209
#define IDC_GROUP_LIST 1011
#define IDC_ROW1_STATIC 5001  // the left-hand texts of the first three rows
#define IDC_ROW2_STATIC 5002
#define IDC_ROW3_STATIC 5003

// Cursors
#define IDC_CURSOR_FIRST 134  // .. 138

// Serial ports dialog 210: the port choice of each COMn, its buttons and text
#define IDC_PORTS_CHOICE_FIRST 1110  // .. 1117
#define IDC_PORTS_REFRESH 1120
#define IDC_PORTS_FIND 1121
#define IDC_PORTS_HINT 1123
