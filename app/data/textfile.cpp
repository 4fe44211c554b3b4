#include "textfile.h"

#include <QFile>
#include <QSaveFile>


namespace {

// Bytes 0x80..0x9F; the rest of the code page equals Latin-1. The undefined
// positions keep their own value so that decoding never loses a byte.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char encodeOne(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == c)
            return char(0x80 + i);
    }
    return '?';
}

QByteArray withCrLf(const QString &text)
{
    QString out = text;
    out.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return TextFile::encode(out);
}

} // namespace

namespace TextFile {

QString decode(const QByteArray &bytes)
{
    // A loop of our own: QString::fromLatin1(QByteArray) stops at a NUL byte.
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *dst = out.data();
    const auto *src = reinterpret_cast<const unsigned char *>(bytes.constData());
    const int n = bytes.size();
    for (int i = 0; i < n; ++i) {
        const unsigned char b = src[i];
        dst[i] = (b >= 0x80 && b < 0xA0) ? QChar(kHighControls[b - 0x80]) : QChar(b);
    }
    return out;
}

QByteArray encode(const QString &text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    char *dst = out.data();
    const QChar *src = text.constData();
    const int n = text.size();
    for (int i = 0; i < n; ++i)
        dst[i] = encodeOne(src[i].unicode());
    return out;
}

QString read(const QString &path, bool *ok)
{
    QFile file(path);
    const bool opened = file.open(QIODevice::ReadOnly);
    if (ok)
        *ok = opened;
    if (!opened)
        return QString();
    QString text = decode(file.readAll());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    int pos = 0;
    const int n = text.size();
    while (pos < n) {
        int end = text.indexOf(QLatin1Char('\n'), pos);
        const int next = end < 0 ? n : end + 1;
        if (end < 0)
            end = n;
        int len = end - pos;
        if (len > 0 && text.at(end - 1) == QLatin1Char('\r'))
            --len;
        lines.append(text.mid(pos, len));
        pos = next;
    }
    return lines;
}

QStringList readLines(const QString &path, bool *ok)
{
    return splitLines(read(path, ok));
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    if (path.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // QSaveFile::commit() does not notice a failure of its own final flush and
    // would rename a truncated file into place, so flush and check here.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    return file.commit();
}

bool write(const QString &path, const QString &text)
{
    return writeBytes(path, withCrLf(text));
}

bool writeLines(const QString &path, const QStringList &lines)
{
    QString text;
    for (const QString &line : lines) {
        text += line;
        text += QLatin1Char('\n');
    }
    return write(path, text);
}

} // namespace TextFile
