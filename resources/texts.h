#pragma once
// Every text the program shows, in one place. A Text is shown by the command
// line too and has an English form beside the Japanese; the rest belongs to the
// desktop program alone. Source files are UTF-8; the
// desktop program converts these to UTF-16 for the wide API, the command
// line prints them as they are (UTF-8) or through the console's wide output.

#include "common/text.h"

namespace tw {

// Batch summary.
inline constexpr Text kSummaryFormat{"%d個のファイルを変換しました\n変換成功：%d個\n変換失敗：%d個",
                                     "%d files\nConverted: %d\nFailed: %d"};
inline constexpr Text kSummaryCaption{"変換終了", "Conversion finished"};

// The question about two-colour images; the image's path stands before it.
inline constexpr Text kPaletteQuestion{
    "\nこの画像は2色1bitタイプの画像です。\n画像では現在パレット1が使用されています。\n"
    "文字色であるパレット15を使用して変換を行いますか？",
    "\nThis is a two-colour 1-bit image.\nIt uses colour 1 of the palette.\nConvert it with colour "
    "15, the text colour, instead?"};
inline constexpr Text kPaletteCaption{"パレット変換の確認", "Palette question"};

inline constexpr const char* kErrorCaption = "Error";

// Packages.
inline constexpr Text kPackageFailures{"以下のファイルの変換に失敗しました",
                                       "These files could not be converted:"};
inline constexpr const char* kPackageSaveTitle = "ファイルの保存場所を選択";
inline constexpr const char* kPackageFilter = "PTCパッケージ";
inline constexpr Text kPackageWritten{"PTCパッケージを作成しました", "The PTC package was written"};
inline constexpr Text kPackageWriteFailed{"ファイルの保存に失敗しました",
                                          "The file could not be saved"};
inline constexpr Text kSlotImageRefused{"この画像はこのリソースタイプに指定できません",
                                        "This image cannot go in this kind of resource"};
inline constexpr const char* kBankEntry = "%d枚目";
inline constexpr const char* kChooseImageTitle = "変換するビットマップ画像を選択";
inline constexpr const char* kImageFilter = "ビットマップ画像";
inline constexpr const char* kChooseTextTitle = "変換するテキストを選択";
inline constexpr const char* kTextFilter = "テキストドキュメント";
inline constexpr const char* kChooseFileTitle = "変換するファイルを選択";
inline constexpr const char* kScrFilter = "SCRリソースファイル";

// Reasons for a failed file, printed by the command line (one line each).
inline constexpr Text kReasonPathTooLong{"パスが長すぎます（259文字まで）: %s",
                                         "path too long (259 characters at most): %s"};
inline constexpr Text kReasonFolder{"出力フォルダを作成できません: %s",
                                    "cannot create the output folder: %s"};
inline constexpr Text kReasonOpenInput{"ファイルを開けません: %s", "cannot open the file: %s"};
inline constexpr Text kReasonWriteOutput{"出力ファイルを書き込めません: %s",
                                         "cannot write the output file: %s"};
inline constexpr Text kReasonDigest{"MD5を計算できません: %s", "cannot compute the MD5 digest: %s"};
inline constexpr Text kReasonNoBody{"出力するデータがありません", "nothing to write"};
inline constexpr Text kReasonReadInput{"ファイルを最後まで読めません: %s",
                                       "cannot read the file to its end: %s"};
inline constexpr Text kReasonOutOfMemory{"メモリが足りません", "out of memory"};
inline constexpr Text kReasonEmptyInput{"空のファイルです", "the file is empty"};
inline constexpr Text kReasonTooLarge{"4GiB以上のファイルは変換できません",
                                      "files of 4 GiB or more cannot be converted"};
inline constexpr Text kReasonNotBmp{"BMPファイルではありません", "not a BMP file"};
inline constexpr Text kReasonBmpHeader{"対応していないBMPヘッダです（OS/2形式など）",
                                       "unsupported BMP header (OS/2 or similar)"};
inline constexpr Text kReasonBmpBits{
    "対応していないBMPの種類です: %u bit（1・4・8 bitのパレット付き画像のみ）",
    "unsupported BMP: %u bits (only 1, 4 and 8-bit images with a palette)"};
inline constexpr Text kReasonBmpCompression{"圧縮されたBMPには対応していません（圧縮形式 %u）",
                                            "compressed BMPs are not supported (compression %u)"};
inline constexpr Text kReasonBmpSize{"画像の幅または高さが不正です",
                                     "the width or height of the image is invalid"};
inline constexpr Text kReasonBmpTooLarge{"画像が大きすぎます（16384x16384ピクセルまで）",
                                         "the image is too large (16384x16384 pixels at most)"};
inline constexpr Text kReasonBmpTruncated{"BMPのピクセルデータがファイルに収まっていません",
                                          "the pixel data of the BMP does not fit in the file"};
inline constexpr Text kReasonBmpPalette{"BMPのパレットがファイルに収まっていません",
                                        "the palette of the BMP does not fit in the file"};
inline constexpr Text kReasonBmpUnit{"画像のサイズ %dx%d が単位 %dx%d の倍数ではありません",
                                     "the image size %dx%d is not a multiple of the unit %dx%d"};
inline constexpr Text kReasonChrWidth{
    "画像の幅 %d はこの単位の高さ %d では変換できません（幅は%dまで）",
    "an image %d wide cannot be converted with units %d high (%d wide at most)"};
inline constexpr Text kReasonDataText{"DATAテキストファイルを書き込めません: %s",
                                      "cannot write the DATA text file: %s"};
inline constexpr Text kReasonTextTooLarge{"テキストが大きすぎます（1GiBまで）",
                                          "the text is too large (1 GiB at most)"};
inline constexpr Text kReasonPrgFullwidth{
    "全角テキストに変換できない文字があります: %02X %02X（%llu バイト目）",
    "a character cannot be written as full-width text: %02X %02X (byte %llu)"};
inline constexpr Text kReasonPrgLine{"1行が長すぎます（変換後 %llu バイト目）",
                                     "a line is too long (byte %llu after conversion)"};
inline constexpr Text kReasonMemMarker{"MEM$=\"… が見つかりません", "no MEM$=\"... found"};
inline constexpr Text kReasonMemQuote{"MEM$=\" の後に閉じる \" がありません",
                                      "no closing \" after MEM$=\""};
inline constexpr Text kReasonBgput{"BGPUT テキストの %llu 行目が読めません",
                                   "cannot read line %llu of the BGPUT text"};
inline constexpr Text kReasonUnitLayout{
    "画像の大きさが単位の並びに合わないため書き出せません: %s",
    "the image size does not fit its units, so it cannot be written: %s"};
inline constexpr Text kReasonPtcTruncated{"PTCファイルのデータが途中で切れています",
                                          "the data of the PTC file is cut short"};
inline constexpr Text kReasonPtcRecord{"PTCファイルの %llu バイト目に読めるリソースがありません",
                                       "no readable resource at byte %llu of the PTC file"};
inline constexpr Text kReasonPtcName{
    "リソース名に / や \\ が含まれているため展開できません",
    "the resource name holds / or \\, so it cannot be taken apart"};
inline constexpr Text kReasonMemUnit{"MEMに文字にできない値があります",
                                     "the MEM holds a value that is no character"};
inline constexpr Text kReasonNotPng{"PNGファイルではありません", "not a PNG file"};
inline constexpr Text kReasonPngBroken{"PNGファイルが壊れているか、読めない形式です",
                                       "the PNG file is broken or of a kind that cannot be read"};
inline constexpr Text kReasonPngType{"パレット付きでないPNGには対応していません（%s、%u bit）",
                                     "only PNGs with a palette are supported (%s, %u bits)"};
inline constexpr Text kPngGrey{"グレースケール", "greyscale"};
inline constexpr Text kPngRgb{"RGB", "RGB"};
inline constexpr Text kPngGreyAlpha{"グレースケール＋アルファ", "greyscale with alpha"};
inline constexpr Text kPngRgba{"RGBA", "RGBA"};
inline constexpr Text kPngUnknownType{"不明な色の種類", "unknown colour type"};
inline constexpr Text kReasonMapSize{
    "画像のサイズ %dx%d はBG画面にできません（幅と高さは8の倍数で512まで）",
    "an image of %dx%d cannot become a BG screen (width and height multiples of 8, 512 at most)"};
inline constexpr Text kReasonMapMixedBanks{"セル %d,%d の中で違うパレットの色が使われています",
                                           "cell %d,%d uses colours of different palettes"};
inline constexpr Text kReasonMapTooManyTiles{
    "タイルが多すぎます: 空白タイルを含めて%u個必要です（1024個まで）",
    "too many tiles: %u are needed, the blank one included (1024 at most)"};
inline constexpr Text kReasonRenderMissingBanks{
    "画面が使うキャラクタのバンク %s がありません",
    "the screen uses character banks that were not given: %s"};
inline constexpr Text kReasonRenderNoSlot{"パッケージ %s に %s がありません",
                                          "the package %s has no %s"};
inline constexpr Text kReasonRenderTwice{"%s: %s が2つ指定されています", "%s: a second %s"};
inline constexpr Text kReasonRenderPackageAlone{"パッケージ %s は1つだけで指定してください",
                                                "give the package %s on its own"};
inline constexpr Text kReasonRenderUnusable{
    "%s: 描画に使えるのは SCR・CHR・COL のPTCファイル、.rscr、BGPUTテキストです",
    "%s: a render takes SCR, CHR and COL PTC files, .rscr files and BGPUT texts"};
inline constexpr Text kReasonRenderTooManyBanks{"%s: CHRは4つまでです",
                                                "%s: four CHR files at most"};
inline constexpr Text kReasonRenderInputs{
    "画面（SCR）、CHR（1〜4個）、COLを1つずつ指定してください",
    "give a screen (SCR), one to four CHR files and one COL file"};
inline constexpr Text kReasonRenderScreenNeedsPackage{
    "--screen はパッケージを描画するときだけ指定できます",
    "--screen is only for drawing a package"};
inline constexpr Text kReasonPictureEncode{"画像を作れません: %s", "cannot make the picture: %s"};
inline constexpr Text kReasonPtcKind{"%s: %s のPTCファイルではありません", "%s: not a %s PTC file"};
inline constexpr Text kReasonFailed{"変換できませんでした", "could not be converted"};
inline constexpr Text kReasonNoConverter{"このファイルの種類は変換できません",
                                         "files of this kind cannot be converted"};

// The command line.
inline constexpr Text kCliVersion{"%s (MD5: %s, PNG: %s)\n", "%s (MD5: %s, PNG: %s)\n"};
// The usage of each command: its synopsis, then the options of the option
// table (cli/option_table.cpp), then its exit status.
inline constexpr Text kCliConvertSynopsis{
    "使い方: tilewright [オプション] ファイル...\n"
    "  ファイルを順に変換します（メインウィンドウへのドロップと同じ）。\n"
    "  BMP画像 → COL/CHR（またはGRP）、テキスト → PRG/MEM/SCR、PTC → 元のファイル、\n"
    "  その他のファイル → BIN。設定はカレントフォルダの Brickyard.ini から読みます。\n"
    "\n",
    "Usage: tilewright [OPTIONS] FILE...\n"
    "  Converts the files in order, as a drop of them on the main window would.\n"
    "  BMP image -> COL/CHR (or GRP), text -> PRG/MEM/SCR, PTC -> the files it holds,\n"
    "  any other file -> BIN. The settings come from Brickyard.ini in the working folder.\n"
    "\n"};
inline constexpr Text kCliConvertExit{
    "終了コード: 0 すべて変換成功、1 変換失敗あり、2 指定の誤り\n",
    "Exit status: 0 every file converted, 1 some failed, 2 a "
    "usage error\n"};
inline constexpr Text kCliMapSynopsis{
    "使い方: tilewright map [-o フォルダ] [--palette auto|keep|generate|ファイル] "
    "[--transparent RRGGBB|none] [--pack-effort N] [--shared 名前] [--report] [--reduce] "
    "[--dither] [--no-flip] [--palette-fix yes|no] [-s KEY=VALUE]... 画像|レベル...\n"
    "  "
    "絵（PNG、BMP、JPEG、GIF、フルカラーもパレット付きも可、幅と高さは512まで）をBG画面にします。\n"
    "  8x8のセルごとに15色以内。パレットは画像のまま（keep）か、最少のパレット数に自動で\n"
    "  配置します（generate）。同じタイル（左右・上下反転を含む）は1つにまとめます。\n"
    "  出力: 名前_COL.ptc、名前_CHR.ptc（256タイルを超えると 名前_CHR0.ptc, 名前_CHR1.ptc…）、\n"
    "        名前_SCR.ptc（64x64の画面）\n"
    "  Tiledのレベル（.tmx、.tmj、.json）は見えるタイルレイヤーを描いて変換します:\n"
    "  1枚なら 名前_SCR.ptc、2枚なら 名前_SCR0.ptc（下）と 名前_SCR1.ptc\n"
    "\n",
    "Usage: tilewright map [-o DIR] [--palette auto|keep|generate|FILE] "
    "[--transparent RRGGBB|none] [--pack-effort N] [--shared NAME] [--report] [--reduce] "
    "[--dither] [--no-flip] [--palette-fix yes|no] [-s KEY=VALUE]... IMAGE|LEVEL...\n"
    "  Turns pictures (PNG, BMP, JPEG or GIF, true colour or indexed, up to 512 wide and high) "
    "into\n"
    "  BG screens. Each 8x8 cell holds at most 15 colours; palettes are kept as the picture\n"
    "  has them (keep) or arranged into the fewest banks (generate). Equal tiles (mirrored\n"
    "  ones too) are stored once.\n"
    "  Outputs: NAME_COL.ptc, NAME_CHR.ptc (past 256 tiles NAME_CHR0.ptc, NAME_CHR1.ptc...),\n"
    "           NAME_SCR.ptc (the 64x64 screen)\n"
    "  A Tiled level (.tmx, .tmj, .json) is drawn from its visible tile layers: one gives\n"
    "  NAME_SCR.ptc, two NAME_SCR0.ptc (the bottom one) and NAME_SCR1.ptc\n"
    "\n"};
inline constexpr Text kCliMapExit{"終了コード: 0 すべて変換成功、1 変換失敗あり、2 指定の誤り\n",
                                  "Exit status: 0 every image converted, 1 some failed, 2 a usage "
                                  "error\n"};
inline constexpr Text kCliRenderSynopsis{
    "使い方: tilewright render -o 出力.png|出力.bmp [--screen SCR0-SCR3] [--crop X,Y,W,H] "
    "ファイル...\n"
    "  BG画面を512x512の8bitパレット画像に描きます。ファイルは次のどちらかです:\n"
    "    パッケージ1つ（--screen の画面を、上画面なら BGU0-BGU3 と COL0、下画面なら\n"
    "    BGS0-BGS3 と COL0_S で描きます。既定は SCR0）\n"
    "    画面（SCRのPTC、.rscr、BGPUTテキスト）、CHRのPTC 1〜4個（順にバンク0〜3）、COLのPTC 1個\n"
    "\n",
    "Usage: tilewright render -o OUT.png|OUT.bmp [--screen SCR0-SCR3] [--crop X,Y,W,H] FILE...\n"
    "  Draws a BG screen as a 512x512 8-bit indexed picture. The files are either\n"
    "    one package (its screen --screen, drawn with BGU0-BGU3 and COL0 on the upper\n"
    "    screen, BGS0-BGS3 and COL0_S on the lower; SCR0 by default), or\n"
    "    a screen (SCR PTC file, .rscr or BGPUT text), one to four CHR PTC files (banks\n"
    "    0 to 3 in order) and one COL PTC file\n"
    "\n"};
inline constexpr Text kCliRenderExit{"終了コード: 0 描いた、1 描けなかった、2 指定の誤り\n",
                                     "Exit status: 0 drawn, 1 not drawn, 2 a usage error\n"};
inline constexpr Text kCliPackageSynopsis{
    "使い方: tilewright package -o 出力.ptc [--name 名前] スロット=ファイル[@バンク][:幅x高さ] "
    "...\n"
    "  プログラムとリソースを1つのPTCパッケージにまとめます（パッケージ作成ダイアログと同じ）。\n"
    "  スロット: PRG, MEM, SPU0-SPU7, BGU0-BGU3, BGF0, COL0-COL2, SCR0, SCR1（上画面）,\n"
    "            GRP0-GRP3, SPD0-SPD3, BGS0-BGS3, BGF1, COL0_S-COL2_S, SCR2, SCR3（下画面）,\n"
    "            SPS0, SPS1, BGD0, BGD1（展開したときのファイル名と同じ）\n"
    "  ファイル  画像（パレット付きBMPかPNG）、テキスト、またはスロットと同じ種類のPTCファイル\n"
    "            （CHR, COL, SCR, GRP, MEM。中身をそのまま入れます: tilewright map の出力など）\n"
    "  @バンク   画像の何枚目を使うか（1から、既定 1）\n"
    "  :幅x高さ  スプライトの大きさ（SPU, SPS: 16x16 など、既定 16x16。SPD は 32x32）\n"
    "\n",
    "Usage: tilewright package -o OUT.ptc [--name NAME] SLOT=FILE[@BANK][:WxH] ...\n"
    "  Puts a program and resources into one PTC package, as the package dialog does.\n"
    "  SLOT:   PRG, MEM, SPU0-SPU7, BGU0-BGU3, BGF0, COL0-COL2, SCR0, SCR1 (upper screen),\n"
    "          GRP0-GRP3, SPD0-SPD3, BGS0-BGS3, BGF1, COL0_S-COL2_S, SCR2, SCR3 (lower screen),\n"
    "          SPS0, SPS1, BGD0, BGD1 (the names extraction gives the files)\n"
    "  FILE    an image (indexed BMP or PNG), a text, or a PTC file of the slot's kind\n"
    "          (CHR, COL, SCR, GRP, MEM, taken as it stands: the outputs of tilewright map...)\n"
    "  @BANK   which part of the image (from 1, 1 by default)\n"
    "  :WxH    the sprite size (SPU, SPS: 16x16 and so on, 16x16 by default; SPD 32x32)\n"
    "\n"};
inline constexpr Text kCliPackageExit{"終了コード: 0 作成した、1 作成できなかった、2 指定の誤り\n",
                                      "Exit status: 0 written, 1 not written, 2 a usage error\n"};
inline constexpr Text kCliMore{"%s: %s\n詳しくは %s --help を見てください\n",
                               "%s: %s\nSee %s --help\n"};
inline constexpr Text kCliSetForm{"--set は KEY=VALUE の形で指定してください: %s",
                                  "give --set as KEY=VALUE: %s"};
inline constexpr Text kCliUserFolder{"User には259文字までのフォルダを指定してください",
                                     "give User a folder of 259 characters at most"};
inline constexpr Text kCliSettingInteger{"%s の値は整数で指定してください: %s",
                                         "the value of %s must be an integer: %s"};
inline constexpr Text kCliUnknownSetting{"設定の名前が不明です: %s", "unknown setting: %s"};
inline constexpr Text kCliNoTerminal{
    "\n→ 端末から答えられないため「いいえ」として続けます（--palette-fix yes|no で指定できます）\n",
    "\n-> no terminal can answer, so the answer is no (--palette-fix yes|no gives it)\n"};
inline constexpr Text kCliYesNoPrompt{"はい/いいえ (y/n): ", "yes/no (y/n): "};
inline constexpr Text kCliYes{"はい", "yes"};
inline constexpr Text kCliNo{"いいえ", "no"};
inline constexpr Text kCliProgress{"変換中 %zu/%zu", "converting %zu/%zu"};
inline constexpr Text kCliProgressPercent{"変換中 %zu/%zu (%u%%)", "converting %zu/%zu (%u%%)"};
inline constexpr Text kCliNeedsType{"%s には種類を指定してください", "%s needs a resource type"};
inline constexpr Text kCliUnknownType{"リソースの種類が不明です: %s", "unknown resource type: %s"};
inline constexpr Text kCliNeedsSetting{"%s には KEY=VALUE を指定してください",
                                       "%s needs KEY=VALUE"};
inline constexpr Text kCliPaletteFixValue{"--palette-fix には yes か no を指定してください",
                                          "--palette-fix takes yes or no"};
inline constexpr Text kCliLangValue{"--lang には ja か en を指定してください",
                                    "--lang takes ja or en"};
inline constexpr Text kCliUnknownOption{"不明なオプションです: %s", "unknown option: %s"};
inline constexpr Text kCliNoFiles{"変換するファイルを指定してください",
                                  "give the files to convert"};
inline constexpr Text kCliFailed{"変換失敗: %s: %s\n", "failed: %s: %s\n"};
inline constexpr Text kCliSucceeded{"変換成功: %s\n", "converted: %s\n"};
inline constexpr Text kInfoSynopsis{
    "使い方: tilewright info ファイル...\n"
    "  PTCファイルのヘッダ、長さとMD5の検査、パッケージのフラグとレコード\n"
    "  （展開したときのファイル名つき）を表示します。\n"
    "\n",
    "Usage: tilewright info FILE...\n"
    "  Shows the header of PTC files, whether their length and MD5 digest match, and a\n"
    "  package's flags and records (with the names extraction gives them).\n"
    "\n"};
inline constexpr Text kInfoExit{"終了コード: 0 すべて正常、1 異常なファイルあり、2 指定の誤り\n",
                                "Exit status: 0 every file well formed, 1 some malformed, 2 a "
                                "usage error\n"};
inline constexpr Text kInfoNoFiles{"ファイルを指定してください", "give the files to describe"};
inline constexpr Text kInfoCannotOpen{"  ファイルを開けません\n", "  cannot open the file\n"};
inline constexpr Text kInfoTooShort{"  短すぎます: %llu バイト（ヘッダは48バイト）\n",
                                    "  too short: %llu bytes (the header is 48)\n"};
inline constexpr Text kInfoMagic{"  マジック: %s%s\n", "  magic: %s%s\n"};
inline constexpr Text kInfoNotPx01{"（PX01ではありません）", " (not PX01)"};
inline constexpr Text kInfoLength{"  長さ: %u（%s）\n", "  length: %u (%s)\n"};
inline constexpr Text kInfoLengthMatches{"ファイルサイズと一致", "matches the file size"};
inline constexpr Text kInfoLengthDiffers{"ファイルサイズと一致しません",
                                         "does not match the file size"};
inline constexpr Text kInfoTypeCode{"  種類コード: %u\n", "  type code: %u\n"};
inline constexpr Text kInfoName{"  リソース名: %s\n", "  resource name: %s\n"};
inline constexpr Text kInfoTypeString{"  タイプ: %s\n", "  type: %s\n"};
inline constexpr Text kInfoDigest{"  MD5: %s\n", "  MD5: %s\n"};
inline constexpr Text kInfoMatches{"一致", "matches"};
inline constexpr Text kInfoDiffers{"一致しません", "does not match"};
inline constexpr Text kInfoBadRecord{"  レコードが読めません: %s\n",
                                     "  cannot read a record: %s\n"};
inline constexpr Text kInfoPackage{"  パッケージ: package_mask_1=0x%08X package_mask_2=0x%08X\n",
                                   "  package: package_mask_1=0x%08X package_mask_2=0x%08X\n"};
inline constexpr Text kInfoRecords{"  レコード:\n", "  records:\n"};
inline constexpr Text kInfoRecord{"    %8llu  %s  %6llu バイト  → %s\n",
                                  "    %8llu  %s  %6llu bytes  -> %s\n"};
inline constexpr Text kInfoRecordCut{"  レコードが途中で切れています\n",
                                     "  the record is cut short\n"};
inline constexpr Text kInfoVerdict{"  判定: %s\n", "  verdict: %s\n"};
inline constexpr Text kInfoWellFormed{"正常", "well formed"};
inline constexpr Text kInfoMalformed{"異常", "malformed"};
inline constexpr Text kMapNeedsFolder{"-o には出力するフォルダを指定してください",
                                      "-o needs the output folder"};
inline constexpr Text kMapNoImages{"変換する画像を指定してください", "give the images to map"};
inline constexpr Text kMapNoFolder{"%s: 出力フォルダを作成できません: %s\n",
                                   "%s: cannot create the output folder: %s\n"};
inline constexpr Text kMapSucceeded{
    "変換成功: %s: タイル %zu個（空白タイルを含む）、反転を使うセル %u個、パレット %s\n",
    "converted: %s: %zu tiles (the blank one included), %u cells flipped, palettes %s\n"};
inline constexpr Text kPackageSlotForm{"スロット=ファイル の形で指定してください: %s",
                                       "give slots as SLOT=FILE: %s"};
inline constexpr Text kPackageUnknownSlot{"スロットの名前が不明です: %s", "unknown slot: %s"};
inline constexpr Text kPackageNoSize{"%s には大きさを指定できません", "%s takes no size"};
inline constexpr Text kPackageNoBank{"%s にはバンクを指定できません", "%s takes no bank"};
inline constexpr Text kPackageBankNumber{"バンクは1以上の数で指定してください: %s",
                                         "a bank is a number from 1: %s"};
inline constexpr Text kPackageNoFile{"%s のファイルを指定してください", "%s needs a file"};
inline constexpr Text kPackageNeedsOutput{"-o には出力ファイルを指定してください",
                                          "-o needs the output file"};
inline constexpr Text kPackageNeedsName{"--name には名前を指定してください", "--name needs a name"};
inline constexpr Text kPackageTwice{"%s が2回指定されています", "%s is given twice"};
inline constexpr Text kPackageNoOutput{"-o で出力ファイルを指定してください",
                                       "give the output file with -o"};
inline constexpr Text kPackageNoSlots{"スロットを1つ以上指定してください", "give one slot or more"};
inline constexpr Text kPackageBankMissing{"%s: %d枚目はありません（%d枚目まで）\n",
                                          "%s: there is no bank %d (%d at most)\n"};
inline constexpr Text kPackageBadSize{"%s の大きさにできません: %s", "%s cannot take the size %s"};
inline constexpr Text kRenderOutputKind{"-o には .png か .bmp のファイルを指定してください",
                                        "-o needs a .png or .bmp file"};
inline constexpr Text kRenderScreenName{
    "--screen には SCR0, SCR1, SCR2, SCR3 のどれかを指定してください",
    "--screen takes SCR0, SCR1, SCR2 or SCR3"};
inline constexpr Text kRenderCrop{"--crop には 512x512 の中の範囲を X,Y,W,H で指定してください",
                                  "--crop takes X,Y,W,H inside 512x512"};
inline constexpr Text kRenderNoOutput{"-o で出力する画像を指定してください",
                                      "give the picture to write with -o"};
inline constexpr Text kRenderNoFiles{"描画するファイルを指定してください",
                                     "give the files to draw"};
inline constexpr Text kRenderFailed{"描画失敗: %s: %s\n", "failed: %s: %s\n"};
inline constexpr Text kRenderSucceeded{"描画成功: %s (%ux%u)\n", "drawn: %s (%ux%u)\n"};

// Packages, the failure list: the mark of a lower-screen slot.
inline constexpr Text kLowerScreenMark{" (下画面)", " (lower screen)"};

// The PTC walk: why no record could be read.
inline constexpr Text kWalkNoRecord{"レコードの始まりの R が見つかりません",
                                    "no R where a record should start"};
inline constexpr Text kWalkTagCut{"タグが途中で切れています", "the tag is cut short"};
inline constexpr Text kWalkUnknownTag{"不明なタグです", "unknown tag"};

// The desktop program's own choosers.
inline constexpr const char* kFolderPickerTitle = "フォルダを選択";
inline constexpr const char* kAllFilesFilter = "全てのファイル";

// Resource names that cannot name a folder or file on Windows as written.
inline constexpr Text kReasonPtcNameOnWindows{
    "リソース名 \"%s\" はWindowsのフォルダ名・ファイル名に使えないため展開できません（%s）",
    "the resource name \"%s\" cannot name a folder or file on Windows, so it is not taken apart "
    "(%s)"};
inline constexpr Text kNameTrailingDot{"末尾が . または空白", "it ends in a dot or a space"};
inline constexpr Text kNameEndsInLeadByte{"2バイト文字の1バイト目で終わっている",
                                          "it ends in the first byte of a two-byte character"};
inline constexpr Text kNameControlByte{"制御文字を含む", "it holds a control character"};
inline constexpr Text kNameReservedCharacter{"使えない文字 : < > \" | ? * を含む",
                                             "it holds one of : < > \" | ? *"};
inline constexpr Text kNameNotInCodePage{"システムのコードページにない文字を含む",
                                         "it holds a character the system code page lacks"};

// The command line's option table: the help of each option, the list of
// commands in tilewright --help.
inline constexpr Text kOptHelpHelp{"この説明", "this usage"};
inline constexpr Text kOptLangHelp{"表示の言語（指定しないときはロケールから）",
                                   "the language of the messages (else from the locale)"};
inline constexpr Text kOptEndHelp{"以降の引数はオプションとして読まない",
                                  "no later argument is read as an option"};
inline constexpr Text kOptVersionHelp{"バージョン", "the version"};
inline constexpr Text kOptTypeHelp{
    "リソースの種類 (type): bg（既定）, 16x16, 32x16, 16x32, 32x32,\n"
    "64x32, 32x64, 64x64（スプライト）, grp, bin",
    "the resource type: bg (default), 16x16, 32x16, 16x32, 32x32,\n"
    "64x32, 32x64, 64x64 (sprites), grp, bin"};
inline constexpr Text kOptConvertSetHelp{
    "この実行だけの設定 (setting)。KEY は Brickyard.ini のキー名\n"
    "（大文字小文字は区別しない）、VALUE は整数、User はフォルダ。\n"
    "繰り返し指定できます。保存はされません",
    "a setting for this run only: KEY as in Brickyard.ini (any\n"
    "case), VALUE an integer, or a folder for User. Repeatable;\n"
    "nothing is saved"};
inline constexpr Text kOptConvertPaletteFixHelp{
    "2色1bit画像のパレット変換の確認への答え",
    "the answer to the palette question of two-colour 1-bit images"};
inline constexpr Text kOptMapOutputHelp{"出力するフォルダ（既定は設定の出力先）",
                                        "the output folder (by default the settings' one)"};
inline constexpr Text kOptNoFlipHelp{"反転したタイルをまとめない",
                                     "stores mirrored tiles as tiles of their own"};
inline constexpr Text kOptMapPaletteFixHelp{
    "2色1bitのBMPのパレット変換の確認への答え",
    "the answer to the palette question of two-colour 1-bit BMPs"};
inline constexpr Text kOptMapSetHelp{"この実行だけの設定（Select, User, Create など）",
                                     "a setting for this run only (Select, User, Create...)"};
inline constexpr Text kOptRenderOutputHelp{"出力する画像（.png か .bmp）",
                                           "the picture to write (.png or .bmp)"};
inline constexpr Text kOptScreenHelp{
    "パッケージのどの画面を描くか: SCR0, SCR1（上画面）, SCR2, SCR3（下画面）",
    "the screen of the package: SCR0, SCR1 (upper), SCR2, SCR3 (lower)"};
inline constexpr Text kOptCropHelp{"画面の一部だけを描く（見える範囲なら 0,0,256,192）",
                                   "draws only that part (what the handheld shows: 0,0,256,192)"};
inline constexpr Text kOptPackageOutputHelp{"出力するファイル（拡張子は .ptc になります）",
                                            "the file to write (its extension becomes .ptc)"};
inline constexpr Text kOptNameHelp{
    "パッケージ名（8文字、英大文字・数字・_）。既定 PACKAGE",
    "the package name (8 characters: A-Z, 0-9, _); PACKAGE by default"};
inline constexpr Text kOptPackageSetHelp{
    "この実行だけの設定（AutoTrim, WideMode, PRG_ESCAPE など）",
    "a setting for this run only (AutoTrim, WideMode, PRG_ESCAPE...)"};
inline constexpr Text kCliNoValue{"%s には値を指定できません", "%s takes no value"};
inline constexpr Text kCliIntegerValue{"%s には整数を指定してください: %s",
                                       "%s takes a whole number: %s"};
inline constexpr Text kCliCommands{"コマンド:\n", "Commands:\n"};
inline constexpr Text kCliFilesWord{"ファイル...", "FILE..."};
inline constexpr Text kCliCommandHelp{
    "各コマンドのオプションは tilewright コマンド --help で表示します\n",
    "tilewright COMMAND --help shows the options of a command\n"};
inline constexpr Text kConvertSummary{"ファイルを変換する（上の説明）",
                                      "converts the files (above)"};
inline constexpr Text kInfoSummary{"PTCファイルのヘッダ、長さとMD5の検査、レコードを表示する",
                                   "describes PTC files: header, length and MD5 checks, records"};
inline constexpr Text kPackageSummary{"プログラムとリソースからパッケージを作る",
                                      "builds a package from a program and resources"};
inline constexpr Text kMapSummary{"絵をパレット、タイル、BG画面にする",
                                  "turns pictures into a palette, tiles and a BG screen"};
inline constexpr Text kRenderSummary{"BG画面を画像に描く", "draws a BG screen as a picture"};

// Pictures of any kind (BMP and PNG read as RGBA): why one could not be read.
inline constexpr Text kReasonPictureKind{"BMP、PNG、JPEG、GIFのどれでもありません",
                                         "not a BMP, PNG, JPEG or GIF file"};
inline constexpr Text kReasonStbBroken{"JPEGまたはGIFとして読めません（%s）",
                                       "cannot read it as a JPEG or GIF (%s)"};
inline constexpr Text kReasonPictureBmpBits{"対応していないBMPのビット数です: %u bit",
                                            "unsupported BMP bit count: %u bits"};
inline constexpr Text kReasonPictureBmpMasks{"BMPのビットフィールドが不正です",
                                             "the bit fields of the BMP are invalid"};
inline constexpr Text kReasonPictureBmpRle{"BMPの圧縮データが壊れています",
                                           "the compressed data of the BMP is broken"};
inline constexpr Text kReasonPictureIndex{"パレットにない色番号 %u があります（パレットは%u色）",
                                          "colour index %u is beyond the palette (%u colours)"};

// Pictures to BG screens and sprites: units, palette rules, arranged banks, the report.
inline constexpr Text kUnitCell{"セル", "cell"};
inline constexpr Text kUnitSprite{"スプライト", "sprite"};
inline constexpr Text kReasonPictureTooLarge{
    "画像のサイズ %ux%u はBG画面より大きいです（512x512まで）",
    "a picture of %ux%u is larger than a BG screen (512x512 at most)"};
inline constexpr Text kReasonSheetTooLarge{
    "%ux%u のシートを %ux%u のスプライトに切るとタイルが%u個になります（2048個まで）",
    "a sheet of %ux%u cut into %ux%u sprites needs %u tiles (2048 at most)"};
inline constexpr Text kReasonUnitColours{
    "%s %u,%u は%u色を使っています（透明色のほかに15色まで）%s",
    "%s %u,%u uses %u colours (15 besides the transparent one at most)%s"};
inline constexpr Text kUnitsAlso{"。ほかに: %s", "; also %s"};
inline constexpr Text kUnitsMore{" ほか%u個", " and %u more"};
inline constexpr Text kReasonUnitMixedBanks{"%s %u,%u の中で違うパレットの色が使われています",
                                            "%s %u,%u uses colours of different palettes"};
inline constexpr Text kReasonKeepNotIndexed{"keep にはパレット付きの画像が必要です",
                                            "keep needs a picture with a palette"};
inline constexpr Text kReasonTooManyBanks{
    "色が16個のパレットに収まりません: 最善で%u個（少なくとも%u個）。%llu "
    "ステップ以内では見つかりません。--pack-effort を大きくすると見つかるかもしれません。残った%s: "
    "%s",
    "the colours do not fit in 16 palettes: %u at best (at least %u); none found within %llu "
    "steps; a larger --pack-effort may find one; %ss left over: %s"};
inline constexpr Text kReasonTooManyBanksProven{
    "色が16個のパレットに収まりません: 少なくとも%u個必要です（%sによる証明）、残った%s: %s",
    "the colours do not fit in 16 palettes: at least %u are needed, proven by %s; %ss left over: "
    "%s"};
inline constexpr Text kPackBoundColours{"色の数", "the colour count"};
inline constexpr Text kPackBoundClique{"どの2つも同じパレットに入らない%u組の色",
                                       "%u colour sets no two of which fit one palette"};
inline constexpr Text kPackBoundSearch{"すべての詰め方の探索", "a search of every packing"};
inline constexpr Text kReasonNoBankHolds{
    "%s %u,%u の色をすべて持つパレットがありません: 最も近いパレット%u に %s がありません",
    "%s %u,%u fits no palette: palette %u, the nearest, lacks %s"};
inline constexpr Text kReasonPaletteFile{
    "%s はCOLのPTCファイルでもパレット付きの画像でもありません",
    "%s is neither a COL PTC file nor a picture with a palette"};
inline constexpr Text kReasonReportWrite{"レポート画像 %s を書き込めません",
                                         "cannot write the report picture %s"};
inline constexpr Text kReasonInPicture{"%s: %s", "%s: %s"};

// The colour reducer: why a request was refused.
inline constexpr Text kReasonReduceSize{
    "減色できない大きさです（画像 %ux%u、単位 %ux%u）",
    "cannot reduce colours at this size (picture %ux%u, unit %ux%u)"};
inline constexpr Text kReasonReducePalette{"固定パレットは 16 バンク、各 15 色までです",
                                           "a fixed palette has at most 16 banks of 15 colours"};
inline constexpr Text kReasonReduceNoColours{"固定パレットに色がありません",
                                             "the fixed palette has no colours"};

// Tiled levels: why a level or one of its tilesets could not be read.
inline constexpr Text kLevelTooLargeFile{"レベルのファイルが大きすぎます（64MiBまで）",
                                         "the level file is too large (64 MiB at most)"};
inline constexpr Text kLevelXmlBroken{"%s: XMLとして読めません（%u行目）",
                                      "%s: not well-formed XML (line %u)"};
inline constexpr Text kLevelJsonBroken{"%s: JSONとして読めません（%zuバイト目）",
                                       "%s: not valid JSON (byte %zu)"};
inline constexpr Text kLevelNotMap{"%s: Tiledのマップではありません", "%s: not a Tiled map"};
inline constexpr Text kLevelNotTileset{"%s: Tiledのタイルセットではありません",
                                       "%s: not a Tiled tileset"};
inline constexpr Text kLevelBadValue{"%s: %s の値がないか正しくありません: %s",
                                     "%s: the value of %s is missing or wrong: %s"};
inline constexpr Text kLevelNotOrthogonal{
    "マップの向きが %s です（orthogonal のマップだけ読めます）",
    "the map is %s; only orthogonal maps can be read"};
inline constexpr Text kLevelInfinite{"無限マップは読めません（マップの大きさを固定してください）",
                                     "infinite maps cannot be read (give the map a fixed size)"};
inline constexpr Text kLevelTileSize{
    "マップのタイルが %ux%u ピクセルです（8の倍数にしてください）",
    "the map's tiles are %ux%u pixels; they must be multiples of 8"};
inline constexpr Text kLevelTooLarge{"マップが8ピクセルのセルで %llux%llu です（64x64まで）",
                                     "the map is %llux%llu cells of 8 pixels; 64x64 at most"};
inline constexpr Text kLevelTooManyLayers{"表示するタイルレイヤーは2枚までです: %s は3枚目です",
                                          "two visible tile layers at most: %s is the third"};
inline constexpr Text kLevelLayerSize{"レイヤー %s の大きさ %ux%u がマップの %ux%u と違います",
                                      "layer %s is %ux%u; the map is %ux%u"};
inline constexpr Text kLevelOffset{"レイヤー %s のずれ %s,%s が8ピクセルの倍数ではありません",
                                   "layer %s is offset by %s,%s, not a multiple of 8 pixels"};
inline constexpr Text kLevelEncoding{"レイヤー %s: データの形式 %s は読めません",
                                     "layer %s: the data encoding %s cannot be read"};
inline constexpr Text kLevelCompression{"レイヤー %s: データの圧縮 %s は読めません",
                                        "layer %s: the data compression %s cannot be read"};
inline constexpr Text kLevelZstdWindows{
    "レイヤー %s: zstd で圧縮されています（Windowsでは zstd を使えません）",
    "layer %s: the data is zstd compressed (zstd is not available on Windows)"};
inline constexpr Text kLevelDataBroken{"レイヤー %s: タイルのデータが壊れています",
                                       "layer %s: the tile data is broken"};
inline constexpr Text kLevelDataCount{"レイヤー %s: タイルが %zu個ではなく %zu個あります",
                                      "layer %s: the data holds %zu tiles, not %zu"};
inline constexpr Text kLevelHexFlag{
    "レイヤー %s: (%u, %u) のタイルに六角形の回転フラグ（ビット28）があります",
    "layer %s: the tile at (%u, %u) has the hexagonal rotation flag (bit 28)"};
inline constexpr Text kLevelUnknownTile{
    "レイヤー %s: タイル %u（位置 %u, %u）はどのタイルセットにもありません",
    "layer %s: the tile %u at (%u, %u) is in no tileset"};
inline constexpr Text kLevelDiagonalNotSquare{
    "レイヤー %s: (%u, %u) のタイルが対角に反転されていますが、タイルが正方形ではありません",
    "layer %s: the tile at (%u, %u) is flipped diagonally but the tiles are not square"};
inline constexpr Text kLevelTilesetMissing{"タイルセット %s を読めません（%s）",
                                           "cannot read the tileset %s (%s)"};
inline constexpr Text kLevelImageCollection{
    "タイルセット %s は画像のコレクションです（1枚の画像のタイルセットだけ読めます）",
    "tileset %s is a collection of images; only tilesets of one image can be read"};
inline constexpr Text kLevelTilesetTileSize{
    "タイルセット %s のタイルが %ux%u ピクセルです（マップのタイルは %ux%u）",
    "tileset %s has tiles of %ux%u pixels; the map's are %ux%u"};
inline constexpr Text kLevelImageMissing{"タイルセット %s: 画像 %s を読めません（%s）",
                                         "tileset %s: cannot read the image %s (%s)"};
inline constexpr Text kLevelTrans{"タイルセット %s: 透明色 %s が正しくありません",
                                  "tileset %s: the transparent colour %s is wrong"};

// Pictures to maps and sprites: the options, the summary, the sprites command.
inline constexpr Text kCliSpritesSynopsis{
    "使い方: tilewright sprites -t WxH [-o フォルダ] [--palette auto|keep|generate|ファイル] "
    "[--transparent RRGGBB|none] [--pack-effort N] [--report] [--palette-fix yes|no] シート...\n"
    "  スプライトシート（PNG、BMP、JPEG、GIF）を左上から順にWxHのスプライトに切り、それぞれ1つの\n"
    "  パレット（15色まで）で描きます。パレットは最少の数に配置します。\n"
    "  出力: 名前_CHR.ptc（256タイルを超えると 名前_CHR0.ptc…）、名前_COL.ptc、\n"
    "        名前_PAL_DATA.txt（各スプライトのパレット番号のDATA文）\n"
    "\n",
    "Usage: tilewright sprites -t WxH [-o DIR] [--palette auto|keep|generate|FILE] "
    "[--transparent RRGGBB|none] [--pack-effort N] [--report] [--palette-fix yes|no] SHEET...\n"
    "  Cuts each sprite sheet (PNG, BMP, JPEG or GIF) into WxH sprites in reading order; each "
    "sprite is\n"
    "  drawn in one palette bank of at most 15 colours, banks arranged into the fewest.\n"
    "  Outputs: NAME_CHR.ptc (past 256 tiles NAME_CHR0.ptc...), NAME_COL.ptc,\n"
    "           NAME_PAL_DATA.txt (DATA lines of each sprite's palette number)\n"
    "\n"};
inline constexpr Text kSpritesSummary{"スプライトシートをスプライトとパレットにする",
                                      "turns sprite sheets into sprites and palettes"};
inline constexpr Text kSpritesNeedsSize{
    "-t にはスプライトの大きさ（16x16～64x64）を指定してください",
    "-t needs a sprite size (16x16 to 64x64)"};
inline constexpr Text kSpritesNoSheets{"変換するシートを指定してください",
                                       "give the sprite sheets to convert"};
inline constexpr Text kSpritesSucceeded{"変換成功: %s: スプライト %u個、タイル %zu個",
                                        "converted: %s: %u sprites, %zu tiles"};
inline constexpr Text kOptPictureOutputHelp{"出力するフォルダ（既定は設定の出力先）",
                                            "the output folder (by default the settings' one)"};
inline constexpr Text kOptPaletteHelp{
    "パレットの決め方: auto（既定）、keep（画像の番号のまま）、generate（最少の数に配置）、\n"
    "またはCOLのPTCファイルかパレット付き画像（そのパレットを使う）",
    "how palettes are found: auto (the default), keep (the picture's own indices), generate\n"
    "(arranged into the fewest banks), or a COL PTC file or indexed picture whose palette is used"};
inline constexpr Text kOptPaletteValue{
    "--palette には auto, keep, generate かファイルを指定してください",
    "--palette takes auto, keep, generate or a file"};
inline constexpr Text kOptTransparentHelp{
    "透明にする色（RRGGBB）、none ですべて不透明（既定: アルファ、なければ左上の画素の色）",
    "the transparent colour (RRGGBB), or none for every colour opaque (by default alpha,\n"
    "else the top-left pixel's colour)"};
inline constexpr Text kOptTransparentValue{"--transparent には RRGGBB か none を指定してください",
                                           "--transparent takes RRGGBB or none"};
inline constexpr Text kOptPackEffortHelp{
    "最少のパレット数を探す手数の上限（既定 1000000; 1手は1つの色の組を1つのパレットに置くこと）",
    "the most search steps spent finding and proving the fewest banks (1000000 by default; a step\n"
    "puts one cell's colours into one bank)"};
inline constexpr Text kOptPackEffortValue{"--pack-effort には0以上の整数を指定してください",
                                          "--pack-effort takes a whole number of 0 or more"};
inline constexpr Text kOptReportHelp{
    "名前_report.png（2倍の絵、セルごとのパレット番号、凡例）も書く",
    "also writes NAME_report.png (the picture at twice its size,\n"
    "each cell's bank, the banks as a legend)"};
inline constexpr Text kOptSharedHelp{
    "すべての画像で1つのパレットとタイルを使う（名前_COL.ptc、名前_CHR.ptc、画像ごとの _SCR.ptc）",
    "one palette and one tile set over all pictures (NAME_COL.ptc, NAME_CHR.ptc, and each\n"
    "picture's PICTURE_SCR.ptc)"};
inline constexpr Text kOptSpriteSizeHelp{
    "スプライトの大きさ（16x16, 32x16, 16x32, 32x32, 64x32, "
    "32x64, 64x64）",
    "the sprite size (16x16, 32x16, 16x32, 32x32, 64x32, "
    "32x64, 64x64)"};
inline constexpr Text kPictureRuleKeep{"、パレットは画像のまま",
                                       ", palettes as the picture has them"};
inline constexpr Text kPictureRuleFile{"、パレットは %s から", ", palettes from %s"};
inline constexpr Text kPictureFewest{"、パレット %u個（最少）", ", %u palettes (fewest)"};
inline constexpr Text kPictureBestFound{"、パレット %u個（見つかった最良、少なくとも %u個）",
                                        ", %u palettes (best found, at least %u)"};
inline constexpr Text kPictureWhyIndexed{"（パレット付きで各セルが1つのパレット）",
                                         " (indexed, every cell within one bank)"};
inline constexpr Text kPictureWhyNotIndexed{"（パレット付きでない画像）",
                                            " (not an indexed picture)"};
inline constexpr Text kPictureWhyMixed{"（セル %u,%u が複数のパレットの色を使う）",
                                       " (cell %u,%u uses colours of several banks)"};
inline constexpr Text kPictureWhyNotWhole{"（大きさがセルの倍数でない）",
                                          " (its size is not whole cells)"};
inline constexpr Text kPictureWhyPalettes{"（画像のパレットが同じでない）",
                                          " (the pictures' palettes differ)"};
inline constexpr Text kPictureWhyColour0{"（%u,%u の画素が不透明で色番号0）",
                                         " (the pixel at %u,%u is opaque but has colour number 0)"};
inline constexpr Text kPictureKeyNear{
    "、%06X の画素はありません。%u個の画素 %06X は不透明のままです",
    ", no pixel is %06X; %u pixels of %06X stay opaque"};
inline constexpr Text kPictureKeepHides{"、不透明な画素 %u個を色番号0で透明にしました",
                                        ", %u opaque pixel(s) made transparent by colour number 0"};
inline constexpr Text kPicturePadded{"、%ux%u を透明で %ux%u に広げました",
                                     ", padded with transparent pixels from %ux%u to %ux%u"};
inline constexpr Text kSharedNeedsName{"--shared には組の名前を指定してください",
                                       "--shared needs the name of the set"};
inline constexpr Text kPictureReportWritten{"、報告: %s", ", report: %s"};

// Levels from Tiled and back: `map LEVEL.tmx` and `tiled`.
inline constexpr Text kLevelNoLayers{"表示するタイルレイヤーがありません",
                                     "the level has no visible tile layer"};
inline constexpr Text kLevelByCharacter{"、tiled の書き出しから文字番号のまま",
                                        ", read back by character from a tiled export"};
inline constexpr Text kLevelLayers{"、レイヤー %u枚", ", %u layer(s)"};
inline constexpr Text kLevelSkippedHidden{"、非表示のタイルレイヤー %u枚を省略",
                                          ", %u hidden tile layer(s) skipped"};
inline constexpr Text kLevelSkippedObjects{"、オブジェクトレイヤー %u枚を省略",
                                           ", %u object layer(s) skipped"};
inline constexpr Text kLevelSkippedImages{"、画像レイヤー %u枚を省略",
                                          ", %u image layer(s) skipped"};
inline constexpr Text kLevelNotFaded{"、%s の不透明度・色合いは描いていません",
                                     ", opacity and tint of %s not drawn"};
inline constexpr Text kTiledSynopsis{
    "使い方: tilewright tiled -o フォルダ [--lower] ファイル...\n"
    "  BG画面をTiledのマップ NAME.tmx と、使うパレットごとのタイルセット\n"
    "  NAME_P<パレット>.tsx と .png に書き出します。ファイルは render と同じです:\n"
    "    パッケージ1つ（上画面の SCR0 と SCR1、--lower なら下画面の SCR2 と SCR3）\n"
    "    画面1〜2個（SCRのPTC、.rscr、BGPUTテキスト）、CHRのPTC 1〜4個、COLのPTC 1個\n"
    "  tilewright map NAME.tmx で同じ SCR、CHR、COL に読み戻せます\n"
    "\n",
    "Usage: tilewright tiled -o DIR [--lower] FILE...\n"
    "  Writes BG screens as a Tiled map NAME.tmx, with a tileset NAME_P<bank>.tsx and\n"
    "  .png for each palette bank used. FILE is what render takes:\n"
    "    one package (its upper screen, SCR0 and SCR1; with --lower SCR2 and SCR3)\n"
    "    one or two screens (SCR PTC, .rscr, BGPUT text), 1-4 CHR PTC files, one COL PTC\n"
    "  tilewright map NAME.tmx reads it back to the same SCR, CHR and COL\n"
    "\n"};
inline constexpr Text kTiledSummary{"BG画面をTiledのマップに書き出す",
                                    "writes BG screens as a Tiled map"};
inline constexpr Text kTiledExit{"終了コード: 0 書き出した、1 書き出せなかった、2 指定の誤り\n",
                                 "Exit status: 0 written, 1 not written, 2 a usage error\n"};
inline constexpr Text kOptTiledOutputHelp{"書き出すフォルダ", "the folder to write into"};
inline constexpr Text kOptLowerHelp{"パッケージの下画面（SCR2, SCR3）を書き出す",
                                    "export the package's lower screen (SCR2, SCR3)"};
inline constexpr Text kTiledNeedsFolder{"-o で書き出すフォルダを指定してください",
                                        "-o needs the folder to write into"};
inline constexpr Text kTiledNoFiles{"書き出すファイルを指定してください",
                                    "name the files to export"};
inline constexpr Text kTiledSucceeded{"%s: レイヤー %u枚、タイルセット %u個\n",
                                      "%s: %u layer(s), %u tileset(s)\n"};
inline constexpr Text kTiledFailed{"%s: 失敗しました: %s\n", "%s: failed: %s\n"};
inline constexpr Text kReasonTiledWrite{"%s を書き込めません", "cannot write %s"};

// --reduce and --dither of map and sprites
inline constexpr Text kOptReduceHelp{
    "色が合わない画像は色を減らして変換する（セルごとに1つのパレット、最大16パレット×15色）",
    "pictures whose colours do not fit are converted with fewer colours (one bank a cell,\n"
    "at most 16 banks of 15 colours)"};
inline constexpr Text kOptDitherHelp{"--reduce で色を減らすとき組織的ディザをかける",
                                     "ordered dithering when --reduce reduces colours"};
inline constexpr Text kOptReduceKeep{"--reduce は --palette keep と一緒には使えません",
                                     "--reduce cannot be used with --palette keep"};
inline constexpr Text kPictureReducedBanks{"、色を減らしてパレット %u個",
                                           ", colours reduced to %u palettes"};
inline constexpr Text kPictureReduceQuality{"、PSNR %.2f dB、最大の色の差 %.4f（Oklab）",
                                            ", PSNR %.2f dB, largest colour error %.4f (Oklab)"};

// QR sets: the stream of a PTC file and the name it is read back under.
inline constexpr Text kQrNotWellFormed{"正しいPTCファイルではありません（%s）",
                                       "not a well-formed PTC file (%s)"};
inline constexpr Text kQrNoPx01{"先頭が PX01 でない", "it does not start with PX01"};
inline constexpr Text kQrBadLength{"長さがヘッダと違う", "its length differs from its header's"};
inline constexpr Text kQrBadDigest{"MD5が合わない", "its MD5 digest does not match"};
inline constexpr Text kQrBadType{"型の文字列が不明", "its type string is unknown"};
inline constexpr Text kQrBadBody{"リソースの長さが型と合わない",
                                 "its body is not as long as its type says"};
inline constexpr Text kQrNameRefused{"内部名 \"%s\" はファイル名にできません（%s）",
                                     "the internal name \"%s\" cannot name a file (%s)"};
inline constexpr Text kNameEmpty{"空、. または ..", "it is empty, . or .."};
inline constexpr Text kNameSeparator{"/ または \\ を含む", "it holds / or \\"};
inline constexpr Text kNameNotAscii{"印字できるASCII以外のバイトを含む",
                                    "it holds a byte outside printable ASCII"};
inline constexpr Text kNameDevice{"デバイス名（CON, PRN, AUX, NUL, COM1〜9, LPT1〜9）",
                                  "it is a device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9)"};
inline constexpr Text kQrTooManyCodes{"QRコードが %u個必要です（255個まで）",
                                      "it needs %u QR codes (at most 255)"};
inline constexpr Text kQrCompressFailed{"zlibで圧縮できません", "zlib cannot compress it"};

inline constexpr Text kQrCodesMissing{"%s: コード %s（全%u個）がありません",
                                      "%s: codes %s of %u missing"};
inline constexpr Text kQrCodesDisagree{"%s: コード %s に内容の違う2つのコピーがあります",
                                       "%s: two different copies of code %s"};
inline constexpr Text kQrBadStreamDigest{"%s: 全体のMD5が合いません",
                                         "%s: the MD5 of the whole stream does not match"};
inline constexpr Text kQrBadCompressedLength{
    "%s: 圧縮長 %u がデータの長さ（%u バイト）と合いません",
    "%s: the compressed length %u does not match the stream (%u bytes)"};
inline constexpr Text kQrBadSuffix{"%s: 型 %s が不明です", "%s: unknown type %s"};
inline constexpr Text kQrPlainTooLong{"%s: 展開後の長さ %u は16MiBを超えます",
                                      "%s: the plain length %u is above 16 MiB"};
inline constexpr Text kQrInflatesBeyond{"%s: 展開すると宣言された長さ %u を超えます",
                                        "%s: it inflates beyond its stated length %u"};
inline constexpr Text kQrInflateFailed{"%s: 宣言された長さ %u に展開できません",
                                       "%s: it does not inflate to its stated length %u"};
inline constexpr Text kQrNotResource{"%s: 展開したデータが %s のリソースではありません",
                                     "%s: the inflated data is not a %s resource"};
inline constexpr Text kQrSameNameAndType{"%s (%s): 同じ名前と型の異なるセットがあります",
                                         "%s (%s): two different sets have this name and type"};

// tilewright unqr: QR sets read back from pictures.
inline constexpr Text kUnqrSynopsis{
    "使い方: tilewright unqr [-o フォルダ] 画像...\n"
    "  画像（PNG、BMP、JPEG、GIF）のQRコードを読み、QRセットをPTCファイルに戻します。\n"
    "  1枚にコードがいくつあっても、いくつものセットが混ざっていても、順不同でも構いません。\n"
    "  そろったセットごとに 名前.ptc（同じ名前のセットがあれば 名前_型.ptc）を書きます。\n"
    "  -o がなければ設定の出力フォルダ（最初の画像の出力先）に書きます\n"
    "\n",
    "Usage: tilewright unqr [-o DIR] IMAGE...\n"
    "  Reads the QR codes in pictures (PNG, BMP, JPEG, GIF) and turns QR sets back into PTC\n"
    "  files. A picture may hold any number of codes; sets may come mixed, in any order, over\n"
    "  many pictures. Each complete set is written as NAME.ptc (NAME_TYPE.ptc where sets\n"
    "  share a name). Without -o, into the settings' output folder for the first IMAGE\n"
    "\n"};
inline constexpr Text kUnqrSummary{"QRコードの画像をPTCファイルに戻す",
                                   "reads QR sets in pictures back into PTC files"};
inline constexpr Text kUnqrExit{
    "終了コード: 0 すべてのセットを書き出した、1 そろわない・書けないセット、読めない画像、"
    "またはコードがない、2 指定の誤り\n",
    "Exit status: 0 every set written, 1 a set incomplete or refused, a picture unreadable, or "
    "no code at all, 2 a usage error\n"};
inline constexpr Text kOptUnqrOutputHelp{"PTCファイルを書くフォルダ",
                                         "the folder to write the PTC files into"};
inline constexpr Text kUnqrNoImages{"読む画像を指定してください", "give the pictures to read"};
inline constexpr Text kUnqrImage{"%s: コード %u個\n", "%s: %u code(s)\n"};
inline constexpr Text kUnqrImageIgnored{"%s: コード %u個、無視したコード %u個\n",
                                        "%s: %u code(s), %u ignored\n"};
inline constexpr Text kUnqrCannotRead{"%s: 読めません: %s\n", "%s: cannot read: %s\n"};
inline constexpr Text kUnqrSetWritten{"%s (%s): コード %u個 → %s\n", "%s (%s): %u codes -> %s\n"};
inline constexpr Text kUnqrSetFailed{"失敗: %s\n", "failed: %s\n"};
inline constexpr Text kUnqrIgnored{
    "無視したコード %u個（MD5が合わない、または番号が不正）\n",
    "%u code(s) ignored (their MD5 failed or their number is wrong)\n"};
inline constexpr Text kUnqrNoCodeIn{"コードのない画像: %s\n", "no code found in: %s\n"};
inline constexpr Text kUnqrNoSets{"QRセットのコードが見つかりません\n",
                                  "no code of a QR set was found\n"};

// QR sets: `qr`, PTC files to QR codes for the handheld's camera.
inline constexpr Text kQrSynopsis{
    "使い方: tilewright qr [-o フォルダ] [--scale N] ファイル...\n"
    "  PTCファイル（どの種類でも、パッケージでも）を本体のカメラで読み込むQRコードの組にします。\n"
    "  名前_qr01.png…（コードが100個以上なら3桁）: コード1つずつ（バージョン20、誤り訂正M、\n"
    "    まわりに4モジュールの余白、白地に黒の1bit PNG）\n"
    "  名前_qr.png: すべてのコードを4列に並べ、番号「k/N」と種類・内部名の見出しをつけた一覧\n"
    "  名前_qr.html: 画面から読み込むためのページ。コードを1つずつ窓いっぱいに表示し、\n"
    "    矢印キー、スペース、クリックで次・前へ、アドレスの #k でコードkを開きます。\n"
    "    印刷するとすべてのコードを切れ目なく印刷します\n"
    "  コードが255個を超えるファイルや、unqr で読み戻せない内部名のファイルは書き出しません。\n"
    "\n",
    "Usage: tilewright qr [-o DIR] [--scale N] FILE...\n"
    "  Turns PTC files (of any kind, packages too) into QR sets for the handheld's camera:\n"
    "  NAME_qr01.png... (three digits from 100 codes on): one code each (version 20, error\n"
    "    correction M, a quiet zone of 4 modules, black on white, a 1-bit PNG)\n"
    "  NAME_qr.png: a sheet of all codes in 4 columns, numbered \"k/N\", titled with the\n"
    "    type and the internal name\n"
    "  NAME_qr.html: a page for scanning from the monitor, one code at a time as large as\n"
    "    the window allows; arrow keys, space and clicks go next and back, #k in the\n"
    "    address opens code k; printed, it gives every code whole\n"
    "  A file that needs more than 255 codes, or whose internal name unqr would refuse,\n"
    "  is not written.\n"
    "\n"};
inline constexpr Text kQrSummary{"PTCファイルを本体で読み込むQRコードの組にする",
                                 "turns PTC files into QR codes for the handheld"};
inline constexpr Text kQrExit{
    "終了コード: 0 すべて書き出した、1 書き出せないファイルあり（ほかは書き出す）、2 指定の誤り\n",
    "Exit status: 0 every file written, 1 some failed (the others are written), 2 a usage "
    "error\n"};
inline constexpr Text kOptQrScaleHelp{"1モジュールのピクセル数、1〜8（既定は3: 315x315）",
                                      "pixels a module, 1 to 8 (by default 3: 315 x 315)"};
inline constexpr Text kQrScaleValue{"--scale には1〜8を指定してください",
                                    "--scale takes a number from 1 to 8"};
inline constexpr Text kQrNoFiles{"QRコードにするPTCファイルを指定してください",
                                 "give the PTC files to turn into QR codes"};
inline constexpr Text kQrSucceeded{"%s: %s（%s）、コード %u個: %s_qr*.png、%s_qr.html\n",
                                   "%s: %s (%s), %u code(s): %s_qr*.png, %s_qr.html\n"};
inline constexpr Text kQrFailed{"%s: 書き出しません: %s\n", "%s: not written: %s\n"};
inline constexpr Text kReasonQrEncode{"コード %u（%uバイト）をQRコードにできません",
                                      "code %u (%u bytes) does not fit a QR code"};
inline constexpr Text kReasonQrTooLarge{
    "QRコードの組にできるのは16MiB（と36バイトのヘッダ）までです",
    "a QR set carries 16 MiB at most (and the 36-byte header)"};
inline constexpr Text kReasonQrPicture{"%s の画像を作れません", "cannot make the picture of %s"};

}  // namespace tw
