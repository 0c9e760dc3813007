#include "Fixture_Declaratii.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace {

db::Variant text(const QString& s)
{
    return s.isNull() ? db::Variant::null() : db::Variant(s);
}

db::Variant numar(const db::Variant& v)
{
    return v.isMissing() ? db::Variant::null() : v;
}

} // namespace

db::Error Adauga_Linii(db::Connection& firma, const QList<Linie_Intrastat>& linii)
{
    db::Transaction tranzactie(firma);
    if (tranzactie.error())
        return tranzactie.error();
    db::Result<db::Statement> st = db::Statement::prepare(
        firma,
        u"INSERT INTO Intrastat (TIP, Cod_Fiscal, Anul, Luna, Cod_NC, Descriere_NC, Tara_Orig, Tara_Exp, "
        u"Tara_Dest, Val_Fiscala, Val_Stat, Net, Cod_UMS, Val_UMS, Nat_Tranz, Incoterms, Mod_Transp, "
        u"Document_Numar_Referinta, Document_Data_Referinta, Descriere, Cantitate, UM, Valoare_Valuta, "
        u"Moneda, "
        u"Curs_Schimb, VAT_ID, SourceFile, SourceFile_FullPath, Data_Preluare, UserName, Probleme, "
        u"Exista_UMS, "
        u"Pozitia) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18, "
        u"?19, "
        u"?20, ?21, ?22, ?23, ?24, ?25, ?26, ?27, ?28, ?29, ?30, ?31, ?32, ?33)"_s);
    if (!st)
        return st.error();
    int pozitie = 0;
    for (const Linie_Intrastat& l : linii) {
        ++pozitie;
        const QList<db::Variant> valori{
            l.tip,
            l.codFiscal,
            l.anul,
            l.luna,
            text(l.codNC),
            text(l.descriereNC),
            text(l.taraOrig),
            text(l.taraExp),
            text(l.taraDest),
            numar(l.valFiscala),
            numar(l.valStat),
            numar(l.net),
            numar(l.codUMS),
            numar(l.valUMS),
            text(l.natTranz),
            text(l.incoterms),
            text(l.modTransp),
            text(l.documentNumar),
            text(l.documentData),
            text(l.descriere),
            numar(l.cantitate),
            text(l.um),
            numar(l.valoareValuta),
            text(l.moneda),
            numar(l.cursSchimb),
            numar(l.vatId),
            l.sourceFile,
            l.sourceFileFullPath.isEmpty() ? u"/date/"_s + l.sourceFile : l.sourceFileFullPath,
            l.dataPreluare.isValid() ? db::Variant(l.dataPreluare) : db::Variant::null(),
            numar(l.userName),
            db::Variant(l.probleme ? -1 : 0),
            db::Variant(l.existaUMS ? -1 : 0),
            l.pozitia > 0 ? l.pozitia : pozitie};
        for (int i = 0; i < valori.size(); ++i) {
            if (const db::Error e = st->bind(i + 1, valori.at(i)))
                return e;
        }
        const db::Result<bool> pas = st->step();
        if (!pas)
            return pas.error();
        st->reset();
    }
    return tranzactie.commit();
}

QList<Linie_Intrastat> Linii_Fisier(const Fisier_Test& fisier)
{
    static const QStringList coduri{u"84713000"_s, u"01012100"_s, u"01013000"_s, u"01019000"_s};
    static const QStringList tari{u"DE"_s, u"FR"_s, u"IT"_s, u"AT"_s, u"HU"_s};
    static const QStringList livrare{u"EXW"_s, u"DAP"_s, u"FCA"_s};
    QList<Linie_Intrastat> linii;
    linii.reserve(fisier.nrLinii);
    for (int i = 0; i < fisier.nrLinii; ++i) {
        Linie_Intrastat l;
        l.tip = fisier.tip;
        l.codFiscal = fisier.codFiscal;
        l.anul = fisier.anul;
        l.luna = fisier.luna;
        l.codNC = coduri.at(i % coduri.size());
        l.descriereNC = u"Descriere "_s + l.codNC;
        const QString tara = tari.at(i % tari.size());
        l.taraOrig = tara;
        l.taraExp = fisier.tip == u"I" ? tara : u"RO"_s;
        l.taraDest = fisier.tip == u"I" ? u"RO"_s : tara;
        l.valFiscala = 1000.0 + 10 * i;
        l.valStat = l.valFiscala;
        l.net = 10.0 + i;
        if (i % 2 == 1) {
            l.codUMS = u"p/st"_s;
            l.valUMS = double(i);
            l.existaUMS = true;
        }
        l.natTranz = i % 3 == 2 ? u"21"_s : u"11"_s;
        l.incoterms = livrare.at(i % livrare.size());
        l.modTransp = i % 4 == 3 ? u"1"_s : u"3"_s;
        l.documentNumar = u"F"_s + QString::number(1000 + i);
        l.documentData = fisier.dataPreluare.addDays(-3).toString(Qt::ISODate);
        l.descriere = u"Marfa "_s + QString::number(i + 1);
        l.cantitate = double(i + 1);
        l.um = u"buc"_s;
        l.valoareValuta = 200.0 + 2 * i;
        l.moneda = u"EUR"_s;
        l.cursSchimb = 5.0;
        if (fisier.tip != u"I")
            l.vatId = QString(tara + u"12345"_s + QString::number(i % 7));
        l.sourceFile = fisier.fisier;
        l.sourceFileFullPath = u"/date/"_s + QString::number(fisier.anul) + u"/"_s + fisier.fisier;
        l.dataPreluare = fisier.dataPreluare;
        l.userName = fisier.utilizator;
        l.pozitia = i + 2;
        linii.append(l);
    }
    return linii;
}

const QList<Fisier_Test>& Fisiere_Standard()
{
    static const QList<Fisier_Test> fisiere{
        {u"O"_s, u"RO123"_s, 2015, 3, u"a.xlsx"_s, u"ion"_s, QDate(2015, 4, 2), 12},
        {u"O"_s, u"RO123"_s, 2015, 3, u"O'Neil.xlsx"_s, u"ion"_s, QDate(2015, 4, 3), 3},
        {u"I"_s, u"RO123"_s, 2015, 3, u"a.xlsx"_s, u"ana"_s, QDate(2015, 4, 5), 4},
        {u"O"_s, u"RO123"_s, 2015, 4, u"a.xlsx"_s, u"ion"_s, QDate(2015, 5, 4), 2},
        {u"I"_s, u"RO123"_s, 2015, 12, u"dec.xlsx"_s, u"ion"_s, QDate(2016, 1, 10), 5},
        {u"O"_s, u"RO123"_s, 2015, 12, u"dec.xlsx"_s, u"ion"_s, QDate(2016, 1, 11), 6},
        {u"O"_s, u"RO123"_s, 2016, 1, u"ian.xlsx"_s, u"ion"_s, QDate(2016, 2, 1), 3},
        {u"O"_s, u"RO123"_s, 2016, 1, u"ian.xlsx"_s, u"ana"_s, QDate(2016, 2, 3), 2},
        {u"O"_s, u"RO999"_s, 2015, 3, u"alta.xlsx"_s, u"ion"_s, QDate(2015, 4, 6), 2},
    };
    return fisiere;
}

db::Error Populeaza_Firma_Standard(db::Connection& firma)
{
    QList<Linie_Intrastat> linii;
    for (const Fisier_Test& f : Fisiere_Standard())
        linii += Linii_Fisier(f);
    return Adauga_Linii(firma, linii);
}

db::Error Genereaza_Declaratie(db::Connection& firma, const QString& tip, const QString& codFiscal, int anul,
                               int luna, int nrLinii, int nrFisiere)
{
    QList<Linie_Intrastat> linii;
    linii.reserve(nrLinii);
    const int fisiere = qMax(1, nrFisiere);
    for (int f = 0; f < fisiere; ++f) {
        const int n = nrLinii / fisiere + (f < nrLinii % fisiere ? 1 : 0);
        linii += Linii_Fisier({tip, codFiscal, anul, luna, u"fisier"_s + QString::number(f + 1) + u".xlsx"_s,
                               u"ion"_s, QDate(anul, luna, 1).addMonths(1), n});
    }
    return Adauga_Linii(firma, linii);
}

db::Error Genereaza_Perioade(db::Connection& firma, const QString& codFiscal, int nrLinii, int nrPerioade)
{
    const int perioade = qMax(1, nrPerioade);
    QDate luna(2025, 12, 1);
    for (int p = 0; p < perioade; ++p) {
        const QString tip = p % 2 == 0 ? u"O"_s : u"I"_s;
        const int n = nrLinii / perioade + (p < nrLinii % perioade ? 1 : 0);
        if (const db::Error e = Genereaza_Declaratie(firma, tip, codFiscal, luna.year(), luna.month(), n, 2))
            return e;
        if (p % 2 == 1)
            luna = luna.addMonths(-1);
    }
    return db::Error();
}

bool Creeaza_Firma_Din_Sablon(const QString& goala, const QString& tinta)
{
    QFile::remove(tinta);
    return QFile::copy(goala, tinta) &&
           QFile::setPermissions(tinta, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}
