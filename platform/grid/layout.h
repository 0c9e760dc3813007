#pragma once
// Grid layouts kept in a layout file: several named layouts per file, each the
// order, width (twips) and visibility of the grid's columns by data field.
// The file is written whole or not at all.

#include <QList>
#include <QString>
#include <optional>

namespace grid {

struct ColumnLayout
{
    QString field; // data field the column shows
    int order = 0; // position on screen, from 0
    int widthTwips = 0;
    bool visible = true;
    bool operator==(const ColumnLayout&) const = default;
};

struct Layout
{
    QList<ColumnLayout> columns;
    bool operator==(const Layout&) const = default;
};

// Saves the layout under its name, keeping the file's other layouts. Returns
// false with a readable reason on failure.
bool saveLayout(const QString& path, const QString& name, const Layout& layout, QString* error = nullptr);
// The named layout of the file; nothing when the file or the name is missing or
// the file is not a layout file.
std::optional<Layout> loadLayout(const QString& path, const QString& name, QString* error = nullptr);

} // namespace grid
