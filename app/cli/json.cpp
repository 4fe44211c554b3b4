#include "json.h"

QString jsonString(const QString &text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('"');
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"': out += QLatin1String("\\\""); break;
        case '\\': out += QLatin1String("\\\\"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\t': out += QLatin1String("\\t"); break;
        case '\b': out += QLatin1String("\\b"); break;
        case '\f': out += QLatin1String("\\f"); break;
        default:
            if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0))
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += QLatin1Char('"');
    return out;
}

void JsonObject::add(const QString &key, const QString &value)
{
    m_entries.append({key, jsonString(value), {}});
}

void JsonObject::add(const QString &key, const QVector<QString> &values)
{
    QString text = QStringLiteral("[");
    for (int i = 0; i < values.size(); ++i) {
        if (i)
            text += QLatin1String(", ");
        text += jsonString(values.at(i));
    }
    text += QLatin1Char(']');
    m_entries.append({key, text, {}});
}

void JsonObject::add(const QString &key, const JsonObject &object)
{
    m_entries.append({key, QString(), {object}});
}

QString JsonObject::render(int indent) const
{
    const QString pad(2 * (indent + 1), QLatin1Char(' '));
    QString out = QStringLiteral("{\n");
    for (int i = 0; i < m_entries.size(); ++i) {
        const Entry &e = m_entries.at(i);
        out += pad + jsonString(e.key) + QLatin1String(": ")
               + (e.object.isEmpty() ? e.leaf : e.object.first().render(indent + 1));
        out += i + 1 < m_entries.size() ? QLatin1String(",\n") : QLatin1String("\n");
    }
    out += QString(2 * indent, QLatin1Char(' ')) + QLatin1Char('}');
    return out;
}

QByteArray JsonObject::toJson() const
{
    return (render(0) + QLatin1Char('\n')).toUtf8();
}
