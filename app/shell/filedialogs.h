#pragma once
#include <QFileDialog>
#include <QString>
#include <QStringList>

// The file choosers dosedesk opens (import, export, the report destination,
// the firmware package). Production makes the QFileDialog calls; tests
// script the answers.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;

    virtual QStringList getOpenFileNames(QWidget *parent, const QString &caption, const QString &dir,
                                         const QString &filter) = 0;
    virtual QString getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                                    const QString &filter) = 0;
    virtual QString getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                    const QString &filter) = 0;
    virtual QString getExistingDirectory(QWidget *parent, const QString &caption, const QString &dir,
                                         QFileDialog::Options options) = 0;

    static FileDialogs &current();
    // nullptr restores the system dialogs. Not owned.
    static void setCurrent(FileDialogs *dialogs);
};

class SystemFileDialogs : public FileDialogs
{
public:
    QStringList getOpenFileNames(QWidget *parent, const QString &caption, const QString &dir,
                                 const QString &filter) override;
    QString getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                            const QString &filter) override;
    QString getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                            const QString &filter) override;
    QString getExistingDirectory(QWidget *parent, const QString &caption, const QString &dir,
                                 QFileDialog::Options options) override;
};
