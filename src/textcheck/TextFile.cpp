#include "textcheck/TextFile.h"

#include "platform/core/TextCodec.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace sorban::textcheck {
namespace {

LoadedText refused(const QString& problem)
{
    LoadedText t;
    t.problem = problem;
    return t;
}

bool looksLikeText(const QByteArray& bytes)
{
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 && b != '\t' && b != '\n' && b != '\r' && b != '\f')
            return false;
    }
    return true;
}

} // namespace

LoadedText decodeText(const QByteArray& bytes)
{
    if (!looksLikeText(bytes))
        return refused(QStringLiteral("テキストファイルではありません（文字でないバイトがあります）。"));
    LoadedText t;
    t.ok = true;
    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    t.text = utf8(bom ? bytes.mid(3) : bytes);
    if (!utf8.hasError()) {
        t.encoding = bom ? QStringLiteral("UTF-8（BOM付き）") : QStringLiteral("UTF-8");
        return t;
    }
    // Shift-JIS cannot hold U+FFFD: finding it means a byte that is no character
    t.text = QString::fromStdString(platform::sjisToUtf8(bytes.toStdString()));
    if (!t.text.contains(QChar(0xFFFD))) {
        t.encoding = QStringLiteral("Shift-JIS");
        return t;
    }
    return refused(QStringLiteral("文字コードが分かりません。UTF-8 か Shift-JIS のテキストファイルを開いてください。"));
}

LoadedText readTextFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return refused(QStringLiteral("ファイルを開けません：%1").arg(path));
    if (info.size() > MaxTextFileBytes)
        return refused(QStringLiteral("ファイルが大きすぎます（1 MiB まで）：%1").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(QStringLiteral("ファイルを開けません：%1").arg(path));
    const QByteArray bytes = file.read(MaxTextFileBytes + 1);
    if (bytes.size() > MaxTextFileBytes) // it grew while being read
        return refused(QStringLiteral("ファイルが大きすぎます（1 MiB まで）：%1").arg(path));
    return decodeText(bytes);
}

} // namespace sorban::textcheck
