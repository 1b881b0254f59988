// The stock script page's widgets and their connections.

#include "script-setup/script/setup-stock-script.h"

#include "script-setup/page-support.h"
#include "script-setup/script/editor-wiring.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

template <class W> W *named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel *counter(const char *name)
{
    auto *label = named(new QLabel(QStringLiteral("0")), name);
    label->setMinimumWidth(page_support::scaled(30));
    return label;
}

QLabel *rich_label(const char *name)
{
    auto *label = named(new QLabel, name);
    label->setTextFormat(Qt::RichText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->hide();
    return label;
}

} // namespace

void QSetupStockScript::build_layout()
{
    name_ = named(new QLineEdit, "name");
    auto *name_label = new QLabel(tr("Script &name:"));
    name_label->setBuddy(name_);
    auto *enable = named(new QCheckBox(tr("&Enable script")), "enable");
    run_count_ = counter("run_count");
    error_count_ = counter("error_count");
    // Two lines keep the page narrow enough for the host's pane.
    auto *name_row = new QHBoxLayout;
    name_row->addWidget(name_label);
    name_row->addWidget(name_, 1);
    name_row->addWidget(enable);
    auto *counters_row = new QHBoxLayout;
    counters_row->addWidget(new QLabel(tr("Run count:")));
    counters_row->addWidget(run_count_);
    counters_row->addSpacing(page_support::scaled(12));
    counters_row->addWidget(new QLabel(tr("Error count:")));
    counters_row->addWidget(error_count_);
    counters_row->addStretch(1);

    parameters_page_ = named(new QWidget, "parameters_page");
    description_label_ = named(new QLabel, "description");
    description_label_->setWordWrap(true);
    description_label_->setStyleSheet(QStringLiteral("QLabel{font-weight: bold;}"));
    description_label_->setIndent(page_support::scaled(20));
    parameters_area_ = named(new QScrollArea, "parameters_area");
    parameters_area_->setWidgetResizable(true);
    auto *parameters_layout = new QVBoxLayout(parameters_page_);
    parameters_layout->setContentsMargins(0, 0, 0, 0);
    description_caption_ = new QLabel(tr("Script description:"));
    parameters_layout->addWidget(description_caption_);
    parameters_layout->addWidget(description_label_);
    parameters_layout->addWidget(new QLabel(tr("Script parameters:")));
    parameters_layout->addWidget(parameters_area_, 1);

    editor_page_ = named(new QWidget, "editor_page");
    editor_ = named(new QScriptWidget, "script_text");
    search_bar_ = named(new Reusable::QSearchBar, "search_bar");
    search_bar_->hide();
    auto *editor_layout = new QVBoxLayout(editor_page_);
    editor_layout->setContentsMargins(0, 0, 0, 0);
    editor_layout->addWidget(editor_, 1);
    editor_layout->addWidget(search_bar_);

    pages_ = named(new QStackedWidget, "script_pages");
    pages_->addWidget(parameters_page_);
    pages_->addWidget(editor_page_);
    pages_->setCurrentWidget(parameters_page_);

    save_button_ = named(new QPushButton(tr("&Save")), "save_button");
    save_button_->setIcon(
        page_support::icon(":/gtk-icons/gtk-execute.png", QStyle::SP_DialogApplyButton));
    revert_button_ = named(new QPushButton(tr("Revert")), "revert_button");
    revert_button_->setIcon(
        page_support::icon(":/gtk-icons/gtk-undo-ltr.png", QStyle::SP_ArrowBack));
    cursor_position_ = named(new QLabel, "cursor_position");
    cursor_position_->setMinimumWidth(page_support::scaled(100));
    cursor_position_->hide();
    switch_button_ = named(new QPushButton(tr("Edi&tor")), "parameters_source_switch_button");
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(save_button_);
    buttons->addWidget(revert_button_);
    buttons->addStretch(1);
    buttons->addWidget(cursor_position_);
    buttons->addWidget(switch_button_);

    file_message_ = rich_label("file_message");
    last_error_ = rich_label("last_error");

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(name_row);
    layout->addLayout(counters_row);
    layout->addWidget(pages_, 1);
    layout->addWidget(file_message_);
    layout->addLayout(buttons);
    layout->addWidget(last_error_);
}

void QSetupStockScript::connect_widgets()
{
    connect(editor_, &QPlainTextEdit::textChanged, this, &QSetupStockScript::script_edited);
    connect(editor_, &QPlainTextEdit::textChanged, this, [this] { text_unread_ = false; });
    connect(save_button_, &QPushButton::clicked, this, &QSetupStockScript::save_button_clicked);
    connect(editor_, &QScriptWidget::save_pressed, this, &QSetupStockScript::save_button_clicked);
    page_support::save_key(this, &QSetupStockScript::save_button_clicked);
    connect(revert_button_, &QPushButton::clicked, this, &QSetupStockScript::revert_button_clicked);
    connect(switch_button_, &QPushButton::clicked, this,
            &QSetupStockScript::parameters_source_switch_button_clicked);
    editor_wiring::connect_search(this, editor_, search_bar_);
}
