#include "sandbox/main-window.h"

#include "sandbox/engine/engine-ui.h"
#include "sandbox/engine/trace-pane.h"
#include "sandbox/keys-view.h"
#include "sandbox/log-pane.h"
#include "sandbox/navigator.h"
#include "sandbox/session.h"
#include "sandbox/settings-tree-view.h"
#include "sandbox/tree-file.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace sandbox {

MainWindow::MainWindow(Session &session, const QString &plugin_path, QWidget *parent)
    : QMainWindow(parent)
    , session_(session)
    , plugin_path_(plugin_path)
    , navigator_(new Navigator(this))
    , tree_view_(new SettingsTreeView)
    , title_(new QLabel)
    , subtitle_(new QLabel)
    , stack_(new QStackedWidget)
    , page_area_(new QScrollArea)
    , keys_view_(new KeysView)
    , log_pane_(new LogPane(session.host().log()))
    , engine_ui_(nullptr)
    , bottom_(new QTabWidget)
    , file_label_(new QLabel)
{
    setObjectName("sandbox_window");
    QFont big = title_->font();
    big.setPointSizeF(big.pointSizeF() * 1.25);
    big.setBold(true);
    title_->setFont(big);
    title_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    subtitle_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    subtitle_->setForegroundRole(QPalette::PlaceholderText);

    page_area_->setObjectName("page_area");
    page_area_->setWidgetResizable(true);
    page_area_->setFrameShape(QFrame::NoFrame);
    page_area_->setFocusPolicy(Qt::NoFocus); // the page's controls take the focus
    stack_->addWidget(page_area_);
    stack_->addWidget(keys_view_);

    auto *right = new QWidget;
    auto *right_layout = new QVBoxLayout(right);
    right_layout->setContentsMargins(10, 6, 6, 0);
    right_layout->setSpacing(2);
    right_layout->addWidget(title_);
    right_layout->addWidget(subtitle_);
    auto *line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    right_layout->addSpacing(4);
    right_layout->addWidget(line);
    right_layout->addWidget(stack_, 1);

    auto *top = new QSplitter(Qt::Horizontal);
    top->addWidget(tree_view_);
    top->addWidget(right);
    top->setStretchFactor(1, 1);
    top->setSizes({500, 780});
    auto *outer = new QSplitter(Qt::Vertical);
    outer->addWidget(top);
    // The log and the scripts' runs share the bottom.
    bottom_->setObjectName("bottom_tabs");
    bottom_->setDocumentMode(true);
    bottom_->addTab(log_pane_, tr("Log"));
    outer->addWidget(bottom_);
    outer->setStretchFactor(0, 1);
    outer->setSizes({600, 170});
    setCentralWidget(outer);

    build_menus();
    engine_ui_ = new EngineUi(session_, tree_view_, this);
    bottom_->addTab(engine_ui_->trace_pane(), tr("Script Runs"));
    connect(engine_ui_, &EngineUi::fired, this, &MainWindow::show_trace);
    statusBar()->addPermanentWidget(file_label_);
    statusBar()->showMessage(tr("Plug-in: %1").arg(QFileInfo(plugin_path_).fileName()));
    update_title();
    // Pages grow with the host's factor; the window grows with them, within
    // the screen, but never below its size at factor 1.
    QSize size = QSize(1280, 820) * session_.host().pages().scale().size_factor();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size()).expandedTo(QSize(1280, 820));
    resize(size);

    connect(tree_view_, &SettingsTreeView::folder_chosen, this,
            [this](const QString &path) { open_folder(path); });
    connect(navigator_, &Navigator::open_requested, this,
            [this](const QString &path) { open_folder(path); });
    connect(&session_, &Session::structure_changed, this, &MainWindow::structure_changed);
    connect(&session_, &Session::key_written, this, &MainWindow::key_written);
    connect(&session_, &Session::file_changed, this, &MainWindow::update_title);
    connect(&session_, &Session::save_failed, this,
            [this](const QString &, const QString &error) { save_failed(error); });
    connect(&session_, &Session::saved, this, [this] {
        if (!file_label_->styleSheet().isEmpty()) {
            statusBar()->showMessage(tr("Saved again"), 5000);
            update_title();
        }
    });

    tree_view_->rebuild(session_.tree());
    show_header(QString(), QString());
    keys_view_->show_message(tr("Nothing selected"),
                             tr("Choose a folder of the server's settings tree."));
    stack_->setCurrentWidget(keys_view_);
}

MainWindow::~MainWindow()
{
    close_page();
}

void MainWindow::build_menus()
{
    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&Open Tree File..."), this, &MainWindow::open_tree_file,
                    QKeySequence::Open);
    file->addAction(tr("Save Tree File &As..."), this, &MainWindow::save_tree_file_as);
    file->addSeparator();
    file->addAction(tr("&Quit"), this, &QWidget::close, QKeySequence::Quit);

    QMenu *view = menuBar()->addMenu(tr("&View"));
    view->addAction(tr("&Expand All"), tree_view_, &QTreeView::expandAll);
    view->addAction(tr("&Collapse All"), tree_view_, &QTreeView::collapseAll);
    view->addSeparator();
    view->addAction(tr("C&lear Log"), log_pane_, &LogPane::clear_lines);

    QMenu *help = menuBar()->addMenu(tr("&Help"));
    help->addAction(tr("&About the Sandbox"), this, [this] {
        QMessageBox::about(
            this, tr("About the Sandbox"),
            tr("<p><b>Quorix script setup sandbox</b></p>"
               "<p>Loads the script setup plug-in as the client does, serves it a "
               "settings tree and plays the server's part for what its pages write.</p>"
               "<p>Plug-in: %1<br>Server: %2<br>Tree: %3</p>")
                .arg(plugin_path_.toHtmlEscaped(),
                     QString::fromStdString(session_.server_name()).toHtmlEscaped(),
                     session_.description().toHtmlEscaped()));
    });
}

void MainWindow::show_trace()
{
    bottom_->setCurrentWidget(engine_ui_->trace_pane());
    // A run needs more room than the log's few lines.
    auto *split = qobject_cast<QSplitter *>(bottom_->parentWidget());
    const int wanted = 440;
    if (split && split->sizes().value(1) < wanted) {
        const int total = split->sizes().value(0) + split->sizes().value(1);
        split->setSizes({total - wanted, wanted});
    }
}

void MainWindow::update_title()
{
    setWindowTitle(
        tr("Quorix Sandbox — %1 (%2)")
            .arg(QString::fromStdString(session_.server_name()), session_.description()));
    file_label_->setText(session_.tree_file() ? tr("Saving to %1").arg(session_.description())
                                              : tr("In memory only"));
    file_label_->setToolTip(QString());
    file_label_->setStyleSheet(QString());
}

void MainWindow::save_failed(const QString &error)
{
    statusBar()->showMessage(tr("Not saved, changes kept, retrying: %1").arg(error));
    // The status bar may cut the message; the log keeps it whole.
    session_.host().log().write(2, "SANDBOX: cannot save: " + error.toStdString() + "\n");
    log_pane_->refresh();
    file_label_->setText(tr("Not saved"));
    file_label_->setToolTip(error);
    file_label_->setStyleSheet(QStringLiteral("color: #c62828; font-weight: bold"));
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    TreeFile *file = session_.tree_file();
    QString error;
    while (file && file->dirty() && !file->save_now(&error)) {
        QMessageBox box(QMessageBox::Warning, tr("Unsaved Changes"),
                        tr("The changes could not be saved to %1:\n%2").arg(file->path(), error),
                        QMessageBox::Retry | QMessageBox::Discard | QMessageBox::Cancel, this);
        box.setObjectName("unsaved_changes");
        QPushButton *save_as = box.addButton(tr("Save As..."), QMessageBox::ActionRole);
        const int answer = box.exec();
        if (box.clickedButton() == save_as) {
            save_tree_file_as();
            file = session_.tree_file();
        } else if (answer == QMessageBox::Discard) {
            break;
        } else if (answer != QMessageBox::Retry) {
            event->ignore();
            return;
        }
    }
    QMainWindow::closeEvent(event);
}

void MainWindow::close_page()
{
    if (QWidget *page = page_area_->takeWidget()) {
        page->hide();
        page->deleteLater(); // it may be inside one of its own slots
    }
    page_.clear();
}

QSize MainWindow::page_area_size() const
{
    return stack_->size();
}

void MainWindow::resize_page_area(const QSize &size)
{
    // The splitters give the page side every pixel the window gains.
    resize(this->size() + size - page_area_size());
}

// A page joins the window last in the focus chain; Tab goes from the tree to
// the page and then on to the log, as they are shown.
void MainWindow::follow_tree_in_tab_order(QWidget *page)
{
    QWidgetList controls;
    for (QWidget *w = page->nextInFocusChain(); w != page; w = w->nextInFocusChain())
        if (page->isAncestorOf(w) && w->focusPolicy() != Qt::NoFocus)
            controls << w;
    QWidget *previous = tree_view_;
    for (QWidget *w : controls) {
        QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

void MainWindow::show_header(const QString &path, const QString &type)
{
    if (path.isEmpty()) {
        title_->setText(tr("Server %1").arg(QString::fromStdString(session_.server_name())));
        subtitle_->setText(session_.description());
        return;
    }
    const QString name =
        QString::fromStdString(session_.tree().string_value(path.toStdString(), "name"));
    title_->setText(name.isEmpty() ? path.section('/', -1) : name);
    subtitle_->setText(type.isEmpty() ? path : QStringLiteral("%1  ·  %2").arg(type, path));
}

QWidget *MainWindow::open_folder(const QString &path)
{
    memory_host::MemoryTree &tree = session_.tree();
    Settings folder = tree.folder(path.toStdString());
    if (!folder || path.isEmpty() || path == "/") {
        pending_path_ = path; // a folder the server is about to create
        return nullptr;
    }
    pending_path_.clear();
    if (path == current_path_ && page_)
        return page_;
    close_page();
    current_path_ = path;
    tree_view_->select_path(path);

    const std::string type = tree.snapshot(path.toStdString()).type;
    show_header(path, QString::fromStdString(type));
    auto factory = session_.host().pages().factory(type);
    if (!factory) {
        keys_view_->show_folder(tree, path);
        stack_->setCurrentWidget(keys_view_);
        return nullptr;
    }
    QWidget *page = nullptr;
    QElapsedTimer clock;
    clock.start();
    try {
        page = factory->create(navigator_, folder, session_.server_root());
    } catch (const std::exception &e) {
        session_.host().log().write(3, std::string("SANDBOX: the page for ") + type +
                                           " failed: " + e.what() + "\n");
    }
    last_build_ns_ = clock.nsecsElapsed();
    if (!page) {
        keys_view_->show_folder(tree, path);
        stack_->setCurrentWidget(keys_view_);
        return nullptr;
    }
    page_ = page;
    page_area_->setWidget(page);
    stack_->setCurrentWidget(page_area_);
    follow_tree_in_tab_order(page);
    return page;
}

bool MainWindow::open_existing_folder(const QString &path, QString *error)
{
    if (session_.tree().folder(path.toStdString()) && path != "/") {
        open_folder(path);
        return true;
    }
    *error = tr("there is no folder %1").arg(path);
    const QString relative = path.section('/', 0, -1, QString::SectionSkipEmpty);
    for (const QString &guess :
         {"/" + relative, QString::fromStdString(session_.server_path()) + "/" + relative})
        if (guess != path && !relative.isEmpty() && session_.tree().folder(guess.toStdString())) {
            *error += tr("; did you mean %1?").arg(guess);
            break;
        }
    statusBar()->showMessage(*error);
    return false;
}

void MainWindow::structure_changed()
{
    tree_view_->rebuild(session_.tree());
    const QString pending = pending_path_; // open_folder clears the member
    if (!pending.isEmpty() && session_.tree().folder(pending.toStdString())) {
        open_folder(pending);
        return;
    }
    if (current_path_.isEmpty() || session_.tree().folder(current_path_.toStdString()))
        return;
    // The folder shown was erased: show the nearest folder still there.
    QString path = current_path_;
    while (path.count('/') > 1 && !session_.tree().folder(path.toStdString()))
        path = path.section('/', 0, -2);
    close_page();
    current_path_.clear();
    open_folder(path);
}

void MainWindow::key_written(const QString &path, const QString &key)
{
    if (key != "name")
        return;
    const QString name =
        QString::fromStdString(session_.tree().string_value(path.toStdString(), "name"));
    tree_view_->set_name(path, name);
    if (path == current_path_)
        title_->setText(name.isEmpty() ? path.section('/', -1) : name);
}

void MainWindow::open_tree_file()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Open Tree File"), QString(),
                                                      tr("Tree files (*.json);;All files (*)"));
    if (path.isEmpty())
        return;
    const QString shown = current_path_;
    close_page();
    current_path_.clear();
    QString error;
    if (!session_.open_file(path, &error)) {
        QMessageBox::warning(this, tr("Open Tree File"), error);
        tree_view_->rebuild(session_.tree());
    }
    update_title();
    if (session_.tree().folder(shown.toStdString()))
        open_folder(shown);
}

void MainWindow::save_tree_file_as()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Save Tree File As"), QString(),
                                                      tr("Tree files (*.json);;All files (*)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!session_.save_as(path, &error))
        QMessageBox::warning(this, tr("Save Tree File As"), error);
    update_title();
}

} // namespace sandbox
