#include "xlsxfile.h"

#include <QFile>
#include <QXmlStreamReader>
#include <zlib.h>

namespace {

quint32 little(const QByteArray& data, qsizetype at, int bytes)
{
    quint32 value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | quint8(data.at(at + i));
    return value;
}

QByteArray inflateRaw(const QByteArray& packed, qsizetype size)
{
    QByteArray out(size, Qt::Uninitialized);
    z_stream stream{};
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.constData()));
    stream.avail_in = uInt(packed.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    const bool whole = inflateInit2(&stream, -MAX_WBITS) == Z_OK && inflate(&stream, Z_FINISH) == Z_STREAM_END
        && stream.total_out == uLong(size);
    inflateEnd(&stream);
    return whole ? out : QByteArray();
}

// The entries of a zip archive by name, inflated, as its central directory lists them; empty
// when the archive is broken.
QHash<QString, QByteArray> unzip(const QByteArray& archive)
{
    QHash<QString, QByteArray> entries;
    const qsizetype end = archive.lastIndexOf(QByteArray("PK\x05\x06", 4));
    if (end < 0 || end + 22 > archive.size())
        return {};
    qsizetype at = little(archive, end + 16, 4);
    for (quint32 i = 0, count = little(archive, end + 10, 2); i < count; ++i) {
        if (at + 46 > archive.size() || little(archive, at, 4) != 0x02014b50)
            return {};
        const quint32 method = little(archive, at + 10, 2);
        const quint32 size = little(archive, at + 24, 4);
        const quint32 local = little(archive, at + 42, 4);
        const quint32 nameLength = little(archive, at + 28, 2);
        const QByteArray packed = archive.mid(local + 30 + little(archive, local + 26, 2) + little(archive, local + 28, 2),
                                              little(archive, at + 20, 4));
        const QByteArray content = method == 0 ? packed : method == 8 ? inflateRaw(packed, size) : QByteArray();
        if (content.size() != qsizetype(size))
            return {};
        entries.insert(QString::fromUtf8(archive.mid(at + 46, nameLength)), content);
        at += 46 + nameLength + little(archive, at + 30, 2) + little(archive, at + 32, 2);
    }
    return entries;
}

// Calls element(reader) at the start of every element of xml.
template<typename Visit>
void walk(const QByteArray& xml, Visit element)
{
    QXmlStreamReader reader(xml);
    while (reader.readNext() != QXmlStreamReader::Invalid && !reader.atEnd()) {
        if (reader.isStartElement())
            element(reader);
    }
}

QString attribute(const QXmlStreamReader& reader, const char* name)
{
    return reader.attributes().value(QLatin1String(name)).toString();
}

} // namespace

XlsxFile::XlsxFile(const QString& path)
{
    QFile file(path);
    const QHash<QString, QByteArray> entries = unzip(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    QHash<QString, QString> targets;
    walk(entries.value(QStringLiteral("xl/_rels/workbook.xml.rels")), [&](QXmlStreamReader& reader) {
        if (reader.name() == QLatin1String("Relationship"))
            targets.insert(attribute(reader, "Id"), QStringLiteral("xl/") + attribute(reader, "Target"));
    });
    QStringList strings;
    walk(entries.value(QStringLiteral("xl/sharedStrings.xml")), [&](QXmlStreamReader& reader) {
        if (reader.name() == QLatin1String("si"))
            strings.append(QString());
        else if (reader.name() == QLatin1String("t"))
            strings.last() += reader.readElementText();
    });
    walk(entries.value(QStringLiteral("xl/workbook.xml")), [&](QXmlStreamReader& reader) {
        if (reader.name() != QLatin1String("sheet"))
            return;
        const QString name = attribute(reader, "name");
        const QString target = targets.value(attribute(reader, "r:id"));
        if (!entries.contains(target)) {
            error = QStringLiteral("no worksheet file for ") + name;
            return;
        }
        Sheet& sheet = sheets[name];
        sheetNames.append(name);
        QString address;
        QString type;
        walk(entries.value(target), [&](QXmlStreamReader& cell) {
            if (cell.name() == QLatin1String("c")) {
                address = attribute(cell, "r");
                type = attribute(cell, "t");
            } else if (cell.name() == QLatin1String("v") || cell.name() == QLatin1String("t")) {
                const QString text = cell.readElementText();
                const bool number = type.isEmpty() || type == QLatin1String("n");
                sheet.insert(address, {type == QLatin1String("s") ? strings.value(text.toInt()) : text, number});
            }
        });
    });
    if (sheetNames.isEmpty() && error.isEmpty())
        error = QStringLiteral("no worksheets in ") + path;
}
