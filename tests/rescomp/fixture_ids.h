/* Numbers of the fixture script, read as the program's script reads res/resource_ids.h. */
#ifndef FIXTURE_IDS_H
#define FIXTURE_IDS_H
#define IDR_FIXTURE_MENU 7
#define IDM_FIRST 300
#define IDM_SECOND 301
#define IDM_HELP 302
#define IDD_PLAIN 40
#define IDD_EXTENDED 41
#define IDC_FIELD 9
#define IDS_HELLO 16
#define IDS_VERSION 17
#define IDS_LAST 31
#define FIXTURE_VERSION "1.2"
#endif
