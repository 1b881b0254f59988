#pragma once
// A comma-separated list of object names with a "..." button that picks
// them in the objects inserter dialog.

#include <QWidget>
#include <string>

class QLineEdit;
class QToolButton;

class QObjectSelector : public QWidget
{
    Q_OBJECT
public:
    QObjectSelector(const std::string &server_name, QWidget *parent = nullptr);
    ~QObjectSelector() override;

    QString text() const;
    void set_text(const QString &text); // emits text_changed like an edit

    // The names in the dialog's result: every object("...") form, in order.
    static QString names_of(const QString &dialog_result);

Q_SIGNALS:
    void text_changed(const QString &text);

public Q_SLOTS:
    void browse_clicked();
    void objects_accepted(const QString &result);

private:
    std::string server_name_;
    QLineEdit *edit_;
    QToolButton *browse_;
};
