#pragma once
// Every text the program shows, in one place. Source files are UTF-8; the
// desktop program converts these to UTF-16 for the wide API, the command
// line prints them as they are (UTF-8) or through the console's wide output.

namespace tw {

// Batch summary.
inline constexpr const char* kSummaryFormat =
    "%d個のファイルを変換しました\n変換成功：%d個\n変換失敗：%d個";
inline constexpr const char* kSummaryCaption = "変換終了";

// Reasons for a failed file, printed by the command line (one line each).
inline constexpr const char* kReasonPathTooLong = "パスが長すぎます（259文字まで）: %s";
inline constexpr const char* kReasonFolder = "出力フォルダを作成できません: %s";
inline constexpr const char* kReasonOpenInput = "ファイルを開けません: %s";
inline constexpr const char* kReasonWriteOutput = "出力ファイルを書き込めません: %s";
inline constexpr const char* kReasonDigest = "MD5を計算できません: %s";
inline constexpr const char* kReasonNoBody = "出力するデータがありません";
inline constexpr const char* kReasonNoConverter = "このファイルの種類は変換できません";

}  // namespace tw
