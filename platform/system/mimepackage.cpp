#include "mimepackage.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace sys {

namespace {

const char kNamespace[] = "http://www.freedesktop.org/standards/shared-mime-info";

void readDetail(QXmlStreamReader& xml, MimeType& type) {
    if (xml.name() == QLatin1String("comment") && xml.attributes().value("xml:lang").isEmpty())
        type.comment = xml.readElementText();
    else if (xml.name() == QLatin1String("glob"))
        type.glob = xml.attributes().value("pattern").toString();
    else if (xml.name() == QLatin1String("icon"))
        type.icon = xml.attributes().value("name").toString();
}

}  // namespace

QList<MimeType> MimePackage::read(const QByteArray& xml) {
    QList<MimeType> types;
    QXmlStreamReader reader(xml);
    MimeType current;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("mime-type"))
            current = MimeType{reader.attributes().value("type").toString(), {}, {}, {}};
        else if (reader.isStartElement())
            readDetail(reader, current);
        else if (reader.isEndElement() && reader.name() == QLatin1String("mime-type") &&
                 !current.name.isEmpty() && !current.glob.isEmpty())
            types << current;
    }
    if (reader.hasError()) return {};
    return types;
}

QByteArray MimePackage::write(const QList<MimeType>& types) {
    QByteArray text;
    QXmlStreamWriter xml(&text);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    xml.writeStartElement("mime-info");
    xml.writeDefaultNamespace(kNamespace);
    for (const MimeType& type : types) {
        xml.writeStartElement("mime-type");
        xml.writeAttribute("type", type.name);
        xml.writeTextElement("comment", type.comment);
        if (!type.icon.isEmpty()) {
            xml.writeEmptyElement("icon");
            xml.writeAttribute("name", type.icon);
        }
        xml.writeEmptyElement("glob");
        xml.writeAttribute("pattern", type.glob);
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    return text;
}

void MimePackage::put(QList<MimeType>& types, const MimeType& type) {
    for (MimeType& existing : types) {
        if (existing.name != type.name) continue;
        existing = type;
        return;
    }
    types << type;
}

}  // namespace sys
