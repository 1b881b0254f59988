#include "qt4-pavo7/reusable/parameter-records.h"

#include "utils/text.h"

#include <QDomDocument>
#include <QRegularExpression>

namespace Reusable {
namespace {

ParameterRecord read_record(const QDomElement &parameter, QStringList &bad_turn_on)
{
    ParameterRecord record;
    for (QDomElement child = parameter.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement()) {
        const QString tag = child.tagName();
        const QString raw = child.text();
        const QString text = raw.trimmed();
        if (tag == QLatin1String("type")) {
            record.type = text;
        } else if (tag == QLatin1String("id")) {
            record.id = text;
        } else if (tag == QLatin1String("name")) {
            record.name = text;
        } else if (tag == QLatin1String("value")) {
            record.value = text;
        } else if (tag == QLatin1String("column")) {
            record.column = text.toInt();
        } else if (tag == QLatin1String("enabled")) {
            record.enabled = text.contains(QLatin1String("True")) || text.contains('1');
        } else if (tag == QLatin1String("turn_on")) {
            QString value;
            QStringList ids;
            if (parse_turn_on(text, value, ids))
                record.turn_on[value] += ids;
            else
                bad_turn_on.append(text);
        } else {
            // Kept as written: a suffix may start with a blank.
            record.attributes[tag] = raw;
        }
    }
    return record;
}

void append_text_element(QDomDocument &document, QDomElement &parent, const QString &tag,
                         const QString &text)
{
    QDomElement element = document.createElement(tag);
    element.appendChild(document.createTextNode(text));
    parent.appendChild(element);
}

} // namespace

ParameterList parse_parameters(const std::string &xml)
{
    ParameterList list;
    QDomDocument document;
    if (!document.setContent(QByteArray(xml.data(), static_cast<int>(xml.size()))))
        return list;
    list.parsed = true;
    for (QDomElement parameter = document.documentElement().firstChildElement("parameter");
         !parameter.isNull(); parameter = parameter.nextSiblingElement("parameter")) {
        ParameterRecord record = read_record(parameter, list.bad_turn_on);
        if (!record.type.isEmpty())
            list.items.push_back(std::move(record));
    }
    return list;
}

std::string format_values(const std::vector<ParameterRecord> &records)
{
    QDomDocument document;
    QDomElement root = document.createElement(QStringLiteral("parameters"));
    document.appendChild(root);
    for (const ParameterRecord &record : records) {
        QDomElement parameter = document.createElement(QStringLiteral("parameter"));
        append_text_element(document, parameter, QStringLiteral("type"), record.type);
        append_text_element(document, parameter, QStringLiteral("id"), record.id);
        append_text_element(document, parameter, QStringLiteral("name"), record.name);
        append_text_element(document, parameter, QStringLiteral("value"), record.value);
        for (auto it = record.attributes.cbegin(); it != record.attributes.cend(); ++it)
            append_text_element(document, parameter, it.key(), it.value());
        root.appendChild(parameter);
    }
    return to_utf8(document.toString(1));
}

bool parse_turn_on(const QString &text, QString &value, QStringList &ids)
{
    static const QRegularExpression rule(
        QRegularExpression::anchoredPattern(QStringLiteral("([\\w\\.]+)\\s?=\\s?{([\\w,\\s]+)}")));
    static const QRegularExpression word(QStringLiteral("(\\w+)"));
    const QRegularExpressionMatch m = rule.match(text);
    if (!m.hasMatch())
        return false;
    value = m.captured(1);
    ids.clear();
    for (auto it = word.globalMatch(m.captured(2)); it.hasNext();)
        ids.append(it.next().captured(1));
    return true;
}

} // namespace Reusable
