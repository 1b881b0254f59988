#pragma once
// Asks for a two-letter language code for a script's translations.

#include <QDialog>

class QLineEdit;

class QLanguageInserterDialog : public QDialog
{
    Q_OBJECT
public:
    explicit QLanguageInserterDialog(QWidget *parent = nullptr);

Q_SIGNALS:
    void accepted(QString code);

public Q_SLOTS:
    void ok_clicked();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLineEdit *language_name_;
};
