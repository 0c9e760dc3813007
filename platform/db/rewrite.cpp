#include "platform/db/rewrite.h"

#include <QDate>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QVector>

namespace db {
namespace {

struct Token
{
    enum Kind
    {
        Space,
        Comment,
        String,
        DqString,
        Name,
        Word,
        Number,
        DateLit,
        Param,
        Op
    };
    Kind kind;
    QString text;
};

bool isWordStart(QChar c)
{
    return c.isLetter() || c == u'_';
}

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

QVector<Token> tokenize(const QString& s)
{
    QVector<Token> out;
    const qsizetype n = s.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = s.at(i);
        const qsizetype start = i;
        if (c.isSpace()) {
            while (i < n && s.at(i).isSpace())
                ++i;
            out.push_back({Token::Space, s.mid(start, i - start)});
        } else if (c == u'-' && i + 1 < n && s.at(i + 1) == u'-') {
            while (i < n && s.at(i) != u'\n')
                ++i;
            out.push_back({Token::Comment, s.mid(start, i - start)});
        } else if (c == u'/' && i + 1 < n && s.at(i + 1) == u'*') {
            const qsizetype end = s.indexOf(QStringLiteral("*/"), i + 2);
            i = end < 0 ? n : end + 2;
            out.push_back({Token::Comment, s.mid(start, i - start)});
        } else if (c == u'\'' || c == u'"' || c == u'`') {
            ++i;
            while (i < n) {
                if (s.at(i) == c) {
                    if (i + 1 < n && s.at(i + 1) == c) {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            const Token::Kind k = c == u'\'' ? Token::String : c == u'"' ? Token::DqString : Token::Name;
            out.push_back({k, s.mid(start, i - start)});
        } else if (c == u'[') {
            const qsizetype end = s.indexOf(u']', i + 1);
            i = end < 0 ? n : end + 1;
            out.push_back({Token::Name, s.mid(start, i - start)});
        } else if (isWordStart(c)) {
            while (i < n && isWordChar(s.at(i)))
                ++i;
            out.push_back({Token::Word, s.mid(start, i - start)});
        } else if (c.isDigit() || (c == u'.' && i + 1 < n && s.at(i + 1).isDigit())) {
            while (i < n && (s.at(i).isDigit() || s.at(i) == u'.'))
                ++i;
            if (i < n && (s.at(i) == u'e' || s.at(i) == u'E')) {
                qsizetype j = i + 1;
                if (j < n && (s.at(j) == u'+' || s.at(j) == u'-'))
                    ++j;
                if (j < n && s.at(j).isDigit()) {
                    i = j;
                    while (i < n && s.at(i).isDigit())
                        ++i;
                }
            }
            out.push_back({Token::Number, s.mid(start, i - start)});
        } else if (c == u'#') {
            const qsizetype end = s.indexOf(u'#', i + 1);
            if (end > i + 1 && end - i < 40 && !s.mid(i + 1, end - i - 1).contains(u'\n')) {
                i = end + 1;
                out.push_back({Token::DateLit, s.mid(start, i - start)});
            } else {
                ++i;
                out.push_back({Token::Op, s.mid(start, 1)});
            }
        } else if (c == u'?' ||
                   ((c == u':' || c == u'@' || c == u'$') && i + 1 < n && isWordStart(s.at(i + 1)))) {
            ++i;
            while (i < n && isWordChar(s.at(i)))
                ++i;
            out.push_back({Token::Param, s.mid(start, i - start)});
        } else {
            static const QStringList twoChar = {
                QStringLiteral("||"), QStringLiteral("<="), QStringLiteral(">="), QStringLiteral("<>"),
                QStringLiteral("!="), QStringLiteral("=="), QStringLiteral("<<"), QStringLiteral(">>")};
            const QString two = s.mid(i, 2);
            if (two.size() == 2 && twoChar.contains(two)) {
                i += 2;
                out.push_back({Token::Op, two});
            } else {
                ++i;
                out.push_back({Token::Op, QString(c)});
            }
        }
    }
    return out;
}

bool significant(const Token& t)
{
    return t.kind != Token::Space && t.kind != Token::Comment;
}

QString upper(const Token& t)
{
    return t.kind == Token::Word ? t.text.toUpper() : QString();
}

// A date literal's text, #mm/dd/yyyy[ hh:mm[:ss] [AM|PM]]#, as ISO text.
QString isoDate(const QString& literal)
{
    static const QRegularExpression re(QStringLiteral(
        R"(^\s*(\d{1,4})[/\-.](\d{1,2})[/\-.](\d{1,4})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?\s*([AaPp][Mm])?)?\s*$)"));
    static const QRegularExpression timeOnly(
        QStringLiteral(R"(^\s*(\d{1,2}):(\d{2})(?::(\d{2}))?\s*([AaPp][Mm])?\s*$)"));
    const QString body = literal.mid(1, literal.size() - 2);
    int y = 0, m = 0, d = 0, hh = 0, mm = 0, ss = 0;
    bool timed = false;
    QString ampm;
    const QRegularExpressionMatch match = re.match(body);
    if (match.hasMatch()) {
        const int a = match.captured(1).toInt();
        const int b = match.captured(2).toInt();
        const int c = match.captured(3).toInt();
        if (match.captured(1).size() == 4) { // yyyy-mm-dd
            y = a;
            m = b;
            d = c;
        } else { // mm/dd/yyyy, as Jet reads a #date#
            m = a;
            d = b;
            y = c < 100 ? (c < 30 ? 2000 + c : 1900 + c) : c;
        }
        if (!match.captured(4).isEmpty()) {
            timed = true;
            hh = match.captured(4).toInt();
            mm = match.captured(5).toInt();
            ss = match.captured(6).toInt();
            ampm = match.captured(7).toUpper();
        }
    } else {
        const QRegularExpressionMatch t = timeOnly.match(body);
        if (!t.hasMatch())
            return QString();
        y = 1899;
        m = 12;
        d = 30;
        timed = true;
        hh = t.captured(1).toInt();
        mm = t.captured(2).toInt();
        ss = t.captured(3).toInt();
        ampm = t.captured(4).toUpper();
    }
    if (ampm == u"PM" && hh < 12)
        hh += 12;
    if (ampm == u"AM" && hh == 12)
        hh = 0;
    if (!QDate(y, m, d).isValid() || hh > 23 || mm > 59 || ss > 59)
        return QString();
    QString out = QStringLiteral("%1-%2-%3")
                      .arg(y, 4, 10, QLatin1Char('0'))
                      .arg(m, 2, 10, QLatin1Char('0'))
                      .arg(d, 2, 10, QLatin1Char('0'));
    if (timed && (hh || mm || ss))
        out += QStringLiteral(" %1:%2:%3")
                   .arg(hh, 2, 10, QLatin1Char('0'))
                   .arg(mm, 2, 10, QLatin1Char('0'))
                   .arg(ss, 2, 10, QLatin1Char('0'));
    return out;
}

QString singleQuoted(const QString& dq)
{
    // "a""b'c" -> 'a"b''c'
    QString inner = dq.mid(1, dq.size() - 2);
    inner.replace(QStringLiteral("\"\""), QStringLiteral("\""));
    inner.replace(u'\'', QStringLiteral("''"));
    return u'\'' + inner + u'\'';
}

// Functions whose result is text: a + next to one of them joins texts.
const QSet<QString>& textFunctions()
{
    static const QSet<QString> names = {
        QStringLiteral("JET_LEFT"), QStringLiteral("JET_RIGHT"), QStringLiteral("LEFT"),
        QStringLiteral("RIGHT"),    QStringLiteral("MID"),       QStringLiteral("UCASE"),
        QStringLiteral("LCASE"),    QStringLiteral("TRIM"),      QStringLiteral("LTRIM"),
        QStringLiteral("RTRIM"),    QStringLiteral("CSTR"),      QStringLiteral("FORMAT"),
        QStringLiteral("SPACE"),    QStringLiteral("REPLACE"),   QStringLiteral("UPPER"),
        QStringLiteral("LOWER"),    QStringLiteral("SUBSTR"),    QStringLiteral("STR")};
    return names;
}

// Words that end an operand chain of + (a new clause or a comparison).
bool endsExpression(const Token& t)
{
    if (t.kind == Token::Op) {
        static const QSet<QString> ops = {QStringLiteral(","),  QStringLiteral("="),  QStringLiteral("<"),
                                          QStringLiteral(">"),  QStringLiteral("<="), QStringLiteral(">="),
                                          QStringLiteral("<>"), QStringLiteral("!="), QStringLiteral("=="),
                                          QStringLiteral(";")};
        return ops.contains(t.text);
    }
    if (t.kind == Token::Word) {
        static const QSet<QString> words = {
            QStringLiteral("AS"),    QStringLiteral("FROM"),   QStringLiteral("WHERE"),
            QStringLiteral("AND"),   QStringLiteral("OR"),     QStringLiteral("NOT"),
            QStringLiteral("WHEN"),  QStringLiteral("THEN"),   QStringLiteral("ELSE"),
            QStringLiteral("END"),   QStringLiteral("ORDER"),  QStringLiteral("GROUP"),
            QStringLiteral("ON"),    QStringLiteral("HAVING"), QStringLiteral("LIKE"),
            QStringLiteral("IS"),    QStringLiteral("IN"),     QStringLiteral("BETWEEN"),
            QStringLiteral("SET"),   QStringLiteral("VALUES"), QStringLiteral("UNION"),
            QStringLiteral("LIMIT"), QStringLiteral("SELECT")};
        return words.contains(t.text.toUpper());
    }
    return false;
}

QString bareName(const Token& t)
{
    if (t.kind == Token::Word)
        return t.text;
    if (t.kind == Token::Name)
        return t.text.mid(1, t.text.size() - 2);
    return QString();
}

} // namespace

QString rewriteJet(const QString& sql, const std::function<bool(const QString&)>& isTextColumn)
{
    QVector<Token> t = tokenize(sql);
    const int n = int(t.size());

    auto prevSig = [&](int i) {
        for (int j = i - 1; j >= 0; --j)
            if (significant(t[j]))
                return j;
        return -1;
    };
    auto nextSig = [&](int i) {
        for (int j = i + 1; j < n; ++j)
            if (significant(t[j]))
                return j;
        return -1;
    };

    // Pass 1: words, literals and TOP.
    QHash<int, QString> limitAtDepth; // paren depth -> pending LIMIT n
    QHash<int, QString> insertBefore; // token index -> text put before it
    QString limitAtEnd;
    int depth = 0;
    // Paren stack: whether the call before "(" gives text; and for ")" the result.
    QVector<bool> parenIsText;
    QVector<bool> closeIsText(n, false);
    QVector<bool> openIsText(n, false);
    for (int i = 0; i < n; ++i) {
        Token& tok = t[i];
        if (tok.kind == Token::Op && tok.text == u"(") {
            const int p = prevSig(i);
            bool text = false;
            if (p >= 0 && t[p].kind == Token::Word)
                text = textFunctions().contains(t[p].text.toUpper());
            parenIsText.push_back(text);
            openIsText[i] = text;
            ++depth;
            continue;
        }
        if (tok.kind == Token::Op && tok.text == u")") {
            if (limitAtDepth.contains(depth)) {
                insertBefore[i] += QStringLiteral(" LIMIT ") + limitAtDepth.take(depth);
            }
            closeIsText[i] = parenIsText.isEmpty() ? false : parenIsText.takeLast();
            if (depth > 0)
                --depth;
            continue;
        }
        if (tok.kind == Token::Op && tok.text == u";" && depth == 0) {
            if (limitAtDepth.contains(0))
                insertBefore[i] += QStringLiteral(" LIMIT ") + limitAtDepth.take(0);
            continue;
        }
        if (tok.kind == Token::DqString) {
            tok.kind = Token::String;
            tok.text = singleQuoted(tok.text);
            continue;
        }
        if (tok.kind == Token::DateLit) {
            const QString iso = isoDate(tok.text);
            if (!iso.isEmpty()) {
                tok.kind = Token::String;
                tok.text = u'\'' + iso + u'\'';
            }
            continue;
        }
        if (tok.kind != Token::Word)
            continue;
        const QString w = tok.text.toUpper();
        const int p = prevSig(i);
        const int nx = nextSig(i);
        const bool afterDot = p >= 0 && t[p].kind == Token::Op && t[p].text == u".";
        const bool beforeDot = nx >= 0 && t[nx].kind == Token::Op && t[nx].text == u".";
        const bool beforeParen = nx >= 0 && t[nx].kind == Token::Op && t[nx].text == u"(";
        if (afterDot || beforeDot)
            continue;
        if (beforeParen && (w == u"LEFT" || w == u"RIGHT" || w == u"ISNULL")) {
            tok.text = QStringLiteral("JET_") + w;
            continue;
        }
        if (beforeParen && w == u"DATEPART") {
            tok.text = QStringLiteral("JET_DATEPART");
            const int arg = nextSig(nx);
            if (arg >= 0 && t[arg].kind == Token::Word) {
                const int comma = nextSig(arg);
                if (comma >= 0 && t[comma].kind == Token::Op && t[comma].text == u",") {
                    t[arg].kind = Token::String;
                    t[arg].text = u'\'' + t[arg].text + u'\'';
                }
            }
            continue;
        }
        if (w == u"DISTINCTROW") {
            tok.kind = Token::Space;
            tok.text = QString();
            continue;
        }
        if ((w == u"TRUE" || w == u"FALSE" || w == u"YES" || w == u"NO") && !beforeParen) {
            const QString pw = p >= 0 ? upper(t[p]) : QString();
            const QString nw = nx >= 0 ? upper(t[nx]) : QString();
            if (pw == u"AS" || nw == u"ACTION")
                continue;
            tok.kind = Token::Number;
            tok.text = (w == u"TRUE" || w == u"YES") ? QStringLiteral("-1") : QStringLiteral("0");
            continue;
        }
        if (w == u"TOP" && nx >= 0 && t[nx].kind == Token::Number) {
            const QString pw = p >= 0 ? upper(t[p]) : QString();
            bool afterSelect = pw == u"SELECT";
            if (pw == u"DISTINCT" || pw == u"ALL") {
                const int pp = prevSig(p);
                afterSelect = pp >= 0 && upper(t[pp]) == u"SELECT";
            }
            const int after = nextSig(nx);
            if (afterSelect && !(after >= 0 && upper(t[after]) == u"PERCENT")) {
                limitAtDepth[depth] = t[nx].text;
                tok.kind = Token::Space;
                tok.text = QString();
                t[nx].kind = Token::Space;
                t[nx].text = QString();
            }
            continue;
        }
    }
    if (limitAtDepth.contains(0))
        limitAtEnd = QStringLiteral(" LIMIT ") + limitAtDepth.take(0);

    // Pass 2: & and + joining texts.
    auto operandIsText = [&](int j, bool left) {
        if (j < 0)
            return false;
        const Token& o = t[j];
        if (o.kind == Token::String)
            return true;
        if (left && o.kind == Token::Op && o.text == u")")
            return closeIsText[j];
        if (!left && o.kind == Token::Word && textFunctions().contains(o.text.toUpper())) {
            const int nx = nextSig(j);
            return nx >= 0 && t[nx].text == u"(";
        }
        if (isTextColumn && (o.kind == Token::Word || o.kind == Token::Name)) {
            if (!left) {
                // a.b: the column is the last part
                int k = j;
                for (;;) {
                    const int d = nextSig(k);
                    if (d >= 0 && t[d].kind == Token::Op && t[d].text == u".") {
                        const int e = nextSig(d);
                        if (e < 0)
                            break;
                        k = e;
                        continue;
                    }
                    break;
                }
                const int nx = nextSig(k);
                if (nx >= 0 && t[nx].text == u"(")
                    return false;
                return isTextColumn(bareName(t[k]));
            }
            return isTextColumn(bareName(o));
        }
        return false;
    };
    // A text literal or the result of a text function: + next to it joins.
    auto strongText = [&](int j, bool left) {
        if (j < 0)
            return false;
        if (t[j].kind == Token::String)
            return true;
        if (left)
            return t[j].kind == Token::Op && t[j].text == u")" && closeIsText[j];
        if (t[j].kind == Token::Word && textFunctions().contains(t[j].text.toUpper())) {
            const int nx = nextSig(j);
            return nx >= 0 && t[nx].text == u"(";
        }
        return false;
    };
    {
        QVector<bool> chainAtDepth(1, false);
        for (int i = 0; i < n; ++i) {
            Token& tok = t[i];
            if (!significant(tok))
                continue;
            if (tok.kind == Token::Op && tok.text == u"(") {
                chainAtDepth.push_back(false);
                continue;
            }
            if (tok.kind == Token::Op && tok.text == u")") {
                if (chainAtDepth.size() > 1)
                    chainAtDepth.pop_back();
                continue;
            }
            if (endsExpression(tok)) {
                chainAtDepth.last() = false;
                continue;
            }
            if (tok.kind == Token::Op && tok.text == u"&") {
                tok.text = QStringLiteral("||");
                chainAtDepth.last() = true;
                continue;
            }
            if (tok.kind == Token::Op && tok.text == u"+") {
                const int p = prevSig(i);
                const int nx = nextSig(i);
                // a unary + has an operator or nothing before it
                if (p < 0 || (t[p].kind == Token::Op && t[p].text != u")") || endsExpression(t[p]))
                    continue;
                const bool join = chainAtDepth.last() || strongText(p, true) || strongText(nx, false) ||
                                  (operandIsText(p, true) && operandIsText(nx, false));
                if (join) {
                    tok.text = QStringLiteral("||");
                    chainAtDepth.last() = true;
                }
                continue;
            }
            if (tok.kind == Token::Op && tok.text == u"||")
                chainAtDepth.last() = true;
        }
    }

    // Pass 3: a select item T.col without an alias gets "AS [col]", so that
    // ORDER BY [col] names it even when another table of the join has a col.
    QHash<int, QString> insertAfter;
    {
        struct Level
        {
            bool inList = false;
            QVector<int> item; // significant tokens of the current item
        };
        QVector<Level> levels(1);
        auto closeItem = [&](Level& l) {
            const QVector<int>& it = l.item;
            if (it.size() == 3 && (t[it[0]].kind == Token::Word || t[it[0]].kind == Token::Name) &&
                t[it[1]].kind == Token::Op && t[it[1]].text == u"." &&
                (t[it[2]].kind == Token::Word || t[it[2]].kind == Token::Name)) {
                const QString name = bareName(t[it[2]]);
                if (!name.isEmpty() && !name.contains(u']'))
                    insertAfter[it[2]] += QStringLiteral(" AS [") + name + u']';
            }
            l.item.clear();
        };
        for (int i = 0; i < n; ++i) {
            const Token& tok = t[i];
            if (!significant(tok))
                continue;
            Level& l = levels.last();
            if (tok.kind == Token::Op && tok.text == u"(") {
                if (l.inList)
                    l.item.push_back(i);
                levels.push_back(Level());
                continue;
            }
            if (tok.kind == Token::Op && tok.text == u")") {
                if (levels.size() > 1)
                    levels.pop_back();
                continue;
            }
            const QString w = upper(tok);
            if (w == u"SELECT") {
                l.inList = true;
                l.item.clear();
                continue;
            }
            if (!l.inList)
                continue;
            if (l.item.isEmpty() && (w == u"DISTINCT" || w == u"ALL"))
                continue;
            if (w == u"FROM" || (tok.kind == Token::Op && tok.text == u";")) {
                closeItem(l);
                l.inList = false;
                continue;
            }
            if (tok.kind == Token::Op && tok.text == u",") {
                closeItem(l);
                continue;
            }
            l.item.push_back(i);
        }
        // a list that runs to the end (no FROM) is left alone
    }

    QString out;
    out.reserve(sql.size() + 16);
    int lastSig = -1;
    for (int i = 0; i < n; ++i)
        if (significant(t[i]) && !(t[i].kind == Token::Op && t[i].text == u";"))
            lastSig = i;
    for (int i = 0; i < n; ++i) {
        if (const auto it = insertBefore.constFind(i); it != insertBefore.cend())
            out += *it;
        out += t[i].text;
        if (const auto it = insertAfter.constFind(i); it != insertAfter.cend())
            out += *it;
        if (i == lastSig && !limitAtEnd.isEmpty())
            out += limitAtEnd;
    }
    if (lastSig < 0 && !limitAtEnd.isEmpty())
        out += limitAtEnd;
    return out;
}

QStringList splitStatements(const QString& script)
{
    const QVector<Token> t = tokenize(script);
    QStringList out;
    QString current;
    bool trigger = false;
    int blockDepth = 0;
    QStringList words; // first words of the current statement
    auto flush = [&]() {
        const QString s = current.trimmed();
        bool any = false;
        for (const Token& x : tokenize(s))
            if (significant(x))
                any = true;
        if (any)
            out.push_back(s);
        current.clear();
        trigger = false;
        blockDepth = 0;
        words.clear();
    };
    for (const Token& tok : t) {
        if (tok.kind == Token::Word) {
            const QString w = tok.text.toUpper();
            if (words.size() < 4) {
                words.push_back(w);
                if (words.front() == u"CREATE" && w == u"TRIGGER")
                    trigger = true;
            }
            if (trigger && (w == u"BEGIN" || w == u"CASE"))
                ++blockDepth;
            else if (trigger && w == u"END" && blockDepth > 0)
                --blockDepth;
        }
        if (tok.kind == Token::Op && tok.text == u";" && blockDepth == 0) {
            flush();
            continue;
        }
        current += tok.text;
    }
    flush();
    return out;
}

QString firstWord(const QString& sql)
{
    for (const Token& tok : tokenize(sql)) {
        if (!significant(tok))
            continue;
        if (tok.kind == Token::Op && tok.text == u"(")
            continue;
        return tok.kind == Token::Word ? tok.text.toUpper() : QString();
    }
    return QString();
}

QString droppedTableName(const QString& sql)
{
    QVector<Token> sig;
    for (const Token& tok : tokenize(sql))
        if (significant(tok))
            sig.push_back(tok);
    if (sig.size() < 3 || upper(sig[0]) != u"DROP" || upper(sig[1]) != u"TABLE")
        return QString();
    int i = 2;
    if (upper(sig[i]) == u"IF" && sig.size() > 4 && upper(sig[i + 1]) == u"EXISTS")
        i += 2;
    if (i >= sig.size())
        return QString();
    // a qualified name (x.T) is not a link name
    if (i + 1 < sig.size() && sig[i + 1].kind == Token::Op && sig[i + 1].text == u".")
        return QString();
    QString name = bareName(sig[i]);
    if (sig[i].kind == Token::String || sig[i].kind == Token::DqString)
        name = sig[i].text.mid(1, sig[i].text.size() - 2);
    return name;
}

} // namespace db

namespace db {

SelectShape analyzeSelect(const QString& sql)
{
    SelectShape shape;
    const QVector<Token> t = tokenize(sql);
    // offsets of the tokens
    QVector<qsizetype> at(t.size() + 1, 0);
    for (int i = 0; i < t.size(); ++i)
        at[i + 1] = at[i] + t[i].text.size();
    QVector<int> sig;
    for (int i = 0; i < t.size(); ++i)
        if (significant(t[i]))
            sig.push_back(i);
    if (sig.isEmpty() || upper(t[sig[0]]) != u"SELECT")
        return shape;
    shape.isSelect = true;
    shape.plain = true;
    static const QSet<QString> stopWords = {
        QStringLiteral("WHERE"),  QStringLiteral("GROUP"),     QStringLiteral("ORDER"),
        QStringLiteral("HAVING"), QStringLiteral("LIMIT"),     QStringLiteral("UNION"),
        QStringLiteral("EXCEPT"), QStringLiteral("INTERSECT"), QStringLiteral("WINDOW")};
    static const QSet<QString> notAlias = {
        QStringLiteral("ON"),     QStringLiteral("INNER"),     QStringLiteral("LEFT"),
        QStringLiteral("RIGHT"),  QStringLiteral("JOIN"),      QStringLiteral("OUTER"),
        QStringLiteral("CROSS"),  QStringLiteral("NATURAL"),   QStringLiteral("USING"),
        QStringLiteral("FULL"),   QStringLiteral("INDEXED"),   QStringLiteral("NOT"),
        QStringLiteral("WHERE"),  QStringLiteral("GROUP"),     QStringLiteral("ORDER"),
        QStringLiteral("HAVING"), QStringLiteral("LIMIT"),     QStringLiteral("UNION"),
        QStringLiteral("EXCEPT"), QStringLiteral("INTERSECT"), QStringLiteral("WINDOW")};
    int depth = 0;
    int k = 1;
    if (k < sig.size() && (upper(t[sig[k]]) == u"DISTINCT"))
        shape.plain = false;
    // find the top-level FROM
    int fromK = -1;
    for (; k < sig.size(); ++k) {
        const Token& tok = t[sig[k]];
        if (tok.kind == Token::Op && tok.text == u"(")
            ++depth;
        else if (tok.kind == Token::Op && tok.text == u")")
            --depth;
        else if (depth == 0 && upper(tok) == u"FROM") {
            fromK = k;
            break;
        }
    }
    if (fromK < 0)
        return shape;
    shape.fromPos = at[sig[fromK]];
    // walk the FROM clause
    depth = 0;
    bool expectTable = true;
    int subqueryDepth = 0; // > 0 while inside a (SELECT ...)
    for (k = fromK + 1; k < sig.size(); ++k) {
        const Token& tok = t[sig[k]];
        const QString w = upper(tok);
        if (tok.kind == Token::Op && tok.text == u"(") {
            ++depth;
            if (subqueryDepth > 0) {
                ++subqueryDepth;
            } else if (k + 1 < sig.size() && upper(t[sig[k + 1]]) == u"SELECT") {
                subqueryDepth = 1;
                shape.plain = false;
            } else {
                expectTable = true;
            }
            continue;
        }
        if (tok.kind == Token::Op && tok.text == u")") {
            --depth;
            if (subqueryDepth > 0)
                --subqueryDepth;
            if (depth < 0)
                break;
            continue;
        }
        if (subqueryDepth > 0)
            continue;
        if (depth == 0 && stopWords.contains(w)) {
            if (w != u"WHERE" && w != u"ORDER" && w != u"LIMIT")
                shape.plain = false;
            // a compound or grouped tail: nothing more to learn
            for (int r = k; r < sig.size(); ++r) {
                const QString rw = upper(t[sig[r]]);
                if (rw == u"GROUP" || rw == u"UNION" || rw == u"EXCEPT" || rw == u"INTERSECT" ||
                    rw == u"HAVING")
                    shape.plain = false;
            }
            break;
        }
        if (tok.kind == Token::Op && tok.text == u",") {
            expectTable = true;
            continue;
        }
        if (w == u"JOIN") {
            expectTable = true;
            continue;
        }
        if (expectTable && (tok.kind == Token::Word || tok.kind == Token::Name)) {
            SelectShape::Source src;
            src.table = bareName(tok);
            if (k + 2 < sig.size() && t[sig[k + 1]].kind == Token::Op && t[sig[k + 1]].text == u"." &&
                (t[sig[k + 2]].kind == Token::Word || t[sig[k + 2]].kind == Token::Name)) {
                src.database = src.table;
                src.table = bareName(t[sig[k + 2]]);
                k += 2;
            }
            src.alias = src.table;
            if (k + 1 < sig.size()) {
                int a = k + 1;
                if (upper(t[sig[a]]) == u"AS")
                    ++a;
                if (a < sig.size()) {
                    const Token& at2 = t[sig[a]];
                    if ((at2.kind == Token::Word && !notAlias.contains(at2.text.toUpper())) ||
                        at2.kind == Token::Name || at2.kind == Token::String) {
                        src.alias =
                            at2.kind == Token::String ? at2.text.mid(1, at2.text.size() - 2) : bareName(at2);
                        k = a;
                    }
                }
            }
            shape.sources.push_back(src);
            expectTable = false;
            continue;
        }
    }
    return shape;
}

} // namespace db
