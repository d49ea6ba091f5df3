// Resource ids of Fleetmix. The numbers are the program's own: dialogs,
// strings, pictures and embedded programs are addressed by them.
#pragma once

// Icons, bitmaps, pictures, texts
#define IDR_MAINFRAME 128
#define IDB_WIZARD 137
#define IDB_TREE_IMAGES 1003
#define IDR_README 139
#define IDR_SPLASH 141

// Embedded programs (resource type "EXE")
#define IDR_BGLTEXT 132
#define IDR_TRAFFIC_DECOMPILER 134
#define IDR_TRAFFIC_COMPILER 135

// Dialogs
#define IDD_WELCOME 104
#define IDD_AIRCRAFT 105
#define IDD_SCENERY 106
#define IDD_TRAFFIC 107
#define IDD_GENERATE 108
#define IDD_HELP 130
#define IDD_FLIGHTS_BY_AIRCRAFT 136

// Strings
#define IDS_WIZARD_CAPTION 103
#define IDS_HELP_AIRCRAFT 104
#define IDS_HELP_SCENERY 105
#define IDS_HELP_TRAFFIC 106
#define IDS_HELP_GENERATE 107

// Controls (ids repeat across dialogs: each dialog has its own list)
#define IDC_WELCOME_NOTICE 1000
#define IDC_WELCOME_DESCRIPTION 1001
#define IDC_IMPORT_AIRCRAFT 1002
#define IDC_AIRCRAFT_LIST 1003
#define IDC_OPEN_AIR_CLASS 1004
#define IDC_OPEN_AIRLINES 1005
#define IDC_IMPORT 1006
#define IDC_LOAD_CACHED 1007
#define IDC_STATUS 1008
#define IDC_PLACE_TREE 1009
#define IDC_VIEW_AIR_NAT 1010
#define IDC_HELP_TEXT 1011
#define IDC_GENERATE_AIRLINES 1012
#define IDC_AIRCRAFT_TREE 1014
#define IDC_AIRPORT_LIST 1015
#define IDC_GENERATE 1019
#define IDC_SAVE_ONLY 1020
#define IDC_FLIGHT_COUNTS 1021
#define IDC_SAVE_AND_COMPILE 1022
#define IDC_VIEW_REPORT 1023
#define IDC_EDIT_AIRCRAFT 1025
#define IDC_FLIGHTS_LIST 1025
#define IDC_EDIT_FLIGHTPLANS 1026
#define IDC_COMPILE_ONLY 1027
#define IDC_HIDE_COMPILER 1028
#define IDC_DISTRIBUTION 1029
#define IDC_GENERATE_AIR_NAT 1031
#define IDC_STATIC_LABEL -1

// Standard dialog buttons
#define IDC_OK_BUTTON 1
#define IDC_CANCEL_BUTTON 2
