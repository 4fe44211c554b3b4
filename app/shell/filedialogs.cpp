#include "filedialogs.h"

namespace {
FileDialogs *&installed()
{
    static FileDialogs *d = nullptr;
    return d;
}
} // namespace

FileDialogs &FileDialogs::current()
{
    static SystemFileDialogs system;
    return installed() ? *installed() : system;
}

void FileDialogs::setCurrent(FileDialogs *dialogs) { installed() = dialogs; }

QStringList SystemFileDialogs::getOpenFileNames(QWidget *parent, const QString &caption, const QString &dir,
                                                const QString &filter)
{
    return QFileDialog::getOpenFileNames(parent, caption, dir, filter);
}

QString SystemFileDialogs::getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                                           const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString SystemFileDialogs::getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                           const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

QString SystemFileDialogs::getExistingDirectory(QWidget *parent, const QString &caption, const QString &dir,
                                                QFileDialog::Options options)
{
    return QFileDialog::getExistingDirectory(parent, caption, dir, options);
}
