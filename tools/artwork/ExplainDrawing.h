#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

namespace corvane::artwork {

// One column of a table: its heading, its width in pixels (the columns of width 0 share what the
// others leave) and how its cells are aligned.
struct TableColumn {
    QString heading;
    int width = 0;
    Qt::Alignment alignment = Qt::AlignLeft;
};

// One row of a table. A valid accent fills the first cell and tints the others.
struct TableRow {
    QStringList cells;
    QColor accent = {};
};

// An explanation picture, laid out from top to bottom under its title band: each block is drawn
// under the previous one, across the width of the picture less its margins.
class ExplainPage {
public:
    using Blocks = std::function<void(ExplainPage&)>;

    // Lays the blocks out once to measure them, then again with the height the picture has left
    // (or lacks) shared out between the blocks and the rows of the tables.
    static QImage Draw(QSize size, const QString& title, const QString& subtitle,
                       const Blocks& blocks);

    void Heading(const QString& text);
    void Paragraph(const QString& text);
    // One formula a line in a tinted box. A tab separates a formula from its condition, and the
    // conditions line up in one column.
    void Formulas(const QStringList& lines);
    void Definition(const QString& symbol, const QString& meaning);
    // Coloured labels side by side, each as wide as the others.
    void Labels(const std::vector<std::pair<QString, QColor>>& labels);
    void Table(const std::vector<TableColumn>& columns, const std::vector<TableRow>& rows);

private:
    ExplainPage(QSize size, const QString& title, const QString& subtitle, double stretch);

    int Width() const;
    void Open(int gap, bool stretches);
    int Stretch();
    int TextHeight(const QString& text, const QFont& font, int width) const;
    void DrawText(const QRect& rect, int flags, const QString& text, const QFont& font,
                  const QColor& colour);
    void DrawBorder(const QRect& rect, const QColor& fill);
    int RowHeight(const std::vector<int>& widths, const QStringList& cells, bool bold) const;
    void DrawRow(const std::vector<TableColumn>& columns, const std::vector<int>& widths,
                 const TableRow& row, bool header);

    QImage image_;
    QPainter painter_;
    int y_ = 0;
    bool first_ = true;
    bool afterHeading_ = false;
    double stretch_ = 0;
    int stretches_ = 0;
};

} // namespace corvane::artwork
