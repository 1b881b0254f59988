// The script page's widgets, tool menus and editor wiring.

#include "script-setup/editor/script-widget.h"
#include "script-setup/page-support.h"
#include "script-setup/script/editor-wiring.h"
#include "script-setup/script/setup-script.h"

#include "qt4-pavo7/reusable/image-selector.h"
#include "qt4-pavo7/reusable/search-bar.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidgetAction>

namespace {

template <class W> W *named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QToolButton *tool_button(const QString &text, const char *name, QMenu *menu)
{
    auto *button = named(new QToolButton, name);
    button->setText(text);
    button->setMenu(menu);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

QLabel *counter(const char *name)
{
    auto *label = named(new QLabel(QStringLiteral("0")), name);
    label->setMinimumWidth(page_support::scaled(30));
    return label;
}

} // namespace

void QSetupScript::build_layout()
{
    image_ = new Reusable::QImageSelector(page_support::scaled(64), 128, 128);
    image_->setObjectName(QStringLiteral("image"));
    // Without a picture the selector would be an invisible button.
    image_->setStyleSheet(
        QStringLiteral("QToolButton { border: 1px dashed #b0b0b0; border-radius: 3px; }"));
    name_ = named(new QLineEdit, "name");
    auto *name_label = new QLabel(tr("Script &name:"));
    name_label->setBuddy(name_);
    auto *enable = named(new QCheckBox(tr("&Enable script")), "enable");
    delete_button_ = named(new QPushButton(tr("Delete...")), "delete_button");
    delete_button_->setIcon(page_support::icon(":/gtk-icons/gtk-delete.png", QStyle::SP_TrashIcon));
    run_count_ = counter("run_count");
    error_count_ = counter("error_count");
    // Two lines beside the icon keep the page narrow enough for the host's pane.
    auto *name_row = new QHBoxLayout;
    name_row->addWidget(name_label);
    name_row->addWidget(name_, 1);
    name_row->addWidget(enable);
    name_row->addWidget(delete_button_);
    auto *counters_row = new QHBoxLayout;
    counters_row->addWidget(new QLabel(tr("Run count:")));
    counters_row->addWidget(run_count_);
    counters_row->addSpacing(page_support::scaled(12));
    counters_row->addWidget(new QLabel(tr("Error count:")));
    counters_row->addWidget(error_count_);
    counters_row->addStretch(1);
    auto *header = new QGridLayout;
    header->addWidget(image_, 0, 0, 2, 1);
    header->addLayout(name_row, 0, 1);
    header->addLayout(counters_row, 1, 1);
    header->setColumnStretch(1, 1);

    parameters_page_ = named(new QWidget, "parameters_page");
    description_label_ = named(new QLabel, "description");
    description_label_->setWordWrap(true);
    description_label_->setStyleSheet(QStringLiteral("QLabel{font-weight: bold;}"));
    description_label_->setIndent(page_support::scaled(20));
    parameters_area_ = named(new QScrollArea, "parameters_area");
    parameters_area_->setWidgetResizable(true);
    auto *parameters_layout = new QVBoxLayout(parameters_page_);
    parameters_layout->addWidget(new QLabel(tr("Script description:")));
    parameters_layout->addWidget(description_label_);
    parameters_layout->addWidget(new QLabel(tr("Script parameters:")));
    parameters_layout->addWidget(parameters_area_, 1);

    editor_page_ = named(new QWidget, "editor_page");
    editor_ = named(new QScriptWidget, "script_text");
    search_bar_ = named(new Reusable::QSearchBar, "search_bar");

    pages_ = named(new QStackedWidget, "script_pages");
    pages_->addWidget(parameters_page_);
    pages_->addWidget(editor_page_);
    pages_->setCurrentWidget(parameters_page_);

    save_button_ = named(new QPushButton(tr("&Save and Run")), "save_button");
    save_button_->setIcon(
        page_support::icon(":/gtk-icons/gtk-execute.png", QStyle::SP_DialogApplyButton));
    revert_button_ = named(new QPushButton(tr("Revert")), "revert_button");
    revert_button_->setIcon(
        page_support::icon(":/gtk-icons/gtk-undo-ltr.png", QStyle::SP_ArrowBack));
    editor_tools_ = named(new QWidget, "editor_tools");
    cursor_position_ = named(new QLabel, "cursor_position");
    cursor_position_->setMinimumWidth(page_support::scaled(100));
    publish_button_ = tool_button(tr("&Publish"), "publish_button", new QMenu(this));
    data_folder_button_ = tool_button(tr("Data Folder"), "data_folder_button", new QMenu(this));
    insert_button_ = tool_button(tr("Insert..."), "insert_button", new QMenu(this));
    examples_menu_ = new QMenu(this);
    examples_button_ = tool_button(tr("Load example..."), "examples_button", examples_menu_);
    translate_menu_ = new QMenu(this);
    translate_button_ = tool_button(tr("Translation"), "translate_button", translate_menu_);
    // The tools sit above the editor they act on, so the page stays narrow.
    auto *tools = new QHBoxLayout(editor_tools_);
    tools->setContentsMargins(0, 0, 0, 0);
    for (QWidget *w :
         std::initializer_list<QWidget *>{publish_button_, data_folder_button_, insert_button_,
                                          examples_button_, translate_button_})
        tools->addWidget(w);
    tools->addStretch(1);
    tools->addWidget(cursor_position_);
    auto *editor_layout = new QVBoxLayout(editor_page_);
    editor_layout->setContentsMargins(0, 0, 0, 0);
    editor_layout->addWidget(editor_tools_);
    editor_layout->addWidget(editor_, 1);
    editor_layout->addWidget(search_bar_);
    switch_button_ = named(new QPushButton(tr("Edi&tor")), "parameters_source_switch_button");
    last_error_ = named(new QLabel, "last_error");
    last_error_->setTextFormat(Qt::RichText);
    last_error_->setWordWrap(true);
    last_error_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    last_error_->hide();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(save_button_);
    buttons->addWidget(revert_button_);
    buttons->addStretch(1);
    buttons->addWidget(switch_button_);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(pages_, 1);
    layout->addLayout(buttons);
    layout->addWidget(last_error_);
}

void QSetupScript::build_tool_menus()
{
    QMenu *publish = publish_button_->menu();
    const QIcon save_icon =
        page_support::icon(":/gtk-icons/gtk-save.png", QStyle::SP_DialogSaveButton);
    connect(publish->addAction(save_icon, tr("To file...")), &QAction::triggered, this,
            &QSetupScript::publish_to_file_clicked);
    unencoded_action_ = publish->addAction(save_icon, tr("To file (unencoded)..."));
    connect(unencoded_action_, &QAction::triggered, this, &QSetupScript::publish_to_file_clicked);

    QMenu *data = data_folder_button_->menu();
    data_folder_label_ = named(new QLabel, "data_folder_label");
    data_folder_label_->setFrameShape(QFrame::StyledPanel);
    data_folder_label_->setMargin(5);
    data_folder_label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *label_action = new QWidgetAction(data);
    label_action->setDefaultWidget(data_folder_label_);
    data->addAction(label_action);
    data_folder_create_ = data->addAction(tr("Create"));
    connect(data_folder_create_, &QAction::triggered, this,
            &QSetupScript::data_folder_create_clicked);
    data_folder_open_ = data->addAction(tr("Open"));
    connect(data_folder_open_, &QAction::triggered, this, &QSetupScript::data_folder_open_clicked);
    data_folder_copy_ = data->addAction(
        page_support::icon(":/gtk-icons/gtk-copy.png", QStyle::SP_FileDialogContentsView),
        tr("Copy path"));
    connect(data_folder_copy_, &QAction::triggered, this,
            &QSetupScript::data_folder_clipboard_clicked);
}

void QSetupScript::fill_examples_menu()
{
    // Relative to the working directory, as the client installs them.
    const QFileInfoList samples =
        QDir(QStringLiteral("script-samples")).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo &file : samples) {
        QAction *action = examples_menu_->addAction(file.completeBaseName());
        action->setData(file.absoluteFilePath());
        connect(action, &QAction::triggered, this, &QSetupScript::load_example);
    }
    examples_menu_->addSeparator();
    connect(examples_menu_->addAction(tr("From file...")), &QAction::triggered, this,
            &QSetupScript::example_load_from_file_clicked);

    QMenu *insert = insert_button_->menu();
    connect(insert->addAction(tr("Settings")), &QAction::triggered, this,
            &QSetupScript::show_settings_dialog);
    connect(insert->addAction(tr("Objects")), &QAction::triggered, this,
            &QSetupScript::show_objects_dialog);
}

void QSetupScript::connect_editor()
{
    connect(editor_, &QPlainTextEdit::textChanged, this, &QSetupScript::script_edited);
    connect(save_button_, &QPushButton::clicked, this, &QSetupScript::save_button_clicked);
    connect(editor_, &QScriptWidget::save_pressed, this, &QSetupScript::save_button_clicked);
    page_support::save_key(this, &QSetupScript::save_button_clicked);
    connect(revert_button_, &QPushButton::clicked, this, &QSetupScript::revert_button_clicked);
    connect(delete_button_, &QPushButton::clicked, this, &QSetupScript::delete_button_clicked);
    connect(switch_button_, &QPushButton::clicked, this,
            &QSetupScript::parameters_source_switch_button_clicked);
    editor_wiring::connect_search(this, editor_, search_bar_);
    data_folder_button_->installEventFilter(this);
    translate_button_->installEventFilter(this);
}
