#pragma once
// The parameters of a script as plain values: read from the XML declaration
// in its header or from the stored values document, and written back to the
// stored values document. QtCore and QtXml only.

#include <QMap>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace Reusable {

struct ParameterRecord
{
    QString type;
    QString id;
    QString name;
    QString value;
    int column = 0;
    bool enabled = true;
    // turn_on rules: while the value equals the key, the listed ids are enabled.
    QMap<QString, QStringList> turn_on;
    // Every other child element, tag name to text.
    QMap<QString, QString> attributes;
};

struct ParameterList
{
    bool parsed = false;                // false: the text is not an XML document
    std::vector<ParameterRecord> items; // in document order; items without a type are dropped
    QStringList bad_turn_on;            // turn_on texts that are not a rule
};

// Reads the `parameter` children of the document element.
ParameterList parse_parameters(const std::string &xml);

// The stored values document: one `parameter` per record with `type`, `id`,
// `name`, `value`, then the attributes by ascending name; indentation 1, UTF-8.
std::string format_values(const std::vector<ParameterRecord> &records);

// A turn_on text "value = {id, id}"; false when it is not in that form.
bool parse_turn_on(const QString &text, QString &value, QStringList &ids);

} // namespace Reusable
