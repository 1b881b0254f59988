#pragma once
// A stand-in for the server's script engine: whenever the "script" of an
// enabled rule or script changes it counts a run and, when python3 is
// installed, compiles the text (and the body of a published, obfuscated
// script) and reports the syntax error or warning the way the engine's
// statistics do, so that the pages' marking can be seen. It also keeps a
// script's translations: the texts of its description and parameter
// captions, per language, served as "actual_ts" for the selected language.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <deque>
#include <map>
#include <string>

class QProcess;

namespace memory_host {
class MemoryTree;
}

namespace sandbox {

struct SyntaxCheck
{
    bool ran = false; // false: the checker could not run
    bool ok = false;
    int line = -1;
    std::string message;
    int warning_line = -1;
    std::string warning;
};

// Reads what the checker program prints: "OK", or "ERROR", a tab, the line
// (-1 when unknown), a tab and the message; before either, any number of
// "WARNING" lines of the same form (the first one counts).
SyntaxCheck parse_check_output(const QByteArray &output);

// Python source defining exec_encoded(script), which runs the body that a
// publish "To file..." obfuscated, in the caller's globals.
QString exec_encoded_source();

// The texts of a script a translator sees: the description (its leading
// comment block, coding line dropped) and the parameter captions.
QStringList translatable_texts(const std::string &script);
// A translation-source document for the texts: a message per text, with the
// translation found in `previous` (another such document) or unfinished.
std::string translation_document(const QString &language, const QStringList &texts,
                                 const std::string &previous);

class ScriptEngine : public QObject
{
    Q_OBJECT
public:
    explicit ScriptEngine(memory_host::MemoryTree &tree, QObject *parent = nullptr);
    ~ScriptEngine() override;

    static bool python_available();
    // Runs the folder's script (asynchronously when python3 checks it).
    void run(const std::string &folder_path);
    // Runs a text that is not the folder's "script", such as a stock
    // script's file; the statistics still go to the folder's "stats".
    void run_text(const std::string &folder_path, const std::string &text);
    bool idle() const { return !process_ && queue_.empty(); }

    // The translation commands of a script folder, and the refresh of its
    // "actual_ts" after its script or language changed. Translations are
    // kept in the folder's "translations" subfolder, one key per language.
    void add_language(const std::string &folder_path, const QString &code);
    void update_languages(const std::string &folder_path, const QStringList &codes);
    void refresh_actual_ts(const std::string &folder_path);

Q_SIGNALS:
    void stats_written(QString folder_path);

private:
    void start_next();
    void finish(const std::string &folder_path, const SyntaxCheck &check);

    memory_host::MemoryTree &tree_;
    std::deque<std::string> queue_;
    QProcess *process_ = nullptr;
    std::string running_;
    std::map<std::string, std::string> texts_; // run_text's texts by folder
};

} // namespace sandbox
