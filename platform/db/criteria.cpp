// Criteria of Find and Filter: "[F] LIKE 'v*'", "F = 'v' AND G > 3", ...

#include "platform/db/internal.h"

#include <QRegularExpression>

namespace db::detail {

int compareValues(const Variant& a, const Variant& b)
{
    const bool am = a.isMissing(), bm = b.isMissing();
    if (am || bm)
        return am == bm ? 0 : (am ? -1 : 1);
    if (a.isNumber() && b.isNumber()) {
        if (a.kind() == Variant::Kind::Int && b.kind() == Variant::Kind::Int)
            return a.asInt() < b.asInt() ? -1 : a.asInt() > b.asInt() ? 1 : 0;
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : x > y ? 1 : 0;
    }
    if (a.isDate() || b.isDate()) {
        const Variant da = convertRead(a, Type::Date), dbv = convertRead(b, Type::Date);
        if (da.isDate() && dbv.isDate())
            return da.asDate() < dbv.asDate() ? -1 : da.asDate() > dbv.asDate() ? 1 : 0;
    }
    if (a.isNumber() != b.isNumber()) {
        bool ok1 = false, ok2 = false;
        const double x = a.toDouble(&ok1), y = b.toDouble(&ok2);
        if (ok1 && ok2)
            return x < y ? -1 : x > y ? 1 : 0;
    }
    const int c = a.toText().compare(b.toText(), Qt::CaseInsensitive);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

// Jet and SQL wildcards: * and % any run, ? and _ one character.
bool likeMatch(const QString& text, const QString& pattern)
{
    qsizetype t = 0, p = 0, starP = -1, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() &&
            (pattern.at(p) == u'?' || pattern.at(p) == u'_' || pattern.at(p) == text.at(t))) {
            ++t;
            ++p;
        } else if (p < pattern.size() && (pattern.at(p) == u'*' || pattern.at(p) == u'%')) {
            starP = p++;
            starT = t;
        } else if (starP >= 0) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && (pattern.at(p) == u'*' || pattern.at(p) == u'%'))
        ++p;
    return p == pattern.size();
}

namespace {

class Parser
{
public:
    Parser(const QString& text, const QList<Field>& fields, QVector<Criteria::Node>& nodes)
        : m_s(text), m_fields(fields), m_nodes(nodes)
    {
    }

    Result<int> parse()
    {
        Result<int> r = orExpr();
        if (!r)
            return r;
        skip();
        if (m_i < m_s.size())
            return fail(QStringLiteral("unexpected text at '%1'").arg(m_s.mid(m_i, 20)));
        return r;
    }

private:
    Error fail(const QString& why) const
    {
        return makeError(Error::Kind::InvalidArgument, ErrorNumber::InvalidArgument,
                         QStringLiteral("The criteria '%1' cannot be read: %2").arg(m_s, why));
    }

    void skip()
    {
        while (m_i < m_s.size() && m_s.at(m_i).isSpace())
            ++m_i;
    }

    bool keyword(const char* word)
    {
        skip();
        const QString w = QString::fromLatin1(word);
        if (m_s.mid(m_i, w.size()).compare(w, Qt::CaseInsensitive) != 0)
            return false;
        const qsizetype end = m_i + w.size();
        if (end < m_s.size() && (m_s.at(end).isLetterOrNumber() || m_s.at(end) == u'_'))
            return false;
        m_i = end;
        return true;
    }

    int add(const Criteria::Node& n)
    {
        m_nodes.push_back(n);
        return int(m_nodes.size() - 1);
    }

    Result<int> orExpr()
    {
        Result<int> left = andExpr();
        if (!left)
            return left;
        int node = left.value();
        while (keyword("OR")) {
            Result<int> right = andExpr();
            if (!right)
                return right;
            Criteria::Node n;
            n.kind = Criteria::Node::Or;
            n.left = node;
            n.right = right.value();
            node = add(n);
        }
        return node;
    }

    Result<int> andExpr()
    {
        Result<int> left = unary();
        if (!left)
            return left;
        int node = left.value();
        while (keyword("AND")) {
            Result<int> right = unary();
            if (!right)
                return right;
            Criteria::Node n;
            n.kind = Criteria::Node::And;
            n.left = node;
            n.right = right.value();
            node = add(n);
        }
        return node;
    }

    Result<int> unary()
    {
        if (keyword("NOT")) {
            Result<int> inner = unary();
            if (!inner)
                return inner;
            Criteria::Node n;
            n.kind = Criteria::Node::Not;
            n.left = inner.value();
            return add(n);
        }
        skip();
        if (m_i < m_s.size() && m_s.at(m_i) == u'(') {
            ++m_i;
            Result<int> inner = orExpr();
            if (!inner)
                return inner;
            skip();
            if (m_i >= m_s.size() || m_s.at(m_i) != u')')
                return fail(QStringLiteral("a ')' is missing"));
            ++m_i;
            return inner;
        }
        return comparison();
    }

    Result<int> comparison()
    {
        skip();
        QString name;
        if (m_i < m_s.size() && m_s.at(m_i) == u'[') {
            const qsizetype end = m_s.indexOf(u']', m_i + 1);
            if (end < 0)
                return fail(QStringLiteral("a ']' is missing"));
            name = m_s.mid(m_i + 1, end - m_i - 1);
            m_i = end + 1;
        } else {
            const qsizetype start = m_i;
            while (m_i < m_s.size() &&
                   (m_s.at(m_i).isLetterOrNumber() || m_s.at(m_i) == u'_' || m_s.at(m_i) == u'.'))
                ++m_i;
            name = m_s.mid(start, m_i - start);
        }
        if (name.isEmpty())
            return fail(QStringLiteral("a field name is expected"));
        int field = -1;
        for (int i = 0; i < m_fields.size(); ++i)
            if (m_fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
                field = i;
        if (field < 0)
            for (int i = 0; i < m_fields.size(); ++i)
                if (m_fields[i].name.endsWith(u'.' + name, Qt::CaseInsensitive) ||
                    (!m_fields[i].baseTable.isEmpty() &&
                     QString(m_fields[i].baseTable + u'.' + m_fields[i].baseColumn)
                             .compare(name, Qt::CaseInsensitive) == 0))
                    field = i;
        if (field < 0)
            return fail(QStringLiteral("no field '%1'").arg(name));
        Criteria::Node n;
        n.field = field;
        if (keyword("IS")) {
            const bool negated = keyword("NOT");
            if (!keyword("NULL"))
                return fail(QStringLiteral("IS must be followed by NULL"));
            n.kind = negated ? Criteria::Node::IsNotNull : Criteria::Node::IsNull;
            return add(n);
        }
        bool notLike = false;
        if (keyword("NOT")) {
            notLike = true;
            if (!keyword("LIKE"))
                return fail(QStringLiteral("NOT must be followed by LIKE"));
            n.kind = Criteria::Node::Like;
        } else if (keyword("LIKE")) {
            n.kind = Criteria::Node::Like;
        } else {
            skip();
            static const QStringList ops = {QStringLiteral("<="), QStringLiteral(">="), QStringLiteral("<>"),
                                            QStringLiteral("!="), QStringLiteral("="),  QStringLiteral("<"),
                                            QStringLiteral(">")};
            for (const QString& op : ops)
                if (m_s.mid(m_i, op.size()) == op) {
                    n.op = op == u"!=" ? QStringLiteral("<>") : op;
                    m_i += op.size();
                    break;
                }
            if (n.op.isEmpty())
                return fail(QStringLiteral("an operator is expected after '%1'").arg(name));
            n.kind = Criteria::Node::Compare;
        }
        Result<Variant> v = literal();
        if (!v)
            return v.error();
        n.value = v.value();
        if (n.kind == Criteria::Node::Compare && n.value.isNull()) {
            if (n.op == u"=")
                n.kind = Criteria::Node::IsNull;
            else if (n.op == u"<>")
                n.kind = Criteria::Node::IsNotNull;
        }
        if (n.kind == Criteria::Node::Like)
            n.pattern = n.value.toText().toUpper();
        const int id = add(n);
        if (notLike) {
            Criteria::Node neg;
            neg.kind = Criteria::Node::Not;
            neg.left = id;
            return add(neg);
        }
        return id;
    }

    Result<Variant> literal()
    {
        skip();
        if (m_i >= m_s.size())
            return fail(QStringLiteral("a value is expected"));
        const QChar c = m_s.at(m_i);
        if (c == u'\'' || c == u'"' || c == u'#') {
            QString out;
            ++m_i;
            bool closed = false;
            while (m_i < m_s.size()) {
                if (m_s.at(m_i) == c) {
                    if (c != u'#' && m_i + 1 < m_s.size() && m_s.at(m_i + 1) == c) {
                        out += c;
                        m_i += 2;
                        continue;
                    }
                    ++m_i;
                    closed = true;
                    break;
                }
                out += m_s.at(m_i++);
            }
            if (!closed)
                return fail(QStringLiteral("a closing %1 is missing").arg(c));
            if (c == u'#') {
                // #mm/dd/yyyy#
                const QStringList parts = out.trimmed().split(QRegularExpression(QStringLiteral("[/.-]")));
                QDate d;
                if (parts.size() == 3 && parts[0].size() == 4)
                    d = QDate(parts[0].toInt(), parts[1].toInt(), parts[2].left(2).toInt());
                else if (parts.size() == 3)
                    d = QDate(parts[2].left(4).toInt(), parts[0].toInt(), parts[1].toInt());
                if (!d.isValid())
                    return fail(QStringLiteral("'%1' is not a date").arg(out));
                return Variant(d);
            }
            return Variant(out);
        }
        if (keyword("NULL"))
            return Variant::null();
        if (keyword("TRUE"))
            return Variant(true);
        if (keyword("FALSE"))
            return Variant(false);
        const qsizetype start = m_i;
        while (m_i < m_s.size() && (m_s.at(m_i).isDigit() || m_s.at(m_i) == u'.' || m_s.at(m_i) == u'-' ||
                                    m_s.at(m_i) == u'+' || m_s.at(m_i) == u'e' || m_s.at(m_i) == u'E'))
            ++m_i;
        bool ok = false;
        const QString num = m_s.mid(start, m_i - start);
        const double d = num.toDouble(&ok);
        if (!ok)
            return fail(QStringLiteral("a value is expected at '%1'").arg(m_s.mid(start, 20)));
        if (!num.contains(u'.') && !num.contains(u'e', Qt::CaseInsensitive))
            return Variant(static_cast<std::int64_t>(num.toLongLong()));
        return Variant(d);
    }

    const QString& m_s;
    const QList<Field>& m_fields;
    QVector<Criteria::Node>& m_nodes;
    qsizetype m_i = 0;
};

} // namespace

Result<Criteria> Criteria::parse(const QString& text, const QList<Field>& fields)
{
    Criteria c;
    if (text.trimmed().isEmpty())
        return c;
    Parser p(text, fields, c.m_nodes);
    Result<int> root = p.parse();
    if (!root)
        return root.error();
    c.m_root = root.value();
    return c;
}

bool Criteria::matches(const QVector<Variant>& row) const
{
    return m_root < 0 || eval(m_root, row);
}

bool Criteria::eval(int id, const QVector<Variant>& row) const
{
    const Node& n = m_nodes[id];
    switch (n.kind) {
    case Node::And:
        return eval(n.left, row) && eval(n.right, row);
    case Node::Or:
        return eval(n.left, row) || eval(n.right, row);
    case Node::Not:
        return !eval(n.left, row);
    case Node::IsNull:
        return row.value(n.field).isMissing();
    case Node::IsNotNull:
        return !row.value(n.field).isMissing();
    case Node::Like: {
        const Variant& v = row.value(n.field);
        if (v.isMissing())
            return false;
        return likeMatch(v.toText().toUpper(), n.pattern);
    }
    case Node::Compare: {
        const Variant& v = row.value(n.field);
        if (v.isMissing() || n.value.isMissing())
            return false;
        const int c = compareValues(v, n.value);
        if (n.op == u"=")
            return c == 0;
        if (n.op == u"<>")
            return c != 0;
        if (n.op == u"<")
            return c < 0;
        if (n.op == u">")
            return c > 0;
        if (n.op == u"<=")
            return c <= 0;
        if (n.op == u">=")
            return c >= 0;
        return false;
    }
    }
    return false;
}

} // namespace db::detail
