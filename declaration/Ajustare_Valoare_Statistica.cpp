#include "declaration/Ajustare_Valoare_Statistica.h"

#include "common/Copiere_RecordSet.h"

#include <QHash>

using namespace Qt::StringLiterals;

const QString Mesaj_Ajustare_Terminata =
    u"Ajustare Terminata"_s + u"\r\n"_s + u"APASATI BUTONUL - \"Refresh (Reafisare)\""_s;

QString SQL_Grupe_Ajustare(const QString& tip, const QString& filtru)
{
    return (tip == u"I" ? u"SELECT * FROM Intrastat_Grup_Recalculare_I"_s
                        : u"SELECT * FROM Intrastat_Grup_Recalculare_O"_s) +
           filtru;
}

db::Result<db::Recordset> Deschide_Grupe_Ajustare(db::Connection& firma, const QString& tip,
                                                  const QString& filtru)
{
    db::Result<db::Recordset> rs =
        firma.openRecordset(SQL_Grupe_Ajustare(tip, filtru), db::CursorType::Static, db::LockType::ReadOnly);
    if (!rs)
        return rs.error();
    db::Recordset copie = Copiaza_RecordSet(*rs);
    rs->close();
    return copie;
}

namespace {

// " AND Intrastat.<column> =" & value between quotes, or IS NULL.
QString conditie(const QString& inainte, const db::Variant& valoare)
{
    if (valoare.isMissing())
        return inainte.left(inainte.lastIndexOf(u'=')).trimmed().prepend(u' ') + u" IS NULL"_s;
    return inainte + db::quote(valoare.toText()) + u"'"_s;
}

QString textProcent(double procent)
{
    return QString::number(procent, 'g', 15);
}

QString descriere(const Grupa_Ajustare& g)
{
    return g.incoterms.toText() + u" / "_s + g.modTransp.toText() + u" / "_s + g.natTranz.toText() +
           u" / "_s + g.tara.toText();
}

QString cheie(const Grupa_Ajustare& g)
{
    QString k;
    for (const db::Variant& v : {db::Variant(g.tip), db::Variant(g.codFiscal), g.anul, g.luna, g.incoterms,
                                 g.modTransp, g.natTranz, g.tara})
        k += (v.isMissing() ? u"\x01"_s : u"="_s + v.toText().toUpper()) + u'\x02';
    return k;
}

const QString nimic = u"NU S-A MODIFICAT NIMIC."_s;

} // namespace

QString Comanda_Ajustare(const QString& tip, const Grupa_Ajustare& g)
{
    const QString tara = tip == u"I" ? u" AND Intrastat.Tara_Exp = '"_s : u" AND Intrastat.Tara_Dest = '"_s;
    return u"UPDATE INTRASTAT"_s + u" SET Val_Stat = ROUND(Val_Fiscala + (Val_Fiscala * "_s +
           textProcent(g.procent) + u"/ 100),0) "_s + u" WHERE "_s + u" Intrastat.Tip ='"_s +
           db::quote(g.tip) + u"'"_s + u" AND Intrastat.Cod_Fiscal ='"_s + db::quote(g.codFiscal) + u"'"_s +
           u" AND Intrastat.Anul ="_s + g.anul.toText() + u" AND Intrastat.Luna ="_s + g.luna.toText() +
           conditie(u" AND Intrastat.Incoterms ='"_s, g.incoterms) +
           conditie(u" AND Intrastat.Mod_Transp = '"_s, g.modTransp) +
           conditie(u" AND Intrastat.Nat_Tranz = '"_s, g.natTranz) + conditie(tara, g.tara);
}

Rezultat_Ajustare Aplica_Ajustarea(db::Connection& firma, const QString& tip, const db::Recordset& grupe)
{
    Rezultat_Ajustare r;
    // The distinct groups, in the order of their first row.
    QList<Grupa_Ajustare> distincte;
    QHash<QString, int> dupaCheie;
    for (int i = 0; i < grupe.rowCount(); ++i) {
        const auto camp = [&](const QString& nume) { return grupe.valueAt(i, grupe.fieldIndex(nume)); };
        Grupa_Ajustare g;
        g.tip = camp(u"TIP"_s).toText();
        g.codFiscal = camp(u"Cod_Fiscal"_s).toText();
        g.anul = camp(u"Anul"_s);
        g.luna = camp(u"Luna"_s);
        g.incoterms = camp(u"Incoterms"_s);
        g.modTransp = camp(u"Mod_Transp"_s);
        g.natTranz = camp(u"Nat_Tranz"_s);
        g.tara = camp(u"Tara"_s);
        const db::Variant procent = camp(u"Procent"_s);
        bool numar = false;
        g.procent = procent.toDouble(&numar);
        if (procent.isMissing() || !numar) {
            r.stare = Rezultat_Ajustare::Stare::Refuzata;
            r.mesaj = u"GRUPA "_s + descriere(g) + u" NU ARE UN PROCENT VALID."_s + u"\r\n"_s + nimic;
            return r;
        }
        const QString k = cheie(g);
        const auto gasita = dupaCheie.constFind(k);
        if (gasita == dupaCheie.constEnd()) {
            dupaCheie.insert(k, int(distincte.size()));
            distincte.append(g);
        } else if (distincte.at(*gasita).procent != g.procent) {
            r.stare = Rezultat_Ajustare::Stare::Refuzata;
            r.mesaj = u"GRUPA "_s + descriere(g) + u" APARE DE MAI MULTE ORI CU PROCENTE DIFERITE ("_s +
                      textProcent(distincte.at(*gasita).procent) + u" SI "_s + textProcent(g.procent) +
                      u")."_s + u"\r\n"_s + u"TREBUIE SA AIBA ACELASI PROCENT PE TOATE RANDURILE. "_s + nimic;
            return r;
        }
    }
    r.grupe = int(distincte.size());

    db::Transaction tranzactie(firma);
    if (tranzactie.error()) {
        r.stare = Rezultat_Ajustare::Stare::Esuata;
        r.esuate = r.grupe;
        r.mesaj = u"AJUSTARE NEEFECTUATA: "_s + tranzactie.error().description + u"\r\n"_s + nimic;
        return r;
    }
    QString primaEroare;
    for (const Grupa_Ajustare& g : std::as_const(distincte)) {
        const db::Result<qint64> n = firma.execute(Comanda_Ajustare(tip, g));
        if (!n) {
            ++r.esuate;
            if (primaEroare.isEmpty())
                primaEroare = u"GRUPA "_s + descriere(g) + u": "_s + n.error().description;
            continue;
        }
        r.linii += *n;
    }
    if (r.esuate == 0) {
        if (const db::Error e = tranzactie.commit()) {
            r.esuate = r.grupe;
            primaEroare = e.description;
        }
    }
    if (r.esuate > 0) {
        r.stare = Rezultat_Ajustare::Stare::Esuata;
        r.linii = 0;
        r.mesaj = u"AJUSTARE NEEFECTUATA: "_s + QString::number(r.esuate) +
                  u" GRUPE NU AU PUTUT FI ACTUALIZATE."_s + u"\r\n"_s + primaEroare + u"\r\n"_s + nimic;
        return r;
    }
    r.mesaj = Mesaj_Ajustare_Terminata;
    return r;
}
