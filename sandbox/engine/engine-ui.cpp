#include "sandbox/engine/engine-ui.h"

#include "sandbox/engine/script-environment.h"
#include "sandbox/engine/trace-pane.h"
#include "sandbox/server-services.h"
#include "sandbox/session.h"
#include "sandbox/settings-tree-view.h"

#include <QInputDialog>
#include <QJsonArray>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>

namespace sandbox {
namespace {

const char *const zones[] = {"Green", "Red", "Blue"};

// The keys whose change means the scripts to run are others now.
bool changes_scripts(const QString &key)
{
    return key == "script" || key == "enable" || key == "parameters";
}

} // namespace

EngineUi::EngineUi(Session &session, SettingsTreeView *tree, QMainWindow *window)
    : QObject(window)
    , session_(session)
    , tree_(tree)
    , window_(window)
    , environment_(new ScriptEnvironment(session, this))
    , pane_(new TracePane)
{
    connect(environment_, &ScriptEnvironment::entry, pane_, &TracePane::add);
    connect(environment_, &ScriptEnvironment::failed, this, [this](const QString &reason) {
        window_->statusBar()->showMessage(tr("Scripts: %1").arg(reason), 10000);
    });
    connect(environment_, &ScriptEnvironment::idle, this,
            [this] { window_->statusBar()->showMessage(tr("Scripts: the clock stopped"), 5000); });
    connect(&session_, &Session::key_written, this, [this](const QString &, const QString &key) {
        if (changes_scripts(key))
            environment_->invalidate();
    });
    connect(&session_, &Session::structure_changed, environment_, &ScriptEnvironment::invalidate);
    tree_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tree_, &QWidget::customContextMenuRequested, this, &EngineUi::tree_menu);
    build_menu();
}

bool EngineUi::fire(const FireRequest &request)
{
    pane_->forget_last_fired();
    QString error;
    if (!environment_->fire({request}, &error)) {
        window_->statusBar()->showMessage(tr("Cannot fire: %1").arg(error), 10000);
        return false;
    }
    window_->statusBar()->showMessage(tr("Fired %1 %2").arg(request.kind, request.argument), 5000);
    Q_EMIT fired();
    return true;
}

QString EngineUi::selected_path() const
{
    return tree_->current_path();
}

void EngineUi::build_menu()
{
    auto *menu = new QMenu(tr("F&ire"), window_);
    menu->setObjectName("fire_menu");
    // Before Help, which stays last.
    const QList<QAction *> menus = window_->menuBar()->actions();
    window_->menuBar()->insertMenu(menus.isEmpty() ? nullptr : menus.last(), menu);
    menu->addAction(tr("Press &Shortcut..."), this, [this] { ask_shortcut("shortcut"); });
    menu->addAction(tr("&Release Shortcut..."), this, [this] { ask_shortcut("release"); });
    menu->addAction(tr("&Event on an Object..."), this, [this] { ask_event(QString()); });
    QMenu *selected = menu->addMenu(tr("On the Selected &Folder"));
    connect(selected, &QMenu::aboutToShow, this, [this, selected] {
        selected->clear();
        add_folder_entries(selected, selected_path());
    });
    menu->addSeparator();
    real_clock_ = menu->addAction(tr("Real-Speed &Clock"));
    real_clock_->setCheckable(true);
    connect(real_clock_, &QAction::toggled, this, [this](bool real) {
        EngineSettings settings = environment_->settings();
        settings.real_clock = real;
        // An instant clock runs ten virtual minutes after each firing; a
        // real one keeps running for as long as the scripts wait.
        settings.horizon_ms = real ? 0 : 600000;
        environment_->set_settings(settings);
    });
    menu->addAction(tr("S&top Scripts"), environment_, &ScriptEnvironment::stop);
    menu->addAction(tr("Clear &Trace"), pane_, &TracePane::clear_runs);
}

void EngineUi::add_folder_entries(QMenu *menu, const QString &path)
{
    if (path.isEmpty()) {
        menu->addAction(tr("(choose a folder of the tree)"))->setEnabled(false);
        return;
    }
    const std::string type = session_.tree().snapshot(path.toStdString()).type;
    if (type == "Rule")
        menu->addAction(tr("Run the Rule as an Action"), this, [this, path] {
            fire({path, "action", QString()});
        });
    if (type == "Schedule")
        for (const char *zone : zones)
            menu->addAction(tr("Schedule Enters %1").arg(QLatin1String(zone)), this,
                            [this, path, zone] {
                                fire({path, "schedule", zone});
                            });
    if (type == "Channel")
        menu->addAction(tr("Event on this Channel..."), this, [this, path] { ask_event(path); });
    menu->addAction(tr("Settings Changed Here"), this, [this, path] {
        fire({path, "settings", QString()});
    });
}

void EngineUi::tree_menu(const QPoint &at)
{
    QTreeWidgetItem *item = tree_->itemAt(at);
    if (!item)
        return;
    const QString path = item->data(SettingsTreeView::FOLDER, Qt::UserRole).toString();
    QMenu menu;
    add_folder_entries(menu.addMenu(tr("Fire")), path);
    menu.exec(tree_->viewport()->mapToGlobal(at));
}

void EngineUi::ask_shortcut(const QString &kind)
{
    bool ok = false;
    const QString key = QInputDialog::getText(window_, tr("Fire a Shortcut"),
                                              tr("Key sequence, such as F5 or Ctrl+F8, or a "
                                                 "panel key U1 to U10:"),
                                              QLineEdit::Normal, QStringLiteral("F5"), &ok);
    if (ok && !key.trimmed().isEmpty())
        fire({QStringLiteral("-"), kind, key.trimmed()});
}

void EngineUi::ask_event(QString path)
{
    bool ok = false;
    if (path.isEmpty()) {
        QStringList names;
        for (const QJsonValue &o : environment_->objects())
            names << o["name"].toString();
        names.removeDuplicates();
        path = QInputDialog::getItem(window_, tr("Fire an Event"), tr("Object:"), names, 0, false,
                                     &ok);
        if (!ok)
            return;
    }
    QStringList types;
    for (const auto &t : session_.services().catalogue().event_types)
        types << QString::fromStdString(t.name);
    const QString type = QInputDialog::getItem(window_, tr("Fire an Event"), tr("Event type:"),
                                               types, 0, false, &ok);
    if (ok)
        fire({path, "event", type});
}

} // namespace sandbox
