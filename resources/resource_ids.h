// Resource and command identifiers shared by the resource script and the code.
#pragma once

#define IDI_CORVALE 101
#define IDM_MAIN_MENU 102
#define IDA_ACCELERATORS 103
#define IDB_ATLAS 501
#define IDR_LEVELS 20001

#define IDS_TITLE 15000
#define IDS_GAME_OVER_CAPTION 15001
#define IDS_OUT_OF_TIME 15002
#define IDS_WRONG_HOLE 15003

// Entries the program never loads: the words of the game kept together so a
// translator has the shared vocabulary (difficulties, kinds of board, the
// clock, the header) in one place, in every language.
#define IDS_WORD_BEGINNER 15011
#define IDS_WORD_NOVICE 15012
#define IDS_WORD_INTERMEDIATE 15013
#define IDS_WORD_ADVANCED 15014
#define IDS_WORD_EXPERT 15015
#define IDS_WORD_NORMAL 15016
#define IDS_WORD_BONUS 15017
#define IDS_WORD_UNLIMITED 15018
#define IDS_WORD_PAUSED 15019
#define IDS_WORD_BOARD 15020
#define IDS_WORD_SCORE 15051
#define IDS_WORD_HIGH_SCORE 15052

#define IDC_EXIT 40000
#define IDC_NEW_GAME 40001
#define IDC_BEGINNER 40002
#define IDC_NOVICE 40003
#define IDC_INTERMEDIATE 40004
#define IDC_ADVANCED 40005
#define IDC_EXPERT 40006
#define IDC_PAUSE 40010
#define IDC_HELP_TOPICS 40040
#define IDC_ABOUT 40041
#define IDC_CLEAR_INK 40042
#define IDC_BROWSE_BOARDS 40043
#define IDC_RESTART_BOARD 40044
#define IDC_BOARD_MECHANICS 40045
#define IDC_SHOW_FPS 40046
#define IDC_STATISTICS 40047
