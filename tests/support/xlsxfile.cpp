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
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        return {};
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.constData()));
    stream.avail_in = uInt(packed.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    const int result = inflate(&stream, Z_FINISH);
    inflateEnd(&stream);
    return result == Z_STREAM_END && stream.total_out == uLong(size) ? out : QByteArray();
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

QStringList sharedStrings(const QByteArray& xml)
{
    QStringList strings;
    walk(xml, [&](QXmlStreamReader& reader) {
        if (reader.name() == QLatin1String("si"))
            strings.append(QString());
        else if (reader.name() == QLatin1String("t"))
            strings.last() += reader.readElementText();
    });
    return strings;
}

XlsxFile::Sheet readSheet(const QByteArray& xml, const QStringList& strings)
{
    XlsxFile::Sheet sheet;
    QString address;
    QString type;
    walk(xml, [&](QXmlStreamReader& reader) {
        if (reader.name() == QLatin1String("c")) {
            address = attribute(reader, "r");
            type = attribute(reader, "t");
        } else if (reader.name() == QLatin1String("v") || reader.name() == QLatin1String("t")) {
            const QString text = reader.readElementText();
            const bool number = type.isEmpty() || type == QLatin1String("n");
            sheet.insert(address, {type == QLatin1String("s") ? strings.value(text.toInt()) : text, number});
        }
    });
    return sheet;
}

// The entries of a zip archive by name, inflated; empty with error set on a broken archive.
QHash<QString, QByteArray> unzip(const QByteArray& archive, QString& error)
{
    QHash<QString, QByteArray> entries;
    const qsizetype end = archive.lastIndexOf(QByteArray("PK\x05\x06", 4));
    if (end < 0 || end + 22 > archive.size()) {
        error = QStringLiteral("no end of central directory");
        return {};
    }
    qsizetype at = little(archive, end + 16, 4);
    for (quint32 i = 0, count = little(archive, end + 10, 2); i < count; ++i) {
        if (at + 46 > archive.size() || little(archive, at, 4) != 0x02014b50) {
            error = QStringLiteral("broken central directory");
            return {};
        }
        const quint32 method = little(archive, at + 10, 2);
        const quint32 size = little(archive, at + 24, 4);
        const quint32 local = little(archive, at + 42, 4);
        const QString name = QString::fromUtf8(archive.mid(at + 46, little(archive, at + 28, 2)));
        const QByteArray packed = archive.mid(local + 30 + little(archive, local + 26, 2) + little(archive, local + 28, 2),
                                              little(archive, at + 20, 4));
        at += 46 + little(archive, at + 28, 2) + little(archive, at + 30, 2) + little(archive, at + 32, 2);
        const QByteArray content = method == 0 ? packed : method == 8 ? inflateRaw(packed, size) : QByteArray();
        if (content.size() != qsizetype(size)) {
            error = QStringLiteral("cannot read entry ") + name;
            return {};
        }
        entries.insert(name, content);
    }
    return entries;
}

} // namespace

XlsxFile::XlsxFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error_ = file.errorString();
        return;
    }
    const QHash<QString, QByteArray> entries = unzip(file.readAll(), error_);
    if (!error_.isEmpty())
        return;
    QHash<QString, QString> targets;
    walk(entries.value(QStringLiteral("xl/_rels/workbook.xml.rels")), [&](QXmlStreamReader& reader) {
        if (reader.name() == QLatin1String("Relationship"))
            targets.insert(attribute(reader, "Id"), QStringLiteral("xl/") + attribute(reader, "Target"));
    });
    const QStringList strings = sharedStrings(entries.value(QStringLiteral("xl/sharedStrings.xml")));
    walk(entries.value(QStringLiteral("xl/workbook.xml")), [&](QXmlStreamReader& reader) {
        if (reader.name() != QLatin1String("sheet"))
            return;
        const QString name = attribute(reader, "name");
        const QString target = targets.value(reader.attributes().value(QLatin1String("r:id")).toString());
        if (!entries.contains(target)) {
            error_ = QStringLiteral("no worksheet file for ") + name;
            return;
        }
        names_.append(name);
        sheets_.insert(name, readSheet(entries.value(target), strings));
    });
    if (names_.isEmpty() && error_.isEmpty())
        error_ = QStringLiteral("no worksheets");
}
