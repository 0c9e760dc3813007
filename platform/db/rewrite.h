#pragma once
// The rewrite of Jet SQL into SQLite SQL before a statement is prepared.
//
// A tokenizer, not a parser: text literals, [bracketed names], `quoted`
// names and comments pass through untouched, and only these forms change:
//   SELECT [DISTINCT] TOP n ...        -> SELECT [DISTINCT] ... LIMIT n
//   LEFT( RIGHT( ISNULL(               -> JET_LEFT( JET_RIGHT( JET_ISNULL(
//   DATEPART(yyyy, x)                  -> JET_DATEPART('yyyy', x)
//   a & b, 'x' + b, a + 'x'            -> a || b (a chain of + goes on as ||)
//   "text"                             -> 'text'
//   #12/31/2026#, #12-31-2026#         -> '2026-12-31'
//   True, False, Yes, No               -> -1, 0, -1, 0
//   DISTINCTROW                        -> (dropped)

#include <QString>
#include <QStringList>
#include <functional>

namespace db {

// isTextColumn, when given, tells whether a bare column name is known to be
// a text column, so that `Col1 + Col2` of two text columns joins them.
QString rewriteJet(const QString& sql, const std::function<bool(const QString&)>& isTextColumn = {});

// Splits a script on ';' outside literals, names and comments, keeping a
// CREATE TRIGGER ... BEGIN ... END whole. Empty statements are left out.
QStringList splitStatements(const QString& script);

// The first word of a statement, in capitals ("SELECT", "WITH", "DROP", ...).
QString firstWord(const QString& sql);

// For DROP TABLE <name>: the name (brackets removed), else "".
QString droppedTableName(const QString& sql);

} // namespace db

namespace db {

// What the record-set layer needs to know of a SELECT to write its rows back:
// the top-level FROM sources and whether the rows are plain table rows.
struct SelectShape
{
    struct Source
    {
        QString database; // "" unless qualified
        QString table;
        QString alias; // the name the statement uses for it (alias or table)
    };
    bool isSelect = false;
    bool plain = false;     // no DISTINCT, GROUP BY, compound or aggregate-only form
    qsizetype fromPos = -1; // offset of the top-level FROM keyword
    QVector<Source> sources;
};
SelectShape analyzeSelect(const QString& sql);

} // namespace db
