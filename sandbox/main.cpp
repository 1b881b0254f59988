// The sandbox host: loads the plug-in by path as the client does, serves it
// the demo server (or a tree file), and shows its pages; without a display it
// takes the headless tour of every page.

#include "sandbox/check-references.h"
#include "sandbox/demo-server.h"
#include "sandbox/engine/headless-fire.h"
#include "sandbox/log-pane.h"
#include "sandbox/main-window.h"
#include "sandbox/navigator.h"
#include "sandbox/options.h"
#include "sandbox/plugin-library.h"
#include "sandbox/session.h"
#include "sandbox/tour.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QTextStream>
#include <QTimer>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QStringList arguments_of(int argc, char **argv)
{
    QStringList out;
    for (int i = 0; i < argc; ++i)
        out << QString::fromLocal8Bit(argv[i]);
    return out;
}

bool has_display()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

void prepare_headless()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt complains at start-up without a private runtime directory.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QByteArray dir = "/tmp/vx-runtime-" + QByteArray::number(getuid());
        mkdir(dir.constData(), 0700);
        chmod(dir.constData(), 0700);
        qputenv("XDG_RUNTIME_DIR", dir);
    }
}

QtMessageHandler qt_handler = nullptr;

// The offscreen platform says, for every window, what it cannot do.
void quiet_platform_messages(QtMsgType type, const QMessageLogContext &context,
                             const QString &message)
{
    if (message.contains("propagateSizeHints") || message.contains("grabbing the keyboard"))
        return;
    if (qt_handler)
        qt_handler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

// Opens the page of a rule or template loop folder without a window, lets
// the service lists arrive, and prints what its "Script to the clipboard"
// button puts on the clipboard.
int print_script(sandbox::Session &session, const QString &path, QTextStream &out)
{
    const std::string folder_path = path.toStdString();
    Settings folder = session.tree().folder(folder_path);
    if (!folder || path == "/") {
        std::fprintf(stderr, "quorix-sandbox: there is no folder %s\n", qPrintable(path));
        return 1;
    }
    const std::string type = session.tree().snapshot(folder_path).type;
    const char *button = type == "Rule"           ? "clipboard_button"
                         : type == "TemplateLoop" ? "to_script_btn"
                                                  : nullptr;
    auto factory = session.host().pages().factory(type);
    if (!button || !factory) {
        std::fprintf(stderr,
                     "quorix-sandbox: %s is a folder of type '%s'; --print-script takes a "
                     "rule or a template loop\n",
                     qPrintable(path), type.c_str());
        return 1;
    }
    sandbox::Navigator navigator;
    std::unique_ptr<QWidget> page(
        factory->create(&navigator, folder, session.host().server_root()));
    session.settle();
    auto *to_clipboard = page ? page->findChild<QPushButton *>(button) : nullptr;
    if (!to_clipboard) {
        std::fprintf(stderr, "quorix-sandbox: the page of %s has no script\n", qPrintable(path));
        return 1;
    }
    QApplication::clipboard()->clear();
    to_clipboard->click();
    out << QApplication::clipboard()->text();
    out.flush();
    page.reset();
    session.settle();
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    sandbox::Options options;
    QString error;
    if (!sandbox::parse_options(arguments_of(argc, argv), options, &error)) {
        std::fprintf(stderr, "quorix-sandbox: %s\n\n%s", qPrintable(error),
                     qPrintable(sandbox::usage()));
        return 2;
    }
    if (options.help) {
        std::printf("%s", qPrintable(sandbox::usage()));
        return 0;
    }
    if (!has_display() && options.screenshot.isEmpty() && options.tour_dir.isEmpty())
        options.tour_dir = "tour";
    if (options.headless() || !has_display())
        prepare_headless();

    // Qt's own option parser would take --plugin for one of its own.
    int qt_argc = 1;
    QApplication app(qt_argc, argv);
    qt_handler = qInstallMessageHandler(quiet_platform_messages);
    QApplication::setApplicationName("quorix-sandbox");
    QTextStream out(stdout);

    sandbox::SessionSource source;
    if (!options.tree_file.isEmpty())
        source = {sandbox::SessionSource::FILE, options.tree_file};
    else if (options.large)
        source.kind = sandbox::SessionSource::LARGE;
    if (options.huge)
        sandbox::set_large_server_size(sandbox::LargeServerSize().scaled(10));
    std::unique_ptr<sandbox::Session> session = sandbox::Session::open(source, &error);
    if (!session) {
        std::fprintf(stderr, "quorix-sandbox: %s\n", qPrintable(error));
        return 1;
    }
    // Nothing here reads the host's call log; a long session would only fill it.
    session->tree().set_call_log_size(0);
    // Headless, the log goes to the terminal too.
    session->host().log().set_echo(options.headless());
    QObject::connect(session.get(), &sandbox::Session::save_failed,
                     [](const QString &path, const QString &error) {
                         std::fprintf(stderr, "quorix-sandbox: cannot save %s: %s\n",
                                      qPrintable(path), qPrintable(error));
                     });
    sandbox::EngineSettings engine;
    engine.real_clock = options.real_clock;
    engine.time_limit_s = options.time_limit_s;
    engine.memory_mb = options.memory_mb;
    engine.horizon_ms = static_cast<qint64>(options.horizon_s * 1000);
    if (!options.fires.empty() && options.screenshot.isEmpty()) {
        int status = sandbox::fire_headless(*session, options.fires, engine, stdout, stderr);
        if (!session->finish_saving(&error)) {
            std::fprintf(stderr, "quorix-sandbox: %s\n", qPrintable(error));
            status = status ? status : 1;
        }
        return status;
    }

    if (options.check_references) {
        session->settle();
        return sandbox::check_references(*session, stdout);
    }

    sandbox::PluginLibrary plugin(session->host().log());
    const QString plugin_path =
        options.plugin.isEmpty() ? sandbox::default_plugin_path() : options.plugin;
    if (!plugin.load(plugin_path, &error)) {
        std::fprintf(stderr, "quorix-sandbox: cannot load the plug-in: %s\n", qPrintable(error));
        return 1;
    }
    // Pages read the factors when they are built; the width factor follows
    // the size factor, as on the client.
    session->host().pages().scale().set_factor(static_cast<float>(options.scale));
    plugin.init(&session->host());
    plugin.after_load();

    int status = 0;
    if (!options.print_script.isEmpty()) {
        status = print_script(*session, options.print_script, out);
    } else {
        sandbox::MainWindow window(*session, plugin.path());
        const bool opened =
            options.open_path.isEmpty() || window.open_existing_folder(options.open_path, &error);
        if (!opened)
            std::fprintf(stderr, "quorix-sandbox: %s\n", qPrintable(error));
        if (!opened && options.headless()) {
            status = 1; // the pictures would not show what was asked for
        } else if (!options.tour_dir.isEmpty()) {
            bool ok = false;
            const auto stops = sandbox::run_tour(window, *session, options.tour_dir, out, &ok);
            out << stops.size() << " pages written to " << options.tour_dir << "\n";
            status = ok ? 0 : 1;
        } else if (!options.screenshot.isEmpty()) {
            window.show();
            session->settle();
            if (!options.fires.empty() && !sandbox::fire_in_window(window, options.fires, engine))
                status = 1;
            window.log_pane()->refresh();
            status = window.grab().save(options.screenshot) && status == 0 ? 0 : 1;
        } else {
            window.show();
            status = app.exec();
        }
        window.close_page();
        session->settle();
    }
    plugin.done();
    if (!session->finish_saving(&error)) {
        std::fprintf(stderr, "quorix-sandbox: %s\n", qPrintable(error));
        status = status ? status : 1;
    }
    return status;
}
