#pragma once

#include <QByteArray>
#include <QString>

namespace sorban::textcheck {

/// A text file's contents as read for the check, or why it was refused.
struct LoadedText {
    bool ok = false;
    QString text;
    QString encoding; ///< "UTF-8", "UTF-8（BOM付き）" or "Shift-JIS"
    QString problem;  ///< the message for a refused file
};

/// The largest file taken: a long newsletter is a few kilobytes.
inline constexpr qint64 MaxTextFileBytes = qint64{1024} * 1024;

/// Decodes a text as UTF-8 (with or without a byte-order mark) or Shift-JIS, whichever decodes
/// without error; refuses bytes that are no text (NUL and other control bytes) or decode as neither.
LoadedText decodeText(const QByteArray& bytes);
/// Reads and decodes the file at `path`; a file over 1 MiB, or one that cannot be read, is refused.
/// The file is only read.
LoadedText readTextFile(const QString& path);

} // namespace sorban::textcheck
