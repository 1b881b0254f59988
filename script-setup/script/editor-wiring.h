#pragma once
// How a script page joins its editor, search bar and cursor label; shared by
// the pages that show a script's text.

#include "qt4-pavo7/reusable/search-bar.h"
#include "script-setup/editor/script-widget.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>

namespace editor_wiring {

template <class Page> void connect_cursor(Page *page, QScriptWidget *editor)
{
    QObject::connect(editor, &QPlainTextEdit::cursorPositionChanged, page,
                     &Page::update_cursor_position);
}

// The page has the slots prepare_search and update_cursor_position and the
// signal search_text(QString, bool); it filters the bar's show and hide.
template <class Page>
void connect_search(Page *page, QScriptWidget *editor, Reusable::QSearchBar *bar)
{
    connect_cursor(page, editor);
    QLineEdit *search_edit = bar->line_edit();
    QObject::connect(search_edit, &QLineEdit::returnPressed, page, &Page::prepare_search);
    QObject::connect(search_edit, &QLineEdit::textChanged, page, &Page::prepare_search);
    QObject::connect(bar->next_button(), &QToolButton::clicked, page, &Page::prepare_search);
    QObject::connect(bar->previous_button(), &QToolButton::clicked, page, &Page::prepare_search);
    QObject::connect(page, &Page::search_text, editor, &QScriptWidget::search);
    QObject::connect(editor, &QScriptWidget::request_search, bar,
                     &Reusable::QSearchBar::start_search);
    QObject::connect(bar->case_sensitive_box(), &QCheckBox::toggled, editor,
                     &QScriptWidget::set_search_casesensitive);
    bar->installEventFilter(page);
}

// The page's event filter for the bar: highlighting follows its visibility,
// and the editor takes the focus back when it closes.
inline void search_bar_event(QScriptWidget *editor, QEvent *event)
{
    if (event->type() == QEvent::ShowToParent)
        editor->set_highlight_search(true);
    else if (event->type() == QEvent::HideToParent) {
        editor->set_highlight_search(false);
        editor->setFocus();
    }
}

// The stacked parameters and editor pages with their switch button; the
// tools show with the editor only.
struct PageSwitch
{
    QStackedWidget *pages;
    QWidget *parameters_page;
    QWidget *editor_page;
    QPushButton *button;
    QWidget *editor_tools;
    Reusable::QSearchBar *search_bar;
    QScriptWidget *editor;

    bool on_editor() const { return pages->currentWidget() == editor_page; }
    // Shows the other page; the captions name the page the button leads to.
    void toggle(const QString &to_parameters, const QString &to_editor) const
    {
        const bool editor_next = !on_editor();
        button->setText(editor_next ? to_parameters : to_editor);
        pages->setCurrentWidget(editor_next ? editor_page : parameters_page);
        editor_tools->setVisible(editor_next);
        search_bar->hide();
        if (editor_next)
            editor->setFocus();
    }
};

// The cursor label: `format` takes the zero-based line and column.
inline void show_cursor(QLabel *label, const QPlainTextEdit *editor, const QString &format)
{
    const QTextCursor cursor = editor->textCursor();
    label->setText(format.arg(cursor.blockNumber()).arg(cursor.positionInBlock()));
}

} // namespace editor_wiring
