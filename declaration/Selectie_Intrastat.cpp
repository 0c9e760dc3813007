#include "declaration/Selectie_Intrastat.h"

#include "common/Operatii_String.h"
#include "declaration/Cheie_Declaratie.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

const QString SQL_Perioade_Intrastat = u"SELECT TIP, Anul, Luna"_s + u" From Intrastat"_s +
                                       u" GROUP BY Tip, Anul, Luna ORDER BY Anul DESC, Luna DESC, TIP"_s;

const QString SQL_Fisiere_Intrastat =
    u"SELECT TIP, Anul, Luna, SourceFile, Count(Intrastat.Record_ID) as NrInreg, UserName, "
    u"Data_Preluare,Cod_Fiscal, 'STERGE' as STREGE "_s +
    u"From Intrastat "_s + u"GROUP BY TIP,Anul,Luna,SourceFile,UserName,Data_Preluare,Cod_Fiscal "_s +
    u"ORDER BY Anul DESC, Luna DESC, TIP"_s;

namespace {

const QString separator = u" - "_s;

} // namespace

db::Result<QStringList> Perioade_Intrastat(db::Connection& firma)
{
    db::Result<db::Recordset> rs =
        firma.openRecordset(SQL_Perioade_Intrastat, db::CursorType::ForwardOnly, db::LockType::ReadOnly);
    if (!rs)
        return rs.error();
    QStringList perioade;
    for (; !rs->eof(); rs->moveNext())
        perioade << rs->value(0).toText() + separator + rs->value(1).toText() + separator +
                        rs->value(2).toText();
    return perioade;
}

std::optional<QStringList> Imparte_Perioada(const QString& text)
{
    if (text.isEmpty() || text == u" "_s || !text.contains(separator))
        return std::nullopt;
    QStringList bucati;
    const qint16 n = Imparte_String(bucati, text, separator);
    QStringList rezultat;
    for (int i = 1; i <= qMin<int>(n, 3); ++i)
        rezultat << bucati.at(i).trimmed();
    return rezultat;
}

Perioada_Verificata Verifica_Perioada(const QString& tip, const QString& anul, const QString& luna)
{
    static const QRegularExpression an(u"^\\d{4}$"_s);
    static const QRegularExpression lunaNr(u"^\\d{1,2}$"_s);
    Perioada_Verificata v;
    const QString a = anul.trimmed();
    const QString l = luna.trimmed();
    const QString t = tip.trimmed().toUpper();
    if (!an.match(a).hasMatch()) {
        v.mesaj = u"ANUL  -  Trebuie sa fie un numar intreg de 4 cifre !"_s;
        return v;
    }
    if (!lunaNr.match(l).hasMatch() || l.toInt() < 1 || l.toInt() > 12) {
        v.mesaj = u"LUNA  -  Trebuie sa fie un numar intreg intre 1 si 12 !"_s;
        return v;
    }
    if (t != u"I" && t != u"O") {
        v.mesaj = u"TIP  -  Trebuie sa fie I sau O !"_s;
        return v;
    }
    v.perioada = Perioada_Intrastat{t, a.toInt(), l.toInt()};
    return v;
}

QString Filtru_Perioada(const Perioada_Intrastat& perioada, const QString& codFiscal)
{
    return Clauza_Declaratie(perioada.tip, codFiscal, Perioada_Declaratie{perioada.anul, perioada.luna});
}

Fisier_Preluat Fisier_Din_Lista(const db::Recordset& lista, int rand)
{
    const auto camp = [&](const QString& nume) { return lista.valueAt(rand, lista.fieldIndex(nume)); };
    Fisier_Preluat f;
    f.tip = camp(u"TIP"_s).toText();
    f.codFiscal = camp(u"Cod_Fiscal"_s).toText();
    f.anul = camp(u"Anul"_s).toInt();
    f.luna = camp(u"Luna"_s).toInt();
    f.fisier = camp(u"SourceFile"_s);
    f.utilizator = camp(u"UserName"_s);
    f.dataPreluare = camp(u"Data_Preluare"_s);
    f.nrInregistrari = camp(u"NrInreg"_s).toInt();
    return f;
}

QString Filtru_Fisier(const Fisier_Preluat& fisier)
{
    return u" WHERE SourceFile='"_s + db::quote(fisier.fisier.toText()) + u"' AND Cod_Fiscal='"_s +
           db::quote(fisier.codFiscal) + u"' AND Anul="_s + QString::number(fisier.anul) + u" AND Luna="_s +
           QString::number(fisier.luna) + u" AND Tip='"_s + db::quote(fisier.tip) + u"'"_s;
}

QString Intrebare_Stergere(const Fisier_Preluat& fisier)
{
    return u"Stergeti toate cele "_s + QString::number(fisier.nrInregistrari) +
           u" inregistrari aferente fisierului preluat ?"_s;
}

db::Result<qint64> Sterge_Fisier_Preluat(db::Connection& firma, const Fisier_Preluat& fisier)
{
    db::Transaction tranzactie(firma);
    if (tranzactie.error())
        return tranzactie.error();
    // The row's own group: the list groups Null users and times together, so
    // they are compared with IS; times as the moments they stand for.
    const db::Result<qint64> sterse = firma.execute(
        u"DELETE FROM INTRASTAT WHERE SourceFile IS ?1 AND Cod_Fiscal = ?2 AND Anul = ?3 AND Luna = ?4 "
        u"AND Tip = ?5 AND UserName IS ?6 AND julianday(Data_Preluare) IS julianday(?7)"_s,
        {fisier.fisier, fisier.codFiscal, fisier.anul, fisier.luna, fisier.tip, fisier.utilizator,
         fisier.dataPreluare});
    if (!sterse)
        return sterse.error();
    if (*sterse != fisier.nrInregistrari)
        return db::Error(db::Error::Kind::General, db::ErrorNumber::General,
                         u"FISIERUL ARE ACUM "_s + QString::number(*sterse) + u" INREGISTRARI, NU "_s +
                             QString::number(fisier.nrInregistrari) + u". NU S-A STERS NIMIC."_s);
    if (const db::Error e = tranzactie.commit())
        return e;
    return sterse;
}
