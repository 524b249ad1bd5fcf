#pragma once
// Every resource and control id of the program. Kept free of C++ so windres can read it. The
// version comes from CMake (version.h in the build folder).

#include "version.h"

// Named resources: the menu, the accelerator table and the icon are all "VEXO".
#define IDR_VEXO "VEXO"

// Menu and accelerator commands, 1001-1032.
#define IDM_COPY 1001
#define IDM_PASTE 1002
#define IDM_CLEAR_TAPE 1003
#define IDM_CLEAR_MEMORY 1004
#define IDM_EXIT 1005
// Mode commands 1006-1018 select mode rows 0-12 in order: keep them consecutive.
#define IDM_MODE_NDF 1006
#define IDM_MODE_DF 1007
#define IDM_MODE_PAL 1008
#define IDM_MODE_FILM 1009
#define IDM_MODE_35MM 1010
#define IDM_MODE_16MM 1011
#define IDM_MODE_USER1 1012
#define IDM_MODE_USER2 1013
#define IDM_MODE_USER3 1014
#define IDM_MODE_USER4 1015
#define IDM_MODE_HEX 1016
#define IDM_MODE_DEC 1017
#define IDM_MODE_OCT 1018
#define IDM_ROMAN 1019
#define IDM_CLIPBOARD_FORMATS 1020
#define IDM_STRICT_CHECK 1021
#define IDM_AUTODF_OFF 1022
#define IDM_AUTODF_MINUS2 1023
#define IDM_AUTODF_PLUS2 1024
#define IDM_DFNDF_FRAMES 1025
#define IDM_DISPLAY_TAPE 1026
#define IDM_DISPLAY_MODE 1027
#define IDM_SAVE_SETUP 1028
#define IDM_HELP_CONTENTS 1029
#define IDM_HELP_SEARCH 1030
#define IDM_HELP_ON_HELP 1031
#define IDM_ABOUT 1032
#define IDM_FIRST_COMMAND IDM_COPY
#define IDM_LAST_COMMAND IDM_ABOUT

// System menu item.
#define IDM_ALWAYS_ON_TOP 1129

// Main window controls.
#define IDC_DISPLAY 1165
// Keypad buttons 1166-1185, consecutive in creation order (the engine's keypad table).
#define IDC_KEY_CLEAR 1166
#define IDC_KEY_0 1167
#define IDC_KEY_BACK 1168
#define IDC_KEY_EQUALS 1169
#define IDC_KEY_1 1170
#define IDC_KEY_2 1171
#define IDC_KEY_3 1172
#define IDC_KEY_PLUS 1173
#define IDC_KEY_4 1174
#define IDC_KEY_5 1175
#define IDC_KEY_6 1176
#define IDC_KEY_MINUS 1177
#define IDC_KEY_7 1178
#define IDC_KEY_8 1179
#define IDC_KEY_9 1180
#define IDC_KEY_TIMES 1181
#define IDC_KEY_MR 1182
#define IDC_KEY_MPLUS 1183
#define IDC_KEY_MMINUS 1184
#define IDC_KEY_DIVIDE 1185
#define IDC_FIRST_KEY IDC_KEY_CLEAR
#define IDC_LAST_KEY IDC_KEY_DIVIDE
#define IDC_MEMORY 1186
#define IDC_FRAME 1187
#define IDC_TAPE 1188
#define IDC_MODE_DISPLAY 1189

// Dialog templates.
#define IDD_ABOUT 100
#define IDD_ROMAN 200
#define IDD_FORMAT_HMSF 600
#define IDD_FORMAT_HMSF_DROP 601
#define IDD_FORMAT_FEET 602
#define IDD_FORMAT_HEX 603
#define IDD_FORMAT_DEC 604
#define IDD_FORMAT_OCT 605

// About box controls.
#define IDC_ABOUT_NAME 101
#define IDC_ABOUT_VERSION 102
#define IDC_ABOUT_YEARS 103
#define IDC_ABOUT_MAKER 104

// Roman dialog controls.
#define IDC_ROMAN_ARABIC_GROUP 101
#define IDC_ROMAN_ARABIC 102
#define IDC_ROMAN_TO_ROMAN 103
#define IDC_ROMAN_TO_ARABIC 104
#define IDC_ROMAN_ROMAN_GROUP 105
#define IDC_ROMAN_ROMAN 106
#define IDC_ROMAN_UPPER 107
#define IDC_ROMAN_HELP 108

// Clipboard Formats page controls, 2100-2116, shared by templates 600-605.
#define IDC_FMT_LEAD_GROUP 2100
#define IDC_FMT_LEAD_NONE 2101
#define IDC_FMT_LEAD_SPACES 2102
#define IDC_FMT_LEAD_ZEROS 2103
#define IDC_FMT_SEP_GROUP 2104
#define IDC_FMT_SEP_NONE 2105
#define IDC_FMT_SEP_COLONS 2106
#define IDC_FMT_SEP_PERIOD 2107
#define IDC_FMT_SEP_SEMICOLON 2108
#define IDC_FMT_SEP_HYPHEN 2109
#define IDC_FMT_COMMAS 2110
#define IDC_FMT_PREFIX 2111
#define IDC_FMT_LEADING_ZERO 2112
#define IDC_FMT_TRAILING 2113
#define IDC_FMT_UPPER 2114
#define IDC_FMT_KIND_LABEL 2115
#define IDC_FMT_SAMPLE 2116

// Help contexts: the Roman dialog's topic, and the Clipboard Formats page controls.
#define IDH_ROMAN 3002
#define IDH_FMT_LEAD_NONE 3004
#define IDH_FMT_LEAD_SPACES 3005
#define IDH_FMT_LEAD_ZEROS 3006
#define IDH_FMT_SEP_NONE 3008
#define IDH_FMT_SEP_COLONS 3009
#define IDH_FMT_SEP_PERIOD 3010
#define IDH_FMT_SEP_SEMICOLON 3011
#define IDH_FMT_SEP_HYPHEN 3012
#define IDH_FMT_COMMAS 3013
#define IDH_FMT_PREFIX 3014
#define IDH_FMT_LEADING_ZERO 3015
#define IDH_FMT_TRAILING 3016
#define IDH_FMT_UPPER 3017
#define IDH_FMT_KIND_LABEL 3018
#define IDH_FMT_SAMPLE 3019
#define IDH_FMT_GROUP 3030

// The built-in help: its text (RCDATA, read by help/help_text.h), the help window's
// template and its controls.
#define IDR_HELP_TEXT 320
#define IDD_HELP 300
#define IDC_HELP_SEARCH_LABEL 301
#define IDC_HELP_SEARCH 302
#define IDC_HELP_TOPICS_LABEL 303
#define IDC_HELP_TOPICS 304
#define IDC_HELP_TITLE 305
#define IDC_HELP_TEXT 306
