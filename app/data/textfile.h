#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

// The instrument and the Windows installations it came from write 8-bit text
// in the Windows-1252 code page with CR LF line ends. Linux's locale codec is
// UTF-8, so relying on it would corrupt accented names; every measurement,
// configuration and profile file therefore goes through these functions.
//
// Decoding is lossless: each byte becomes one character, and the five bytes
// the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the
// control characters U+0081.. of the same value, so decode then encode gives
// back the original bytes, whatever they were.
namespace TextFile {

QString decode(const QByteArray &bytes);

// Characters outside the code page become '?'.
QByteArray encode(const QString &text);

// Reads and decodes the whole file; CR LF becomes LF. A missing or unreadable
// file gives an empty string and *ok = false.
QString read(const QString &path, bool *ok = nullptr);

// Splits decoded text into lines the way a line-by-line reader sees them:
// LF ends a line, a CR right before it is dropped, and a final LF does not
// start another (empty) line. Empty lines in between are kept.
QStringList splitLines(const QString &text);

// read() followed by splitLines().
QStringList readLines(const QString &path, bool *ok = nullptr);

// Writes text encoded as Windows-1252, every LF written as CR LF, as a
// text-mode write on Windows does (so write after read gives back the file's
// bytes, even where a CR stood before a CR LF). The content goes to a temporary file in
// the target's folder that replaces the target only once it is complete, so a
// failure leaves any old file untouched. Creates the file if needed, not its
// folder. Returns false on any failure.
bool write(const QString &path, const QString &text);

// Each line followed by CR LF, written as write() does.
bool writeLines(const QString &path, const QStringList &lines);

// Atomic replacement of path by exactly these bytes (no conversion).
bool writeBytes(const QString &path, const QByteArray &bytes);

} // namespace TextFile
