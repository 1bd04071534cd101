#pragma once
// Every text the program shows, in one place. Source files are UTF-8; the
// desktop program converts these to UTF-16 for the wide API, the command
// line prints them as they are (UTF-8) or through the console's wide output.

namespace tw {

// Batch summary.
inline constexpr const char* kSummaryFormat =
    "%d個のファイルを変換しました\n変換成功：%d個\n変換失敗：%d個";
inline constexpr const char* kSummaryCaption = "変換終了";

// The question about two-colour images; the image's path stands before it.
inline constexpr const char* kPaletteQuestion =
    "\nこの画像は2色1bitタイプの画像です。\n画像では現在パレット1が使用されています。\n"
    "文字色であるパレット15を使用して変換を行いますか？";
inline constexpr const char* kPaletteCaption = "パレット変換の確認";

inline constexpr const char* kErrorCaption = "Error";

// Packages.
inline constexpr const char* kPackageFailures = "以下のファイルの変換に失敗しました";
inline constexpr const char* kPackageSaveTitle = "ファイルの保存場所を選択";
inline constexpr const char* kPackageFilter = "PTCパッケージ";
inline constexpr const char* kPackageWritten = "PTCパッケージを作成しました";
inline constexpr const char* kPackageWriteFailed = "ファイルの保存に失敗しました";
inline constexpr const char* kSlotImageRefused = "この画像はこのリソースタイプに指定できません";
inline constexpr const char* kBankEntry = "%d枚目";
inline constexpr const char* kChooseImageTitle = "変換するビットマップ画像を選択";
inline constexpr const char* kImageFilter = "ビットマップ画像";
inline constexpr const char* kChooseTextTitle = "変換するテキストを選択";
inline constexpr const char* kTextFilter = "テキストドキュメント";
inline constexpr const char* kChooseFileTitle = "変換するファイルを選択";
inline constexpr const char* kScrFilter = "SCRリソースファイル";

// Reasons for a failed file, printed by the command line (one line each).
inline constexpr const char* kReasonPathTooLong = "パスが長すぎます（259文字まで）: %s";
inline constexpr const char* kReasonFolder = "出力フォルダを作成できません: %s";
inline constexpr const char* kReasonOpenInput = "ファイルを開けません: %s";
inline constexpr const char* kReasonWriteOutput = "出力ファイルを書き込めません: %s";
inline constexpr const char* kReasonDigest = "MD5を計算できません: %s";
inline constexpr const char* kReasonNoBody = "出力するデータがありません";
inline constexpr const char* kReasonReadInput = "ファイルを最後まで読めません: %s";
inline constexpr const char* kReasonOutOfMemory = "メモリが足りません";
inline constexpr const char* kReasonEmptyInput = "空のファイルです";
inline constexpr const char* kReasonTooLarge = "4GiB以上のファイルは変換できません";
inline constexpr const char* kReasonNotBmp = "BMPファイルではありません";
inline constexpr const char* kReasonBmpHeader = "対応していないBMPヘッダです（OS/2形式など）";
inline constexpr const char* kReasonBmpBits =
    "対応していないBMPの種類です: %u bit（1・4・8 bitのパレット付き画像のみ）";
inline constexpr const char* kReasonBmpCompression =
    "圧縮されたBMPには対応していません（圧縮形式 %u）";
inline constexpr const char* kReasonBmpSize = "画像の幅または高さが不正です";
inline constexpr const char* kReasonBmpTooLarge = "画像が大きすぎます（16384x16384ピクセルまで）";
inline constexpr const char* kReasonBmpTruncated =
    "BMPのピクセルデータがファイルに収まっていません";
inline constexpr const char* kReasonBmpPalette = "BMPのパレットがファイルに収まっていません";
inline constexpr const char* kReasonBmpUnit =
    "画像のサイズ %dx%d が単位 %dx%d の倍数ではありません";
inline constexpr const char* kReasonChrWidth =
    "画像の幅 %d はこの単位の高さ %d では変換できません（幅は%dまで）";
inline constexpr const char* kReasonDataText = "DATAテキストファイルを書き込めません: %s";
inline constexpr const char* kReasonTextTooLarge = "テキストが大きすぎます（1GiBまで）";
inline constexpr const char* kReasonPrgFullwidth =
    "全角テキストに変換できない文字があります: %02X %02X（%llu バイト目）";
inline constexpr const char* kReasonPrgLine = "1行が長すぎます（変換後 %llu バイト目）";
inline constexpr const char* kReasonMemMarker = "MEM$=\"… が見つかりません";
inline constexpr const char* kReasonMemQuote = "MEM$=\" の後に閉じる \" がありません";
inline constexpr const char* kReasonBgput = "BGPUT テキストの %llu 行目が読めません";
inline constexpr const char* kReasonUnitLayout =
    "画像の大きさが単位の並びに合わないため書き出せません: %s";
inline constexpr const char* kReasonPtcTruncated = "PTCファイルのデータが途中で切れています";
inline constexpr const char* kReasonPtcRecord =
    "PTCファイルの %llu バイト目に読めるリソースがありません";
inline constexpr const char* kReasonPtcName =
    "リソース名に / や \\ が含まれているため展開できません";
inline constexpr const char* kReasonMemUnit = "MEMに文字にできない値があります";
inline constexpr const char* kReasonNotPng = "PNGファイルではありません";
inline constexpr const char* kReasonPngBroken = "PNGファイルが壊れているか、読めない形式です";
inline constexpr const char* kReasonPngType =
    "パレット付きでないPNGには対応していません（%s、%u bit）";
inline constexpr const char* kPngGrey = "グレースケール";
inline constexpr const char* kPngRgb = "RGB";
inline constexpr const char* kPngGreyAlpha = "グレースケール＋アルファ";
inline constexpr const char* kPngRgba = "RGBA";
inline constexpr const char* kPngUnknownType = "不明な色の種類";
inline constexpr const char* kReasonMapSize =
    "画像のサイズ %dx%d はBG画面にできません（幅と高さは8の倍数で512まで）";
inline constexpr const char* kReasonMapMixedBanks =
    "セル %d,%d の中で違うパレットの色が使われています";
inline constexpr const char* kReasonMapTooManyTiles =
    "タイルが多すぎます: 空白タイルを含めて%u個必要です（1024個まで）";
inline constexpr const char* kReasonRenderMissingBanks =
    "画面が使うキャラクタのバンク %s がありません";
inline constexpr const char* kReasonRenderNoSlot = "パッケージ %s に %s がありません";
inline constexpr const char* kReasonRenderTwice = "%s: %s が2つ指定されています";
inline constexpr const char* kReasonRenderPackageAlone =
    "パッケージ %s は1つだけで指定してください";
inline constexpr const char* kReasonRenderUnusable =
    "%s: 描画に使えるのは SCR・CHR・COL のPTCファイル、.rscr、BGPUTテキストです";
inline constexpr const char* kReasonRenderTooManyBanks = "%s: CHRは4つまでです";
inline constexpr const char* kReasonRenderInputs =
    "画面（SCR）、CHR（1〜4個）、COLを1つずつ指定してください";
inline constexpr const char* kReasonRenderScreenNeedsPackage =
    "--screen はパッケージを描画するときだけ指定できます";
inline constexpr const char* kReasonPictureEncode = "画像を作れません: %s";
inline constexpr const char* kReasonPtcKind = "%s: %s のPTCファイルではありません";
inline constexpr const char* kReasonFailed = "変換できませんでした";
inline constexpr const char* kReasonNoConverter = "このファイルの種類は変換できません";

// The command line.
inline constexpr const char* kCliVersion = "%s (MD5: %s, PNG: %s)\n";
inline constexpr const char* kCliConvertUsage =
    "使い方: tilewright [オプション] ファイル...\n"
    "  ファイルを順に変換します（メインウィンドウへのドロップと同じ）。\n"
    "  BMP画像 → COL/CHR（またはGRP）、テキスト → PRG/MEM/SCR、PTC → 元のファイル、\n"
    "  その他のファイル → BIN。設定はカレントフォルダの Brickyard.ini から読みます。\n"
    "\n"
    "  -t, --type TYPE       リソースの種類 (type): bg（既定）, 16x16, 32x16, 16x32, 32x32,\n"
    "                        64x32, 32x64, 64x64（スプライト）, grp, bin\n"
    "  -s, --set KEY=VALUE   この実行だけの設定 (setting)。KEY は Brickyard.ini のキー名\n"
    "                        （大文字小文字は区別しない）、VALUE は整数、User はフォルダ。\n"
    "                        繰り返し指定できます。保存はされません\n"
    "  --palette-fix yes|no  2色1bit画像のパレット変換の確認への答え\n"
    "  -h, --help            この説明 (usage)\n"
    "  --version             バージョン\n"
    "\n"
    "  --                    以降の引数はすべてファイル\n"
    "終了コード: 0 すべて変換成功、1 変換失敗あり、2 指定の誤り\n";
inline constexpr const char* kCliMapUsage =
    "使い方: tilewright map [-o フォルダ] [--no-flip] [--palette-fix yes|no] [-s KEY=VALUE]... "
    "画像...\n"
    "  1枚の絵（パレット付きのBMPかPNG、幅と高さは8の倍数で512まで）をBG画面にします。\n"
    "  同じタイル（左右・上下反転を含む）は1つにまとめ、画素の番号の上位4bitをパレットにします。\n"
    "  出力: 名前_COL.ptc、名前_CHR.ptc（256タイルを超えると 名前_CHR0.ptc, 名前_CHR1.ptc…）、\n"
    "        名前_SCR.ptc（64x64の画面）\n"
    "  -o, --output DIR      出力するフォルダ（既定は設定の出力先）\n"
    "  --no-flip             反転したタイルをまとめない\n"
    "  --palette-fix yes|no  2色1bitのBMPのパレット変換の確認への答え\n"
    "  -s, --set KEY=VALUE   この実行だけの設定（Select, User, Create など）\n"
    "  -h, --help            この説明\n"
    "  --                    以降の引数はすべてファイル\n"
    "終了コード: 0 すべて変換成功、1 変換失敗あり、2 指定の誤り\n";
inline constexpr const char* kCliRenderUsage =
    "使い方: tilewright render -o 出力.png|出力.bmp [--screen SCR0-SCR3] [--crop X,Y,W,H] "
    "ファイル...\n"
    "  BG画面を512x512の8bitパレット画像に描きます。ファイルは次のどちらかです:\n"
    "    パッケージ1つ（--screen の画面を、上画面なら BGU0-BGU3 と COL0、下画面なら\n"
    "    BGS0-BGS3 と COL0_S で描きます。既定は SCR0）\n"
    "    画面（SCRのPTC、.rscr、BGPUTテキスト）、CHRのPTC 1〜4個（順にバンク0〜3）、COLのPTC 1個\n"
    "  -o, --output FILE     出力する画像（.png か .bmp）\n"
    "  --screen SLOT         パッケージのどの画面を描くか: SCR0, SCR1（上画面）, SCR2, "
    "SCR3（下画面）\n"
    "  --crop X,Y,W,H        画面の一部だけを描く（見える範囲なら 0,0,256,192）\n"
    "  -h, --help            この説明\n"
    "  --                    以降の引数はすべてファイル\n"
    "終了コード: 0 描いた、1 描けなかった、2 指定の誤り\n";
inline constexpr const char* kCliPackageUsage =
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
    "  -o, --output FILE     出力するファイル（拡張子は .ptc になります）\n"
    "  --name NAME           パッケージ名（8文字、英大文字・数字・_）。既定 PACKAGE\n"
    "  -s, --set KEY=VALUE   この実行だけの設定（AutoTrim, WideMode, PRG_ESCAPE など）\n"
    "  -h, --help            この説明\n"
    "終了コード: 0 作成した、1 作成できなかった、2 指定の誤り\n";
inline constexpr const char* kCliMore = "%s: %s\n詳しくは %s --help を見てください\n";
inline constexpr const char* kCliSetForm = "--set は KEY=VALUE の形で指定してください: %s";
inline constexpr const char* kCliUserFolder = "User には259文字までのフォルダを指定してください";
inline constexpr const char* kCliSettingInteger = "%s の値は整数で指定してください: %s";
inline constexpr const char* kCliUnknownSetting = "設定の名前が不明です: %s";
inline constexpr const char* kCliNoTerminal =
    "\n→ 端末から答えられないため「いいえ」として続けます（--palette-fix yes|no で指定できます）\n";
inline constexpr const char* kCliYesNoPrompt = "はい/いいえ (y/n): ";
inline constexpr const char* kCliYes = "はい";
inline constexpr const char* kCliNo = "いいえ";
inline constexpr const char* kCliProgress = "変換中 %zu/%zu";
inline constexpr const char* kCliProgressPercent = "変換中 %zu/%zu (%u%%)";
inline constexpr const char* kCliNeedsType = "%s には種類を指定してください";
inline constexpr const char* kCliUnknownType = "リソースの種類が不明です: %s";
inline constexpr const char* kCliNeedsSetting = "%s には KEY=VALUE を指定してください";
inline constexpr const char* kCliPaletteFixValue =
    "--palette-fix には yes か no を指定してください";
inline constexpr const char* kCliUnknownOption = "不明なオプションです: %s";
inline constexpr const char* kCliNoFiles = "変換するファイルを指定してください";
inline constexpr const char* kCliFailed = "変換失敗: %s: %s\n";
inline constexpr const char* kCliSucceeded = "変換成功: %s\n";
inline constexpr const char* kInfoUsage =
    "使い方: tilewright info ファイル...\n"
    "  PTCファイルのヘッダ、長さとMD5の検査、パッケージのフラグとレコード\n"
    "  （展開したときのファイル名つき）を表示します。\n"
    "  -h, --help            この説明\n"
    "  --                    以降の引数はすべてファイル\n"
    "終了コード: 0 すべて正常、1 異常なファイルあり、2 指定の誤り\n";
inline constexpr const char* kInfoNoFiles = "ファイルを指定してください";
inline constexpr const char* kInfoCannotOpen = "  ファイルを開けません\n";
inline constexpr const char* kInfoTooShort = "  短すぎます: %llu バイト（ヘッダは48バイト）\n";
inline constexpr const char* kInfoMagic = "  マジック: %s%s\n";
inline constexpr const char* kInfoNotPx01 = "（PX01ではありません）";
inline constexpr const char* kInfoLength = "  長さ: %u（%s）\n";
inline constexpr const char* kInfoLengthMatches = "ファイルサイズと一致";
inline constexpr const char* kInfoLengthDiffers = "ファイルサイズと一致しません";
inline constexpr const char* kInfoTypeCode = "  種類コード: %u\n";
inline constexpr const char* kInfoName = "  リソース名: %s\n";
inline constexpr const char* kInfoTypeString = "  タイプ: %s\n";
inline constexpr const char* kInfoDigest = "  MD5: %s\n";
inline constexpr const char* kInfoMatches = "一致";
inline constexpr const char* kInfoDiffers = "一致しません";
inline constexpr const char* kInfoBadRecord = "  レコードが読めません: %s\n";
inline constexpr const char* kInfoPackage =
    "  パッケージ: package_mask_1=0x%08X package_mask_2=0x%08X\n";
inline constexpr const char* kInfoRecords = "  レコード:\n";
inline constexpr const char* kInfoRecord = "    %8llu  %s  %6llu バイト  → %s\n";
inline constexpr const char* kInfoRecordCut = "  レコードが途中で切れています\n";
inline constexpr const char* kInfoVerdict = "  判定: %s\n";
inline constexpr const char* kInfoWellFormed = "正常";
inline constexpr const char* kInfoMalformed = "異常";
inline constexpr const char* kMapNeedsFolder = "-o には出力するフォルダを指定してください";
inline constexpr const char* kMapNoImages = "変換する画像を指定してください";
inline constexpr const char* kMapNoFolder = "%s: 出力フォルダを作成できません: %s\n";
inline constexpr const char* kMapSucceeded =
    "変換成功: %s: タイル %zu個（空白タイルを含む）、反転を使うセル %u個、パレット %s\n";
inline constexpr const char* kPackageSlotForm = "スロット=ファイル の形で指定してください: %s";
inline constexpr const char* kPackageUnknownSlot = "スロットの名前が不明です: %s";
inline constexpr const char* kPackageNoSize = "%s には大きさを指定できません";
inline constexpr const char* kPackageNoBank = "%s にはバンクを指定できません";
inline constexpr const char* kPackageBankNumber = "バンクは1以上の数で指定してください: %s";
inline constexpr const char* kPackageNoFile = "%s のファイルを指定してください";
inline constexpr const char* kPackageNeedsOutput = "-o には出力ファイルを指定してください";
inline constexpr const char* kPackageNeedsName = "--name には名前を指定してください";
inline constexpr const char* kPackageTwice = "%s が2回指定されています";
inline constexpr const char* kPackageNoOutput = "-o で出力ファイルを指定してください";
inline constexpr const char* kPackageNoSlots = "スロットを1つ以上指定してください";
inline constexpr const char* kPackageBankMissing = "%s: %d枚目はありません（%d枚目まで）\n";
inline constexpr const char* kPackageBadSize = "%s の大きさにできません: %s";
inline constexpr const char* kRenderOutputKind =
    "-o には .png か .bmp のファイルを指定してください";
inline constexpr const char* kRenderScreenName =
    "--screen には SCR0, SCR1, SCR2, SCR3 のどれかを指定してください";
inline constexpr const char* kRenderCrop =
    "--crop には 512x512 の中の範囲を X,Y,W,H で指定してください";
inline constexpr const char* kRenderNoOutput = "-o で出力する画像を指定してください";
inline constexpr const char* kRenderNoFiles = "描画するファイルを指定してください";
inline constexpr const char* kRenderFailed = "描画失敗: %s: %s\n";
inline constexpr const char* kRenderSucceeded = "描画成功: %s (%ux%u)\n";

// Packages, the failure list: the mark of a lower-screen slot.
inline constexpr const char* kLowerScreenMark = " (下画面)";

// The PTC walk: why no record could be read.
inline constexpr const char* kWalkNoRecord = "レコードの始まりの R が見つかりません";
inline constexpr const char* kWalkTagCut = "タグが途中で切れています";
inline constexpr const char* kWalkUnknownTag = "不明なタグです";

// The desktop program's own choosers.
inline constexpr const char* kFolderPickerTitle = "フォルダを選択";
inline constexpr const char* kAllFilesFilter = "全てのファイル";

}  // namespace tw
