#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

// A small JSON writer that keeps keys in the order they are added (the file
// order of the fields), which a QJsonObject would sort away.
class JsonObject
{
public:
    void add(const QString &key, const QString &value);
    void add(const QString &key, const QVector<QString> &values);
    void add(const QString &key, const JsonObject &object);

    // Two-space indentation, arrays on one line, UTF-8, final line break.
    QByteArray toJson() const;

private:
    QString render(int indent) const;
    struct Entry
    {
        QString key;
        QString leaf;               // a string or array, already as JSON text
        QVector<JsonObject> object; // or a nested object (one element)
    };
    QVector<Entry> m_entries;
};

QString jsonString(const QString &text);
