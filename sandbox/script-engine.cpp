#include "sandbox/script-engine.h"

#include "memory-host/memory-tree.h"

#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace sandbox {
namespace {

// Reverses the obfuscation of a published body: Base64, then XOR with the
// key the plug-in's publish uses.
const char *decoder = R"(def decode_published(text):
    import base64
    key = b'vx-script-body/7'
    data = base64.b64decode(''.join(text.split()))
    return bytes(b ^ key[i % len(key)] for i, b in enumerate(data)).decode('utf-8', 'replace')
)";

// Reads the script on standard input so that any text gets through intact.
// A published file's obfuscated body is checked too.
const char *checker = R"(import ast, sys, warnings

def published_body(tree):
    text = None
    for node in tree.body:
        if (isinstance(node, ast.Assign) and len(node.targets) == 1
                and isinstance(node.targets[0], ast.Name) and node.targets[0].id == 'script'
                and isinstance(node.value, ast.Constant) and isinstance(node.value.value, str)):
            text = node.value.value
        elif (text is not None and isinstance(node, ast.Expr) and isinstance(node.value, ast.Call)
                and isinstance(node.value.func, ast.Name) and node.value.func.id == 'exec_encoded'):
            return decode_published(text)
    return None

source = sys.stdin.buffer.read().decode('utf-8', 'replace')
try:
    with warnings.catch_warnings(record=True) as caught:
        warnings.simplefilter('always')
        tree = compile(source, 'script', 'exec', ast.PyCF_ONLY_AST)
        compile(tree, 'script', 'exec')
        body = published_body(tree)
        if body is not None:
            compile(body, 'script', 'exec')
    for w in caught:
        print('WARNING\t%d\t%s: %s' % (w.lineno or -1, w.category.__name__, w.message))
    print('OK')
except SyntaxError as e:
    print('ERROR\t%d\t%s: %s' % (e.lineno or -1, type(e).__name__, e.msg))
except Exception as e:
    print('ERROR\t-1\t%s: %s' % (type(e).__name__, e))
)";

const int check_timeout_ms = 10000;

} // namespace

SyntaxCheck parse_check_output(const QByteArray &output)
{
    SyntaxCheck check;
    for (const QByteArray &raw : output.trimmed().split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line == "OK") {
            check.ran = check.ok = true;
            return check;
        }
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() < 3 || (fields[0] != "ERROR" && fields[0] != "WARNING"))
            return SyntaxCheck();
        bool number = false;
        const int at = fields[1].toInt(&number);
        const int where = number && at > 0 ? at : -1;
        const std::string message = line.mid(fields[0].size() + fields[1].size() + 2).toStdString();
        if (fields[0] == "ERROR") {
            check.ran = true;
            check.line = where;
            check.message = message;
            return check;
        }
        if (check.warning.empty()) {
            check.warning_line = where;
            check.warning = message;
        }
    }
    return SyntaxCheck();
}

QString exec_encoded_source()
{
    return QString::fromLatin1(decoder) +
           QStringLiteral("def exec_encoded(script):\n"
                          "    import sys\n"
                          "    exec(compile(decode_published(script), 'script', 'exec'),\n"
                          "         sys._getframe(1).f_globals)\n");
}

ScriptEngine::ScriptEngine(memory_host::MemoryTree &tree, QObject *parent)
    : QObject(parent)
    , tree_(tree)
{}

ScriptEngine::~ScriptEngine()
{
    if (process_) {
        process_->disconnect(this);
        process_->kill();
        process_->waitForFinished(1000);
    }
}

bool ScriptEngine::python_available()
{
    static const bool found = !QStandardPaths::findExecutable("python3").isEmpty();
    return found;
}

void ScriptEngine::run(const std::string &folder_path)
{
    // A second save while the first is checked only needs one more check.
    for (const auto &queued : queue_)
        if (queued == folder_path)
            return;
    queue_.push_back(folder_path);
    if (!process_)
        start_next();
}

void ScriptEngine::run_text(const std::string &folder_path, const std::string &text)
{
    texts_[folder_path] = text;
    run(folder_path);
}

void ScriptEngine::start_next()
{
    while (!queue_.empty() && !process_) {
        running_ = queue_.front();
        queue_.pop_front();
        if (!python_available()) {
            texts_.erase(running_);
            finish(running_, SyntaxCheck());
            continue;
        }
        process_ = new QProcess(this);
        process_->setProcessChannelMode(QProcess::SeparateChannels);
        connect(process_, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), this,
                [this](int, QProcess::ExitStatus) {
                    const SyntaxCheck check = parse_check_output(process_->readAllStandardOutput());
                    process_->deleteLater();
                    process_ = nullptr;
                    finish(running_, check);
                    start_next();
                });
        connect(process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
            if (error != QProcess::FailedToStart)
                return;
            process_->deleteLater();
            process_ = nullptr;
            finish(running_, SyntaxCheck());
            start_next();
        });
        QTimer::singleShot(check_timeout_ms, process_, [p = process_] { p->kill(); });
        process_->start("python3",
                        {"-c", QString::fromLatin1(decoder) + QString::fromLatin1(checker)});
        std::string text;
        const auto given = texts_.find(running_);
        if (given != texts_.end()) {
            text = given->second;
            texts_.erase(given);
        } else
            text = tree_.string_value(running_, "script");
        process_->write(text.data(), static_cast<qint64>(text.size()));
        process_->closeWriteChannel();
    }
}

void ScriptEngine::finish(const std::string &folder_path, const SyntaxCheck &check)
{
    if (!tree_.folder(folder_path))
        return; // erased meanwhile
    const std::string stats = folder_path + "/stats";
    using memory_host::Value;
    // Everything but the run count is written quietly, so that a page hears
    // of the run once, with every statistic in place.
    if (check.ran && check.ok) {
        tree_.put(stats, "last_error_line", Value::of_integer(-1), false);
        tree_.put(stats, "last_error", Value::of_string(std::string()), false);
        if (tree_.has(stats, "last_warning")) { // rules have no warnings
            tree_.put(stats, "last_warning_line", Value::of_integer(check.warning_line), false);
            tree_.put(stats, "last_warning", Value::of_string(check.warning), false);
        }
    } else if (check.ran) {
        tree_.put(stats, "error_count",
                  Value::of_integer(tree_.integer_value(stats, "error_count") + 1), false);
        tree_.put(stats, "last_error_line", Value::of_integer(check.line), false);
        tree_.put(stats, "last_error", Value::of_string(check.message), false);
    }
    tree_.put(stats, "run_count", Value::of_integer(tree_.integer_value(stats, "run_count") + 1),
              true);
    Q_EMIT stats_written(QString::fromStdString(folder_path));
}

namespace {

// The declaration between the docstring's quotes after the leading comment
// block; empty without one.
QString declaration_of(const QStringList &lines, int first)
{
    const QString rest = lines.mid(first).join('\n').trimmed();
    for (const QString &quotes : {QStringLiteral("\"\"\""), QStringLiteral("'''")})
        if (rest.startsWith(quotes)) {
            const int end = rest.indexOf(quotes, 3);
            return end < 0 ? QString() : rest.mid(3, end - 3);
        }
    return QString();
}

struct Message
{
    QString translation;
    bool finished;
};

QMap<QString, Message> messages_of(const std::string &document)
{
    QMap<QString, Message> messages;
    QXmlStreamReader xml(QByteArray::fromStdString(document));
    QString source;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("source"))
            source = xml.readElementText();
        else if (xml.name() == QLatin1String("translation")) {
            const bool finished = xml.attributes().value("type") != QLatin1String("unfinished");
            messages.insert(source, {xml.readElementText(), finished});
        }
    }
    return messages;
}

QStringList codes_of(const std::string &list)
{
    QStringList codes;
    for (const QString &code : QString::fromStdString(list).split(','))
        if (!code.trimmed().isEmpty())
            codes << code.trimmed();
    return codes;
}

} // namespace

QStringList translatable_texts(const std::string &script)
{
    static const QRegularExpression coding(
        "^#[ \r\t]*-\\*-[ \r\t]*coding:[ \r\t]*[A-Za-z0-9_\\-]*[ \r\t]*-\\*-[ \t\r]*$");
    const QStringList lines = QString::fromStdString(script).split('\n');
    int at = 0;
    while (at < lines.size() && lines[at].trimmed().isEmpty())
        ++at;
    QStringList comment;
    for (; at < lines.size() && lines[at].startsWith('#'); ++at)
        if (!coding.match(lines[at]).hasMatch())
            comment << lines[at].mid(1);
    QStringList texts;
    if (!comment.join('\n').trimmed().isEmpty())
        texts << comment.join('\n').trimmed();
    QXmlStreamReader xml(declaration_of(lines, at));
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("name")) {
            const QString caption = xml.readElementText().trimmed();
            if (!caption.isEmpty() && !texts.contains(caption))
                texts << caption;
        }
    }
    return texts;
}

std::string translation_document(const QString &language, const QStringList &texts,
                                 const std::string &previous)
{
    const QMap<QString, Message> known = messages_of(previous);
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDTD("<!DOCTYPE TS>");
    xml.writeStartElement("TS");
    xml.writeAttribute("version", "2.1");
    xml.writeAttribute("language", language);
    xml.writeStartElement("context");
    xml.writeTextElement("name", "script");
    for (const QString &text : texts) {
        xml.writeStartElement("message");
        xml.writeTextElement("source", text);
        const auto found = known.find(text);
        xml.writeStartElement("translation");
        if (found == known.end() || !found->finished)
            xml.writeAttribute("type", "unfinished");
        if (found != known.end())
            xml.writeCharacters(found->translation);
        xml.writeEndElement();
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    return out.toStdString();
}

void ScriptEngine::add_language(const std::string &folder_path, const QString &code)
{
    QStringList codes = codes_of(tree_.string_value(folder_path, "available_languages"));
    if (code.isEmpty() || codes.contains(code))
        return;
    codes << code;
    // The document exists before the language is announced.
    update_languages(folder_path, {code});
    tree_.put_string(folder_path, "available_languages", codes.join(',').toStdString());
    refresh_actual_ts(folder_path);
}

void ScriptEngine::update_languages(const std::string &folder_path, const QStringList &codes)
{
    const QStringList texts = translatable_texts(tree_.string_value(folder_path, "script"));
    const std::string translations = folder_path + "/translations";
    tree_.make_folder(translations);
    for (const QString &code : codes) {
        const std::string key = code.trimmed().toStdString();
        if (!key.empty())
            tree_.put_string(
                translations, key,
                translation_document(code.trimmed(), texts, tree_.string_value(translations, key)));
    }
    refresh_actual_ts(folder_path);
}

void ScriptEngine::refresh_actual_ts(const std::string &folder_path)
{
    const QString language = QString::fromStdString(tree_.string_value(folder_path, "language"));
    std::string actual;
    if (!language.isEmpty() &&
        codes_of(tree_.string_value(folder_path, "available_languages")).contains(language))
        actual = translation_document(
            language, translatable_texts(tree_.string_value(folder_path, "script")),
            tree_.string_value(folder_path + "/translations", language.toStdString()));
    if (actual != tree_.string_value(folder_path, "actual_ts"))
        tree_.put_string(folder_path, "actual_ts", actual);
}

} // namespace sandbox
