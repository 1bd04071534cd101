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
    "プチコンの文字色であるパレット15を使用して変換を行いますか？";
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
inline constexpr const char* kReasonBmpTruncated = "BMPのピクセルデータがファイルに収まっていません";
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
inline constexpr const char* kReasonPtcTruncated = "PTCファイルのデータが途中で切れています";
inline constexpr const char* kReasonPtcRecord = "PTCファイルの %llu バイト目に読めるリソースがありません";
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

}  // namespace tw
