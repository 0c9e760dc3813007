#include "Cautare_Coloana.h"

#include "codelists/Cautare_Tabele.h"
#include "common/Globale.h"
#include "common/Operatii_String.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

QString Termen_Contine(const QString& coloana, const QString& bucata)
{
    return coloana + u" LIKE '%"_s + db::quote(bucata) + u"%'"_s;
}

// The advanced mode: pieces split on the operator, trimmed, each a "contains" term.
std::optional<QString> Conditie_Avansata(const QString& coloana, const QString& text)
{
    const bool si = text.contains(u'+');
    const bool sau = text.contains(u'-');
    if (si && sau)
        return std::nullopt;
    if (!si && !sau)
        return Termen_Contine(coloana, text);
    QStringList bucati;
    const qint16 n = Imparte_String(bucati, text, si ? u"+"_s : u"-"_s);
    if (n < 1)
        return std::nullopt;
    QStringList termeni;
    for (int k = 1; k <= n; ++k)
        termeni << Termen_Contine(coloana, bucati.at(k).trimmed());
    if (si)
        return termeni.join(u" AND "_s);
    return u'(' + termeni.join(u" OR "_s) + u')';
}

// The positions of the " OR "s of a WHERE part outside its quoted values
// ('...' or "..."; a doubled quote stays inside), so a value such as
// 'A OR B' is never taken for two alternatives.
QList<qsizetype> Pozitii_Sau(const QString& where)
{
    const QString sau = u" OR "_s;
    QList<qsizetype> pozitii;
    QChar ghilimea;
    for (qsizetype i = 0; i < where.size(); ++i) {
        const QChar c = where.at(i);
        if (!ghilimea.isNull()) {
            if (c == ghilimea)
                ghilimea = QChar(); // a doubled quote closes and opens again
        } else if (c == u'\'' || c == u'"') {
            ghilimea = c;
        } else if (QStringView(where).mid(i).startsWith(sau)) {
            pozitii << i;
        }
    }
    return pozitii;
}

// The WHERE part with the condition on every alternative of its ORs: the
// condition goes in front of each " OR " and at the end.
QString Conditie_Pe_Alternative(const QString& where, const QList<qsizetype>& pozitiiSau,
                                const QString& conditie)
{
    const QString si = u" AND "_s + conditie;
    QString rezultat;
    qsizetype de_la = 0;
    for (const qsizetype r : pozitiiSau) {
        rezultat += where.mid(de_la, r + 1 - de_la) + si;
        de_la = r;
    }
    return rezultat + where.mid(de_la) + si;
}

// The column as the condition names it. A name the list's select list takes
// from a table by name (Reports.REP_ID in a join whose other table has a
// REP_ID too) is named with that table, since a WHERE does not see the
// select list's names and the bare name would be ambiguous there.
QString Coloana_Conditie(const QString& sql, const QString& coloana)
{
    if (!coloana.startsWith(u'[') || !coloana.endsWith(u']'))
        return coloana;
    const QString nume = coloana.mid(1, coloana.size() - 2);
    const qsizetype sfarsit = sql.indexOf(u"FROM"_s, 0, Qt::CaseInsensitive);
    if (nume.isEmpty() || sfarsit < 0)
        return coloana;
    const QString numeRe = QRegularExpression::escape(nume);
    const QRegularExpression calificat(u"(?:\\[([^\\]]+)\\]|\\b([A-Za-z_][A-Za-z0-9_]*))\\s*\\.\\s*(?:\\["_s +
                                           numeRe + u"\\]|"_s + numeRe + u"(?![A-Za-z0-9_]))"_s,
                                       QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = calificat.match(sql.left(sfarsit));
    if (!m.hasMatch())
        return coloana;
    const QString tabel = m.captured(1).isEmpty() ? m.captured(2) : m.captured(1);
    return u'[' + tabel + u"]."_s + coloana;
}

} // namespace

std::optional<QString> Conditie_Cautare_Coloana(const QString& coloana, const QString& text, Mod_Cautare mod)
{
    switch (mod) {
    case Mod_Cautare::Identic:
        return coloana + u" = '"_s + db::quote(text) + u'\'';
    case Mod_Cautare::IncepeCu:
        return coloana + u" LIKE '"_s + db::quote(text) + u"%'"_s;
    case Mod_Cautare::Contine:
        return Termen_Contine(coloana, text);
    case Mod_Cautare::Avansat:
        return Conditie_Avansata(coloana, text);
    }
    return std::nullopt;
}

std::optional<QString> Interogare_Cautare_Coloana(const QString& sql, const QString& coloana,
                                                  const QString& text, Mod_Cautare mod)
{
    const std::optional<QString> conditie = Conditie_Cautare_Coloana(Coloana_Conditie(sql, coloana), text, mod);
    if (!conditie)
        return std::nullopt;

    // Positions from 1, 0 when absent; the character before each word is dropped.
    const qsizetype w = sql.indexOf(u"WHERE"_s) + 1;
    const qsizetype o = sql.indexOf(u"ORDER BY"_s) + 1;
    QString cap;
    QString where = u"WHERE"_s;
    QString coada;
    bool areWhere = false;
    if (w >= 2 && o >= 2) {
        if (o < w)
            return std::nullopt;
        cap = sql.left(w - 2);
        where = sql.mid(w - 1, o - w - 1);
        areWhere = true;
        coada = sql.mid(o - 1);
    } else if (o >= 2) {
        cap = sql.left(o - 2);
        coada = sql.mid(o - 1);
    } else if (w >= 2) {
        cap = sql.left(w - 2);
        where = sql.mid(w - 1);
        areWhere = true;
    } else {
        cap = sql;
    }

    const QList<qsizetype> sau = areWhere ? Pozitii_Sau(where) : QList<qsizetype>();
    if (!sau.isEmpty())
        return cap + u' ' + Conditie_Pe_Alternative(where, sau, *conditie) + u' ' + coada;
    return cap + u' ' + where + (areWhere ? u" AND"_s : QString()) + u' ' + *conditie + u' ' + coada;
}

db::Connection& Conexiune_Filtrare(bool peComun, bool peTarif)
{
    return Conexiune_Cautare(!peComun, peComun && peTarif);
}

Rezultat_Cautare_Coloana Cauta_In_Coloana(const QString& text, Mod_Cautare mod)
{
    const std::optional<QString> sql = Interogare_Cautare_Coloana(Filtrare_SQL, Filtrare_Coloana, text, mod);
    db::Connection& cn = Conexiune_Filtrare(Filtrare_PeComun, Parametri_Cautare_Tabele.Cautare_PeTarif);
    if (!sql || !cn.isOpen()) {
        RS_Filtrare = db::Recordset();
        return Rezultat_Cautare_Coloana::Eroare;
    }
    const auto cursor = Filtrare_CursorType >= 0 && Filtrare_CursorType <= 3
                            ? static_cast<db::CursorType>(Filtrare_CursorType)
                            : db::CursorType::Static;
    const auto blocare = Filtrare_LockType >= 1 && Filtrare_LockType <= 4
                             ? static_cast<db::LockType>(Filtrare_LockType)
                             : db::LockType::ReadOnly;
    db::Result<db::Recordset> rs = cn.openRecordset(*sql, cursor, blocare);
    if (!rs) {
        RS_Filtrare = db::Recordset();
        return Rezultat_Cautare_Coloana::Eroare;
    }
    RS_Filtrare = *rs;
    return RS_Filtrare.recordCount() < 1 ? Rezultat_Cautare_Coloana::Negasit
                                         : Rezultat_Cautare_Coloana::Gasit;
}
