/* The numbers of the program's resources, the one place they are written: res/rolvi.rc names
   them (windres and tools/rescomp both read this file), and the C++ takes them from here.
   Plain #defines, since a resource compiler understands nothing else. */
#ifndef ROLVI_RESOURCE_IDS_H
#define ROLVI_RESOURCE_IDS_H

/* The main window's menu and its accelerator table share one number. */
#define IDR_MAIN_MENU 1100

/* Menu and accelerator commands. */
#define IDM_NEW_GAME 256
#define IDM_SHOW_RECORDS 257
#define IDM_EXIT 258
#define IDM_NEXT_BALLS 512
#define IDM_STATISTICS 513
#define IDM_BALL_SYMBOLS 514
#define IDM_RULES 768
#define IDM_ABOUT 769

/* Dialog templates. */
#define IDD_RULES 1000
#define IDD_RECORDS 1001
#define IDD_NAME 1002
#define IDD_ABOUT 1003
#define IDD_STATISTICS 1004

/* Controls the program addresses: every template's button, and the name field. */
#define IDC_BUTTON 256
#define IDC_NAME_EDIT 257

/* The about box's picture and its mask, and the program's icon. */
#define IDB_ABOUT 2000
#define IDB_ABOUT_MASK 2001
#define IDI_ROLVI 3000

/* The string table. Numbers in one block of sixteen are stored together. */
#define IDS_TITLE 16
#define IDS_GAME_OVER 17
/* The main window: the header bar's labels and the Player's plate. */
#define IDS_NEXT_GROUP 32
#define IDS_COLOURS 33
#define IDS_PLAYER_PLATE 34
/* The default record table. */
#define IDS_KING_NAME 48
#define IDS_VACANT_NAME 49
/* The name dialog's refusals and their caption. */
#define IDS_NAME_ERROR 64
#define IDS_NAME_EMPTY 65
#define IDS_NAME_TOO_LONG 66
#define IDS_NAME_NOT_LATIN 67
/* The statistics window's word before the removed balls. */
#define IDS_STATS_REMOVED 80
/* The record file that could not be read or written, and why. */
#define IDS_RECORDS_NOT_READ 96
#define IDS_RECORDS_NOT_SAVED 97
#define IDS_FILE_NO_FOLDER 98
#define IDS_FILE_DENIED 99
#define IDS_FILE_READ_ONLY 100
#define IDS_FILE_FULL 101
#define IDS_FILE_NOT_A_FILE 102
#define IDS_FILE_FAILED 103

#endif
