#pragma once
// Pieces of the grid not used elsewhere: the cell delegate and the footer row.

#include <QStyledItemDelegate>
#include <QWidget>

namespace grid {

class Grid;

class CellDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit CellDelegate(Grid* grid);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    // A Yes/No cell's check box goes through the grid's cell events.
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    Grid* m_grid;
};

class FooterBar : public QWidget
{
    Q_OBJECT
public:
    explicit FooterBar(Grid* grid);
    // The column whose footer is at x (in the bar's own pixels), or -1.
    int columnAt(int x) const;
    QRect footerRect(int column) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    Grid* m_grid;
};

} // namespace grid
