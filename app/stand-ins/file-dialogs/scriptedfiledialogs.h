#pragma once
#include "filedialogs.h"

#include <QList>
#include <QQueue>

// Stands in for the desktop's file choosers in tests: records every request
// (kind, caption, start folder, filter, options) and answers from a script,
// in order. An unscripted request is answered as a cancelled dialog is: with
// nothing chosen.
class ScriptedFileDialogs : public FileDialogs
{
public:
    struct Request {
        QString kind;  // "open-many", "open", "save", "directory"
        QWidget *parent;
        QString caption;
        QString dir;
        QString filter;
        QFileDialog::Options options;
    };

    QList<Request> requests;
    QQueue<QStringList> answers;

    void answer(const QStringList &chosen) { answers.enqueue(chosen); }
    void answer(const QString &chosen) { answers.enqueue(chosen.isEmpty() ? QStringList() : QStringList{chosen}); }

    QStringList getOpenFileNames(QWidget *parent, const QString &caption, const QString &dir,
                                 const QString &filter) override
    {
        requests.append({"open-many", parent, caption, dir, filter, {}});
        return next();
    }
    QString getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                            const QString &filter) override
    {
        requests.append({"open", parent, caption, dir, filter, {}});
        return next().value(0);
    }
    QString getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                            const QString &filter) override
    {
        requests.append({"save", parent, caption, dir, filter, {}});
        return next().value(0);
    }
    QString getExistingDirectory(QWidget *parent, const QString &caption, const QString &dir,
                                 QFileDialog::Options options) override
    {
        requests.append({"directory", parent, caption, dir, QString(), options});
        return next().value(0);
    }

private:
    QStringList next() { return answers.isEmpty() ? QStringList() : answers.dequeue(); }
};
