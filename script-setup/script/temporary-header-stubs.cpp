// Stand-ins for the script header logic and the parameters form until their
// own implementation lands: just enough to open, save and publish scripts.

#include "qt4-pavo7/reusable/parameters-editor.h"
#include "script-setup/script/script-header.h"
#include "script-setup/script/script-parameters-editor.h"

#include <QDomDocument>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

namespace script_header {
namespace {

size_t header_end(const std::string &t)
{
    size_t pos = 0;
    while (pos < t.size()) {
        size_t p = pos;
        while (p < t.size() && (t[p] == ' ' || t[p] == '\t' || t[p] == '\r' || t[p] == '\n'))
            ++p;
        if (p < t.size() && t[p] == '#')
            p = t.find('\n', p);
        else if (p < t.size()) {
            // blanks up to the last line end before p
            const size_t nl = t.rfind('\n', p);
            return nl == std::string::npos || nl < pos ? pos : nl + 1;
        }
        if (p == std::string::npos)
            return pos;
        if (p >= t.size())
            return t.rfind('\n') == std::string::npos ? pos : t.rfind('\n') + 1;
        pos = p + 1;
    }
    return pos;
}

size_t string_end(const std::string &t, size_t at)
{
    for (const char *q : {"\"\"\"", "'''"})
        if (t.compare(at, 3, q) == 0) {
            const size_t end = t.find(q, at + 3);
            return end == std::string::npos ? std::string::npos : end + 3;
        }
    if (at < t.size() && (t[at] == '"' || t[at] == '\'')) {
        const size_t end = t.find(t[at], at + 1);
        const size_t nl = t.find('\n', at);
        return end == std::string::npos || end > nl ? std::string::npos : end + 1;
    }
    return std::string::npos;
}

} // namespace

Parts split(const std::string &text)
{
    Parts parts;
    const size_t h = header_end(text);
    parts.header_comment = text.substr(0, h);
    size_t pos = h;
    const size_t d = string_end(text, h);
    if (d != std::string::npos) {
        parts.docstring = text.substr(h, d - h);
        pos = d;
    }
    const std::string check = "vxutils.resources_check(script_path, resources)";
    size_t r = pos;
    while (r < text.size() && text[r] == '\n')
        ++r;
    const size_t c = text.rfind(check);
    if (text.compare(r, 9, "resources") == 0 && c != std::string::npos && c >= r) {
        size_t e = c + check.size();
        while (e < text.size() && text[e] == '\n')
            ++e;
        parts.resources_block = text.substr(pos, e - pos);
        pos = e;
    }
    parts.body = text.substr(pos);
    return parts;
}

std::string declaration(const std::string &text)
{
    const std::string d = split(text).docstring;
    if (d.empty())
        return d;
    const size_t q = d.compare(0, 3, "\"\"\"") == 0 || d.compare(0, 3, "'''") == 0 ? 3 : 1;
    return d.substr(q, d.size() - 2 * q);
}

QString translate(const QString &text, const std::string &actual_ts)
{
    QDomDocument ts;
    if (actual_ts.empty() || !ts.setContent(QByteArray::fromStdString(actual_ts)))
        return text;
    const QDomNodeList messages = ts.elementsByTagName("message");
    for (int i = 0; i < messages.size(); ++i) {
        const QDomElement m = messages.at(i).toElement();
        if (m.firstChildElement("source").text() != text)
            continue;
        const QDomElement t = m.firstChildElement("translation");
        return t.isNull() || t.attribute("type") == "unfinished" ? text : t.text();
    }
    return text;
}

QString description_text(const QString &editor_text, const std::string &actual_ts)
{
    static const QRegularExpression block("\\A(?:[\\n\\r\\t ]*\\n)*((?:#[^\\n]*\\n)+)",
                                          QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = block.match(editor_text);
    if (!m.hasMatch())
        return QString();
    QString comment = m.captured(1);
    comment.remove(QRegularExpression(
        "#[ \\r\\t]*-\\*-[ \\r\\t]*coding:[ \\r\\t]*[A-Za-z0-9_\\-]*[ \\r\\t]*-\\*-[ \\t\\r]*\\n"));
    comment.replace(QRegularExpression("#([^\\n]*)"), "\\1");
    return translate(comment.trimmed(), actual_ts);
}

std::string translate_declaration(const std::string &declaration, const std::string &actual_ts)
{
    QDomDocument doc;
    if (actual_ts.empty() || !doc.setContent(QByteArray::fromStdString(declaration)))
        return declaration;
    const QDomNodeList names = doc.elementsByTagName("name");
    for (int i = 0; i < names.size(); ++i) {
        QDomElement n = names.at(i).toElement();
        const QString t = translate(n.text().trimmed(), actual_ts);
        while (n.hasChildNodes())
            n.removeChild(n.firstChild());
        n.appendChild(doc.createTextNode(t));
    }
    return doc.toByteArray(1).toStdString();
}

} // namespace script_header

namespace Reusable {

struct UniversalParametersEditor::Row
{
    QString type, id, name;
    QLineEdit *edit;
};

UniversalParametersEditor::UniversalParametersEditor(QGridLayout *layout, QWidget *parent)
    : QWidget(parent)
    , layout_(layout)
{}

void UniversalParametersEditor::set_description(const std::string &declaration_xml)
{
    QDomDocument doc;
    if (!doc.setContent(QByteArray::fromStdString(declaration_xml)))
        return;
    for (QDomElement p = doc.documentElement().firstChildElement("parameter"); !p.isNull();
         p = p.nextSiblingElement("parameter")) {
        const QString type = p.firstChildElement("type").text().trimmed();
        if (type.isEmpty())
            continue;
        auto *row = new Row{type, p.firstChildElement("id").text().trimmed(),
                            p.firstChildElement("name").text().trimmed(), new QLineEdit};
        row->edit->setText(p.firstChildElement("value").text().trimmed());
        const int at = layout_->rowCount();
        layout_->addWidget(new QLabel(row->name), at, 0);
        layout_->addWidget(row->edit, at, 1);
        connect(row->edit, &QLineEdit::textEdited, this, &UniversalParametersEditor::change_string);
        rows_.push_back(row);
    }
    connect(this, &QObject::destroyed, [rows = rows_] {
        for (Row *r : rows)
            delete r;
    });
}

void UniversalParametersEditor::set_values(const std::string &values, bool)
{
    QDomDocument doc;
    if (!doc.setContent(QByteArray::fromStdString(values)))
        return;
    for (QDomElement p = doc.documentElement().firstChildElement("parameter"); !p.isNull();
         p = p.nextSiblingElement("parameter"))
        for (Row *row : rows_)
            if (row->id == p.firstChildElement("id").text() &&
                row->type == p.firstChildElement("type").text())
                row->edit->setText(p.firstChildElement("value").text());
}

std::string UniversalParametersEditor::get_values() const
{
    QDomDocument doc;
    QDomElement root = doc.createElement("parameters");
    doc.appendChild(root);
    for (const Row *row : rows_) {
        QDomElement p = doc.createElement("parameter");
        for (const auto &field :
             {std::make_pair("type", row->type), std::make_pair("id", row->id),
              std::make_pair("name", row->name), std::make_pair("value", row->edit->text())}) {
            QDomElement e = doc.createElement(field.first);
            e.appendChild(doc.createTextNode(field.second));
            p.appendChild(e);
        }
        root.appendChild(p);
    }
    return doc.toByteArray(1).toStdString();
}

int UniversalParametersEditor::parameters_count() const
{
    return static_cast<int>(rows_.size());
}

void UniversalParametersEditor::change_string(const QString &)
{
    Q_EMIT changed();
}
void UniversalParametersEditor::change_bool(bool) {}
void UniversalParametersEditor::change_integer(int) {}
void UniversalParametersEditor::change_float(double) {}
void UniversalParametersEditor::change_date(const QDate &) {}
void UniversalParametersEditor::change_time(const QTime &) {}
void UniversalParametersEditor::change_string_list(const QString &) {}

} // namespace Reusable

ScriptParametersEditor::ScriptParametersEditor(const QString &, QGridLayout *layout,
                                               QWidget *parent)
    : UniversalParametersEditor(layout, parent)
{}
