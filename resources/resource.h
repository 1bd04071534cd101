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
#define IDO_GROUP_FOLDER 3000
#define IDO_GROUP_COMMON 3001
#define IDO_GROUP_CHR 3002
#define IDO_GROUP_PRG 3003
#define IDO_GROUP_PTC 3004
#define IDO_LABEL_1BIT 3005
