#include "sandbox/script-engine.h"

#include "memory-host/memory-tree.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace sandbox {
namespace {

// Reads the script on standard input so that any text gets through intact.
const char *checker = R"(import sys
source = sys.stdin.buffer.read().decode('utf-8', 'replace')
try:
    compile(source, 'script', 'exec')
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
    const QByteArray line = output.trimmed();
    if (line == "OK") {
        check.ran = check.ok = true;
        return check;
    }
    const QList<QByteArray> fields = line.split('\t');
    if (fields.size() < 3 || fields[0] != "ERROR")
        return check;
    bool number = false;
    const int at = fields[1].toInt(&number);
    check.ran = true;
    check.line = number && at > 0 ? at : -1;
    check.message = line.mid(fields[0].size() + fields[1].size() + 2).toStdString();
    return check;
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

void ScriptEngine::start_next()
{
    while (!queue_.empty() && !process_) {
        running_ = queue_.front();
        queue_.pop_front();
        if (!python_available()) {
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
        process_->start("python3", {"-c", QString::fromLatin1(checker)});
        const std::string text = tree_.string_value(running_, "script");
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

} // namespace sandbox
