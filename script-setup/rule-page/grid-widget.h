#pragma once
// A column of rows, each a widget with one horizontal layout, that rows can
// be inserted into, moved inside and removed from. The rule page keeps its
// condition lines and its actions in two of them.

#include <QVariant>
#include <QWidget>
#include <utility>
#include <vector>

class QHBoxLayout;
class QVBoxLayout;

class QGridWidget : public QWidget
{
    Q_OBJECT
public:
    explicit QGridWidget(QWidget *parent = nullptr);
    ~QGridWidget() override;

    int count() const { return int(rows_.size()); }
    QWidget *row(int index) const;
    QHBoxLayout *row_layout(int index) const;

    // index runs 0..count(); the new row's layout is returned.
    QHBoxLayout *insert_row(int index);
    QHBoxLayout *append_row() { return insert_row(count()); }
    void remove_row(int index); // the row and its widgets are deleted
    void move_row(int from, int to);
    void clear();

    void set_row_data(int index, const QVariant &data);
    QVariant row_data(int index) const;

    // Row and column (position inside the row's layout) of the row that holds
    // w, at any depth; -1/-1 when no row does.
    std::pair<int, int> find(const QWidget *w) const;

private:
    void check(int index, int limit) const;

    QVBoxLayout *layout_;
    std::vector<QWidget *> rows_;
};
