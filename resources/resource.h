// Identifiers of the menus and dialogs. Hand-written; one range a dialog.
#pragma once

// Main menu commands.
#define IDM_EXIT 0
#define IDM_CONVERT 1
#define IDM_PACKAGE 2
#define IDM_TYPE_BG 257
#define IDM_TYPE_16X16 258
#define IDM_TYPE_32X16 259
#define IDM_TYPE_16X32 260
#define IDM_TYPE_32X32 261
#define IDM_TYPE_64X32 262
#define IDM_TYPE_32X64 263
#define IDM_TYPE_64X64 264
#define IDM_TYPE_GRP 265
#define IDM_TYPE_BIN 266
#define IDM_OPTIONS 512

// Options dialog (OPTIONMENU): the identifiers are the option numbers themselves.
#define OPT_SELECT_INPUT 768
#define OPT_SELECT_TOOL 769
#define OPT_SELECT_USER 770
#define OPT_USER 771
#define OPT_CREATE 772
#define OPT_CHOOSE_FOLDER 773
#define OPT_TEXT_OUT 1280
#define OPT_DATA_HEX 1281
#define OPT_DATA_DECIMAL 1282
#define OPT_PRG_LIMIT 1536
#define OPT_PRG_TO_SCR 267
#define OPT_PRG_TO_MEM 270
#define OPT_KEEP_WIDTH 1024
#define OPT_WIDE_128 1025
#define OPT_WIDE_256 1026
#define OPT_PAL_KEEP 1037
#define OPT_PAL_FIX 1038
#define OPT_PAL_ASK 1039
#define OPT_MULTIBYTE 1537
#define OPT_ESCAPE 1548
#define OPT_MAKE_128 1027
#define OPT_MAKE_256 1028
#define OPT_CONFIRM 1
#define OPT_CANCEL 2
#define IDO_GROUP_FOLDER 3000
#define IDO_GROUP_COMMON 3001
#define IDO_GROUP_CHR 3002
#define IDO_GROUP_PRG 3003
#define IDO_GROUP_PTC 3004
#define IDO_LABEL_1BIT 3005
