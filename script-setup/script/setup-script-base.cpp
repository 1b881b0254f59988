#include "script-setup/script/setup-script-base.h"

#include "qt4-setup/src/dir-tracker.h"
#include "script-setup/editor/script-widget.h"
#include "script-setup/page-support.h"
#include "script-setup/script/script-parameters-editor.h"
#include "utils/folder-lock.h"
#include "utils/logging.h"
#include "utils/text.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QTextBlock>

namespace script_marks {
const char *const error_colour = "#A00000";
const char *const warning_colour = "#EF792D";
} // namespace script_marks

SetupScriptBase::SetupScriptBase(QObject *navigator, Settings folder, Settings server_root)
    : navigator_(navigator)
    , folder_(folder)
    , server_root_(server_root)
{
    Q_ASSERT(folder_);
    try {
        FolderLock guard(folder_);
        parent_ = folder_->parent();
    } catch (const std::exception &e) {
        VX_LOG(2, "SCRIPT GUI: cannot read show_warnings: %s\n", e.what());
    }
    if (!parent_)
        return;
    read_show_warnings();
    parent_tracker_ = QDirTracker::create("SetupScriptBase", parent_);
    connect(parent_tracker_.get(), qOverload<QString>(&QDirTracker::values_changed), this,
            &SetupScriptBase::all_scripts_values_changed, Qt::QueuedConnection);
    parent_tracker_->subscribe(Rizurividuvez::Dir::OWN_VALUES);
}

SetupScriptBase::~SetupScriptBase() = default;

bool SetupScriptBase::read_show_warnings()
{
    try {
        FolderLock guard(parent_);
        show_warnings_ = parent_->get_integer_or("show_warnings", 0) != 0;
        return true;
    } catch (const std::exception &e) {
        VX_LOG(2, "SCRIPT GUI: cannot read show_warnings: %s\n", e.what());
        return false;
    }
}

void SetupScriptBase::all_scripts_values_changed()
{
    const bool before = show_warnings_;
    if (parent_ && read_show_warnings() && before != show_warnings_)
        show_warnings_changed();
}

void SetupScriptBase::mark_line(QScriptWidget *editor, int line, const char *colour)
{
    if (line > editor->blockCount())
        editor->finish_loading();
    const QTextBlock block = editor->document()->findBlockByNumber(line - 1);
    if (line < 1 || !colour || !block.isValid()) {
        editor->setExtraSelections({});
        return;
    }
    QTextEdit::ExtraSelection mark;
    // Lines never wrap in the editor, so the line is its block.
    mark.cursor = QTextCursor(block);
    mark.cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    mark.cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
    mark.format.setProperty(QTextFormat::FullWidthSelection, true);
    mark.format.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    mark.format.setBackground(QColor("#FFFFB1"));
    mark.format.setForeground(QColor(colour));
    editor->setExtraSelections({mark});
}

void SetupScriptBase::show_problem(QLabel *label, const QString &error, const QString &warning)
{
    const auto coloured = [](const char *colour, const QString &text) {
        return QStringLiteral("<font color=\"%1\">%2</font>")
            .arg(QLatin1String(colour), "<b>" + with_break_chances(text).toHtmlEscaped() + "</b>");
    };
    if (!error.isEmpty())
        label->setText(
            coloured(script_marks::error_colour,
                     QCoreApplication::translate("QSetupScript", "ERROR: %1").arg(error)));
    else if (!warning.isEmpty())
        label->setText(
            coloured(script_marks::warning_colour,
                     QCoreApplication::translate("QSetupScript", "WARNING: %1").arg(warning)));
    else {
        label->clear();
        label->hide();
        return;
    }
    label->show();
}

ScriptParametersEditor *
SetupScriptBase::build_parameters_form(QScrollArea *area, const QString &server_name,
                                       const std::function<void(ScriptParametersEditor *)> &fill)
{
    if (QWidget *old = area->takeWidget())
        old->deleteLater(); // its rows may be sending the signal that got us here
    auto *container = new QWidget;
    container->setObjectName(QStringLiteral("parameters_container"));
    auto *grid = new QGridLayout(container);
    auto *form = new ScriptParametersEditor(server_name, grid, container);
    form->setObjectName(QStringLiteral("parameters_editor"));
    form->setFixedWidth(static_cast<int>(area->width() * page_support::width_factor()));
    // The rows live in the grid; the editor itself shows nothing and must
    // not cover them.
    form->hide();
    fill(form);
    grid->setRowStretch(grid->rowCount(), 1);
    grid->setColumnStretch(grid->columnCount(), 1);
    area->setFocusPolicy(Qt::NoFocus); // its rows take the focus, it needs none
    area->setWidget(container);
    // The rows are new: Tab reaches them where they stand, before the buttons
    // below. Where no control comes before them, they go before the first
    // one after them, whose place in the window's chain is right.
    QWidget *page = area;
    while (page && !qobject_cast<SetupScriptBase *>(page))
        page = page->parentWidget();
    const QWidgetList rows = page_support::reading_order(container);
    if (page && !rows.isEmpty()) {
        QWidgetList order = page_support::reading_order(page);
        const int first = int(order.indexOf(rows.first()));
        const int after = first + int(rows.size());
        if (first == 0 && after < order.size()) {
            QWidget *before = order[after]->previousInFocusChain();
            while (rows.contains(before))
                before = before->previousInFocusChain();
            order.prepend(before);
        }
        page_support::chain_tabs(order);
    }
    return form;
}
